#pragma once

#include "functions/FcListTypeTable.h"

#include <QString>
#include <QStringList>

#include <vector>

class CSQliteDB;

namespace kesmond {

// The function lists as one of the two database layouts stores them; the
// record list forwards its list operations to the layout in use.
class CFcListAccess
{
public:
    explicit CFcListAccess(CSQliteDB* db) : m_pSQliteDB(db) {}
    virtual ~CFcListAccess() = default;
    CFcListAccess(const CFcListAccess&) = delete;
    CFcListAccess& operator=(const CFcListAccess&) = delete;

    void SetCurrentList(const QString& listId) { m_strCurrentList = listId; }
    const QString& CurrentList() const { return m_strCurrentList; }

    // Gives each type whose list row exists its list id; the others keep "".
    virtual bool ReadListIds(int& err, std::vector<FcListType>& types) = 0;
    // The items of the current list, the layout's item columns in order,
    // by position; items whose key has no CSB002 row are not read.
    bool ReadItems(int& err, QList<QStringList>& rows);

    // The layout's item table, its item columns and the column that holds
    // an item's list id.
    virtual QString ItemTable() const = 0;
    virtual QStringList ItemColumns() const = 0;
    virtual QString ListIdColumn() const = 0;

protected:
    // Reads {type code, list id} pairs with the layout's columns and filter.
    bool ReadListIdPairs(int& err, const QString& table, const QStringList& columns,
                         const QString& where, const QString& order,
                         std::vector<FcListType>& types);

    QString m_strCurrentList;
    CSQliteDB* m_pSQliteDB; // not owned
};

} // namespace kesmond
