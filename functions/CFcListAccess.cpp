#include "functions/CFcListAccess.h"

#include "goods/base/SaveInTransaction.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CSqLiteUtility.h"
#include "stroven/Stroven.h"

namespace kesmond {

bool CFcListAccess::ReadListIdPairs(int& err, const QString& table, const QStringList& columns,
                                    const QString& where, const QString& order,
                                    std::vector<FcListType>& types)
{
    err = 0;
    for (FcListType& type : types)
        type.listId.clear();
    if (!m_pSQliteDB) {
        err = SQLERR_NOT_OPEN;
        return false;
    }
    CSQliteSQL sql(*m_pSQliteDB, table);
    const CSQRowArray* rows = CSqLiteUtility::ReadRows(sql, columns, where, {}, order, 0, err);
    if (!rows)
        return false;
    for (const QStringList* row : *rows) {
        if (!row || row->size() < 2)
            continue;
        for (FcListType& type : types)
            if (type.code == row->at(0))
                type.listId = row->at(1);
    }
    return true;
}

QString CFcListAccess::ItemJoin() const
{
    return QStringLiteral("%1.%2=? and CSB002.FUNCKEYCODE=%1.CODE and "
                          "%1.CONTROLTYPE='PopupListItem'")
        .arg(ItemTable(), ListIdColumn());
}

bool CFcListAccess::ReadItems(int& err, QList<QStringList>& rows)
{
    err = 0;
    rows.clear();
    if (!m_pSQliteDB) {
        err = SQLERR_NOT_OPEN;
        return false;
    }
    const QString table = ItemTable();
    QStringList columns;
    for (const QString& column : ItemColumns())
        columns << table + u'.' + column;
    CSQliteSQL sql(*m_pSQliteDB, QStringLiteral("CSB002, ") + table);
    const CSQRowArray* read = CSqLiteUtility::ReadRows(
        sql, columns, ItemJoin(), {m_strCurrentList}, table + QStringLiteral(".POSITIONY"), 0, err);
    if (!read)
        return false;
    for (const QStringList* row : *read)
        if (row)
            rows << *row;
    return true;
}

bool CFcListAccess::WriteItems(int& err, const QList<QStringList>& rows, bool insert)
{
    err = 0;
    if (!m_pSQliteDB) {
        err = SQLERR_NOT_OPEN;
        return false;
    }
    const QStringList columns = ItemColumns();
    const QStringList keys = ItemKeyColumns();
    QStringList valueColumns;
    for (const QString& column : columns)
        if (!keys.contains(column))
            valueColumns << column;
    err = SaveInTransaction(*m_pSQliteDB, 1, [&](size_t, int& status) {
        CSQliteSQL sql(*m_pSQliteDB, ItemTable());
        if ((status = sql.SetSQLForWrite(keys, valueColumns, {})) != 0)
            return false;
        for (const QStringList& row : rows) {
            QStringList keyValues;
            for (const QString& key : keys)
                keyValues << row.value(columns.indexOf(key));
            QStringList values;
            for (const QString& column : valueColumns)
                values << row.value(columns.indexOf(column));
            status =
                sql.ExecWrite(keyValues, values, {}, insert ? SQLWRITE_INSERT : SQLWRITE_UPDATE);
            if (status != 0)
                return false;
        }
        return true;
    });
    return err == 0;
}

QString CFcListAccess::NextNumber(const QString& column, const QString& where)
{
    if (!m_pSQliteDB)
        return QString();
    int err = 0;
    const QString next =
        CSqLiteUtility::FindBigestRecord(*m_pSQliteDB, ItemTable(), column, 10, 1, where, err);
    if (!next.isEmpty())
        return next;
    return CSqLiteUtility::FindUniqueRecord(*m_pSQliteDB, ItemTable(), column, 10, 1, err);
}

bool CFcListAccess::AddItem(int& err, const QString& newId, const QString& key)
{
    err = 0;
    // An item under no list would be shown by no window and removed by none.
    if (m_strCurrentList.isEmpty() || newId.isEmpty()) {
        err = SQLERR_ARGUMENTS;
        return false;
    }
    const QStringList item = NewItem(err, newId, key, GetTimestampOfNow());
    if (item.isEmpty()) {
        if (err == 0)
            err = SQLERR_ARGUMENTS;
        return false;
    }
    return WriteItems(err, {item}, true);
}

bool CFcListAccess::IsKeyUsed(int& err, const QString& key)
{
    err = 0;
    if (!m_pSQliteDB) {
        err = SQLERR_NOT_OPEN;
        return false;
    }
    return CSqLiteUtility::IsExistDataValue(*m_pSQliteDB, ItemTable(), QStringLiteral("CODE"), key,
                                            err);
}

int CFcListAccess::PositionIndex() const
{
    return int(ItemColumns().indexOf(QStringLiteral("POSITIONY")));
}

bool CFcListAccess::NeedsRenumbering(const QList<QStringList>& items) const
{
    const int position = PositionIndex();
    int zeros = 0;
    for (const QStringList& item : items)
        if (item.value(position) == QLatin1String("0"))
            ++zeros;
    return zeros >= 2;
}

bool CFcListAccess::MoveItem(int& err, int index, int neighbour)
{
    QList<QStringList> items;
    if (!ReadItems(err, items))
        return false;
    if (index < 0 || neighbour < 0 || index >= items.size() || neighbour >= items.size()) {
        err = SQLERR_ARGUMENTS;
        return false;
    }
    SetItemPosition(items[index], neighbour + 1);
    SetItemPosition(items[neighbour], index + 1);
    return RewriteItems(err, items);
}

bool CFcListAccess::MoveItemUp(int& err, int index)
{
    return MoveItem(err, index, index - 1);
}

bool CFcListAccess::MoveItemDown(int& err, int index)
{
    return MoveItem(err, index, index + 1);
}

bool CFcListAccess::RenumberItems(int& err, bool& renumbered, bool force)
{
    renumbered = false;
    QList<QStringList> items;
    if (!ReadItems(err, items))
        return false;
    if (items.isEmpty() || (!force && !NeedsRenumbering(items)))
        return true;
    for (int k = 0; k < items.size(); ++k)
        SetItemPosition(items[k], k + 1);
    if (!RewriteItems(err, items))
        return false;
    renumbered = true;
    return true;
}

} // namespace kesmond
