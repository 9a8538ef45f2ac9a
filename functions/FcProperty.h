#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

class CSQliteDB;

namespace kesmond {

// One property of a function (table CSM015) with the key's value of it.
struct FcProperty
{
    QString id;        // FUNCSETCODEID; "" for a stored value without property
    QString code;      // FUNCSETCODE
    QString title;     // TITLE
    QString valueType; // kind (2), integer digits (2), decimal digits (2)
    QString value;     // DEFAULTSET, replaced by the key's stored VALUE
    QString created;   // CREATEDATETIME, replaced by the stored one
    QString updated;   // UPDATEDATETIME, replaced by the stored one

    QString Kind() const { return valueType.left(2); }
    int IntegerDigits() const { return valueType.mid(2, 2).toInt(); }
    int DecimalDigits() const { return valueType.mid(4, 2).toInt(); }
};

// Stored rows {FUNCSETCODE, VALUE, CREATEDATETIME, UPDATEDATETIME} over the
// properties: a row of a property replaces its value and times; a row
// without one becomes a text property titled by its code.
void MergeStoredValues(QList<FcProperty>& properties, const QList<QStringList>& stored,
                       const QString& now);

// The properties of a function (without the key-name property), merged with
// the key's stored values when withStored. False when a read fails.
bool LoadFunctionProperties(CSQliteDB& db, const QString& functionCode, const QString& keyCode,
                            bool withStored, QList<FcProperty>& out, int& err);

// The value-entry template of a property kind.
unsigned DetailTemplateOfKind(const QString& kind);

// A stored date "YYYYMMDD" / time "HHMM" as the dialog opens at: 2000-01-01
// or 00:00 when the text is not such a date or time.
QDate StoredDate(const QString& value);
QTime StoredTime(const QString& value);

// The list's text of a date or time value: the locale's short date, "HH:mm";
// 2000-01-01 or 00:00 for a text of another length; a text of the right
// length that is no date or time shows as it stands.
QString DateDisplayText(const QString& value);
QString TimeDisplayText(const QString& value);

} // namespace kesmond
