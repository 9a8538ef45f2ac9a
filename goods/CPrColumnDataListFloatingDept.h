#pragma once

#include "shared/data/CColumnDataList.h"

#include <QStringList>

namespace brelkin {

// The floating departments (CIA002 rows whose codes the base settings name
// under FLOATINGDEPT01 to FLOATINGDEPT10), by code.
class CPrColumnDataListFloatingDept : public CColumnDataList
{
public:
    // Status of a read when no floating department is set.
    static constexpr int kNoFloatingDept = -99;

    CPrColumnDataListFloatingDept(const QString& table, CColumnData** columns);
    ~CPrColumnDataListFloatingDept() override;

    // Appends the departments to the record cache; false with err set
    // (kNoFloatingDept when none is set).
    using CColumnDataList::ReadRecords;
    bool ReadRecords(int& err);

    // The columns of the department list: code, name and the time stamps.
    static CColumnData** NewColumns();

    // The floating department codes of the base settings, in option order.
    static bool ReadFloatingDepts(CSQliteDB* db, QStringList& codes, int& err);

protected:
    // Reads the rows inside the floating departments (none set: fails with
    // kNoFloatingDept) or outside them (none set: every row), by key; keep,
    // when given, decides which rows stay.
    bool ReadByFloatingDepts(bool inside, const std::function<bool(const QStringList&)>& keep,
                             int& err);
};

} // namespace brelkin
