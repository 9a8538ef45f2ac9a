#include "functions/CFcColumnDataCSB011.h"

#include "shared/data/CSqLiteUtility.h"
#include "stroven/Stroven.h"

namespace kesmond {

bool CFcColumnDataCSB011::ReadListIds(int& err, std::vector<FcListType>& types)
{
    return ReadListIdPairs(
        err, QStringLiteral("CSB011"), {QStringLiteral("CODE"), QStringLiteral("VIEWID")},
        QStringLiteral("CONTROLTYPE='PopupListAdapter'"), QStringLiteral("CODE"), types);
}

QString CFcColumnDataCSB011::ItemTable() const
{
    return QStringLiteral("CSB011");
}

QStringList CFcColumnDataCSB011::ItemColumns() const
{
    return {QStringLiteral("VIEWID"),
            QStringLiteral("PARENTVIEWID"),
            QStringLiteral("CONTROLTYPE"),
            QStringLiteral("THEME"),
            QStringLiteral("CODE"),
            QStringLiteral("POSITIONY"),
            QStringLiteral("FOREGROUNDCOLOR"),
            QStringLiteral("BACKGROUNDCOLOR"),
            QStringLiteral("OPTIONCOLOR"),
            QStringLiteral("CREATEDATETIME"),
            QStringLiteral("UPDATEDATETIME")};
}

QString CFcColumnDataCSB011::ListIdColumn() const
{
    return QStringLiteral("PARENTVIEWID");
}

QStringList CFcColumnDataCSB011::ItemKeyColumns() const
{
    return {QStringLiteral("VIEWID")};
}

QString CFcColumnDataCSB011::NewItemId()
{
    return NextNumber(QStringLiteral("VIEWID"), QString());
}

QStringList CFcColumnDataCSB011::NewItem(int& err, const QString& newId, const QString& key,
                                         const QString& now)
{
    err = 0;
    const QString position = CSqLiteUtility::FindBigestRecord(
        *m_pSQliteDB, ItemTable(), QStringLiteral("POSITIONY"), 10, 1,
        QStringLiteral("PARENTVIEWID='%1'").arg(CSqLiteUtility::EscapeSQLValue(m_strCurrentList)),
        err);
    if (position.isEmpty())
        return {};
    return {newId,
            m_strCurrentList,
            QStringLiteral("PopupListItem"),
            QStringLiteral("User"),
            key,
            position,
            QStringLiteral("-16777216"),
            QStringLiteral("-1"),
            QStringLiteral("0"),
            now,
            now};
}

bool CFcColumnDataCSB011::RemoveItem(int& err, const QString& key)
{
    err = 0;
    if (!m_pSQliteDB) {
        err = SQLERR_NOT_OPEN;
        return false;
    }
    return CSqLiteUtility::DeleteRecord(
        *m_pSQliteDB, ItemTable(),
        {QStringLiteral("PARENTVIEWID"), QStringLiteral("CONTROLTYPE"), QStringLiteral("CODE")},
        {m_strCurrentList, QStringLiteral("PopupListItem"), key}, err);
}

void CFcColumnDataCSB011::SetItemPosition(QStringList& item, int position) const
{
    item[PositionIndex()] = QString::number(position);
}

bool CFcColumnDataCSB011::RewriteItems(int& err, const QList<QStringList>& items)
{
    return WriteItems(err, items, false);
}

QString CFcColumnDataCSB011::KeyOrderColumn() const
{
    return QStringLiteral("POSITIONY");
}

} // namespace kesmond
