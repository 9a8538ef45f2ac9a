#pragma once

#include "goods/CPrColumnDataListFloatingDept.h"

#include <QList>
#include <QStringList>

class CSQliteDB;

namespace brelkin {

// The rows of the floating price window: every item (CIA001) or department
// (CIA002) outside the floating departments, with one price column per
// floating item. Items without a name and priced "0", and departments
// without a name, are left out.
// It reads as the department list does, outside the floating departments.
class CPrColumnDataListFloatingPrice : public CPrColumnDataListFloatingDept
{
public:
    static constexpr int kMaxPriceColumns = 10;

    CPrColumnDataListFloatingPrice(const QString& table, CColumnData** columns);
    ~CPrColumnDataListFloatingPrice() override;

    using CColumnDataList::ReadRecords;
    bool ReadRecords(int& err);

    // The floating items (code, name) of a department: its items whose item
    // parameter has ITEMTYPE '1', by code. False when the read fails.
    static bool ReadFloatingItems(CSQliteDB& db, const QString& deptCode, QList<QStringList>& items,
                                  int& err);
    // Code, name, one price column per floating item (the first ten), the
    // time stamps. Item mode lists items ("01"), else departments ("02").
    static CColumnData** NewColumns(bool itemMode, const QList<QStringList>& floatingItems);
    // Every price column shows the level of "UNITPRICE" or "UNITPRICE2" ..
    // "UNITPRICE10".
    void SetPriceColumn(const QString& column);
};

} // namespace brelkin
