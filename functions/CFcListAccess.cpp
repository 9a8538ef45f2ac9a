#include "functions/CFcListAccess.h"

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
    const QString where = QStringLiteral("%1.%2=? and CSB002.FUNCKEYCODE=%1.CODE and "
                                         "%1.CONTROLTYPE='PopupListItem'")
                              .arg(table, ListIdColumn());
    const CSQRowArray* read = CSqLiteUtility::ReadRows(
        sql, columns, where, {m_strCurrentList}, table + QStringLiteral(".POSITIONY"), 0, err);
    if (!read)
        return false;
    for (const QStringList* row : *read)
        if (row)
            rows << *row;
    return true;
}

} // namespace kesmond
