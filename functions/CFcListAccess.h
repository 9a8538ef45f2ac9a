#pragma once

#include "functions/FcListTypeTable.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

class CSQliteDB;

namespace kesmond {

// The function lists as one of the two database layouts stores them; the
// record list forwards its list operations to the layout in use. An item is
// a row of the layout's item columns, in their order.
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
    // Writes the items by the layout's keys (inserted or updated) in one
    // transaction (the caller's, when one is open): all or none.
    bool WriteItems(int& err, const QList<QStringList>& rows, bool insert);
    // The id of a new item of the current list; "" when none can be found.
    virtual QString NewItemId() = 0;
    // Adds the key to the end of the current list under the new id.
    bool AddItem(int& err, const QString& newId, const QString& key);
    // Deletes the current list's items of the key.
    virtual bool RemoveItem(int& err, const QString& key) = 0;
    // Whether any row of the layout's table still refers to the key (err
    // set when that cannot be read).
    bool IsKeyUsed(int& err, const QString& key);
    // Swap the item at index with its neighbour; nothing is written when the
    // items cannot be read or the index has no such neighbour.
    bool MoveItemUp(int& err, int index);
    bool MoveItemDown(int& err, int index);
    // Numbers the items 1..n in their order when forced or when their
    // numbers need it (renumbered tells which); nothing is written when the
    // items cannot be read.
    bool RenumberItems(int& err, bool& renumbered, bool force);

    // The layout's item table, its item columns and the column that holds
    // an item's list id.
    virtual QString ItemTable() const = 0;
    virtual QStringList ItemColumns() const = 0;
    virtual QString ListIdColumn() const = 0;
    // The filter joining CSB002 with the current list's items (the list id
    // its one parameter) and the column the list window orders its keys by.
    QString ItemJoin() const;
    virtual QString KeyOrderColumn() const = 0;

protected:
    // Reads {type code, list id} pairs with the layout's columns and filter.
    bool ReadListIdPairs(int& err, const QString& table, const QStringList& columns,
                         const QString& where, const QString& order,
                         std::vector<FcListType>& types);
    // The item columns an item is written by.
    virtual QStringList ItemKeyColumns() const = 0;
    // A new item of the current list; err set when a value cannot be read.
    virtual QStringList NewItem(int& err, const QString& newId, const QString& key,
                                const QString& now) = 0;
    // Gives the item its 1-based place in the list.
    virtual void SetItemPosition(QStringList& item, int position) const = 0;
    // Whether the items as read need numbering again.
    virtual bool NeedsRenumbering(const QList<QStringList>& items) const;
    // Writes the renumbered or moved items of the current list back.
    virtual bool RewriteItems(int& err, const QList<QStringList>& items) = 0;
    // The next value of a number column ("" when none), by the table's
    // highest (where filtered), else its lowest free value.
    QString NextNumber(const QString& column, const QString& where);
    // The position column's index among the item columns.
    int PositionIndex() const;

    QString m_strCurrentList;
    CSQliteDB* m_pSQliteDB; // not owned

private:
    bool MoveItem(int& err, int index, int neighbour);
};

} // namespace kesmond
