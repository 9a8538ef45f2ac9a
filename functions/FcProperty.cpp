#include "functions/FcProperty.h"

#include "functions/FcDialogIds.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CSqLiteUtility.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace kesmond {

namespace {

const QDate kDefaultDate(2000, 1, 1);

// A date of eight digits in the range the date picker shows; invalid otherwise.
QDate ParseDate(const QString& value)
{
    if (value.size() != 8)
        return {};
    const QDate date = QDate::fromString(value, QStringLiteral("yyyyMMdd"));
    return date.isValid() && date.year() >= 1900 ? date : QDate();
}

QTime ParseTime(const QString& value)
{
    return value.size() == 4 ? QTime::fromString(value, QStringLiteral("HHmm")) : QTime();
}

} // namespace

void MergeStoredValues(QList<FcProperty>& properties, const QList<QStringList>& stored,
                       const QString& now)
{
    for (const QStringList& row : stored) {
        const QString code = row.value(0);
        bool found = false;
        for (FcProperty& property : properties) {
            if (property.code != code)
                continue;
            property.value = row.value(1);
            property.created = row.value(2);
            property.updated = row.value(3);
            found = true;
        }
        if (!found)
            properties << FcProperty{
                QString(),    code, code, QStringLiteral("01200000000000000000"),
                row.value(1), now,  now};
    }
}

bool LoadFunctionProperties(CSQliteDB& db, const QString& functionCode, const QString& keyCode,
                            bool withStored, QList<FcProperty>& out, int& err)
{
    out.clear();
    err = 0;
    QList<QStringList> stored;
    if (withStored) {
        CSQliteSQL sql(db, QStringLiteral("CSB003"));
        const CSQRowArray* rows = CSqLiteUtility::ReadRows(
            sql,
            {QStringLiteral("FUNCSETCODE"), QStringLiteral("VALUE"),
             QStringLiteral("CREATEDATETIME"), QStringLiteral("UPDATEDATETIME")},
            QStringLiteral("FUNCKEYCODE = ?"), {keyCode}, QStringLiteral("FUNCSETCODE"), 0, err);
        if (!rows)
            return false;
        for (const QStringList* row : *rows)
            stored << *row;
    }
    CSQliteSQL sql(db, QStringLiteral("CSM015"));
    const CSQRowArray* rows = CSqLiteUtility::ReadRows(
        sql,
        {QStringLiteral("FUNCSETCODEID"), QStringLiteral("FUNCSETCODE"), QStringLiteral("TITLE"),
         QStringLiteral("SETVALUETYPE"), QStringLiteral("DEFAULTSET"),
         QStringLiteral("CREATEDATETIME"), QStringLiteral("UPDATEDATETIME")},
        QStringLiteral("FUNCTIONCODE = ? AND NOT FUNCSETCODE = ?"),
        {functionCode, QStringLiteral("FUNCKEYNAME")}, QStringLiteral("FUNCSETCODEID"), 0, err);
    if (!rows)
        return false;
    for (const QStringList* row : *rows)
        out << FcProperty{row->value(0), row->value(1), row->value(2), row->value(3),
                          row->value(4), row->value(5), row->value(6)};
    MergeStoredValues(out, stored, GetTimestampOfNow());
    return true;
}

unsigned DetailTemplateOfKind(const QString& kind)
{
    if (kind == QLatin1String("00"))
        return IDD_FC_SUBF_NUMBER;
    if (kind == QLatin1String("02"))
        return IDD_FC_SUBF_AMOUNT;
    if (kind == QLatin1String("03"))
        return IDD_FC_SUBF_DATE;
    if (kind == QLatin1String("04"))
        return IDD_FC_SUBF_TIME;
    if (kind == QLatin1String("10"))
        return IDD_FC_SUBF_SELECT;
    return IDD_FC_SUBF_TEXT;
}

QDate StoredDate(const QString& value)
{
    const QDate date = ParseDate(value);
    return date.isValid() ? date : kDefaultDate;
}

QTime StoredTime(const QString& value)
{
    const QTime time = ParseTime(value);
    return time.isValid() ? time : QTime(0, 0);
}

QString DateDisplayText(const QString& value)
{
    if (value.size() != 8)
        return QLocale().toString(kDefaultDate, QLocale::ShortFormat);
    const QDate date = ParseDate(value);
    return date.isValid() ? QLocale().toString(date, QLocale::ShortFormat) : value;
}

QString TimeDisplayText(const QString& value)
{
    if (value.size() != 4)
        return QStringLiteral("00:00");
    const QTime time = ParseTime(value);
    return time.isValid() ? time.toString(QStringLiteral("HH:mm")) : value;
}

} // namespace kesmond
