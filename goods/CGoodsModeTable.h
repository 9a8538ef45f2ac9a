#pragma once

#include "goods/CGoodsColumnLists.h"

#include "shared/data/CDataManager.h"

#include <array>
#include <memory>

namespace brelkin {

// The mode table: one data manager per editing mode, chosen by the first
// command-line option, and the set price entry that the restaurant item
// window uses as its second data manager. Owns the column lists.
class CGoodsModeTable
{
public:
    static constexpr int kEntryCount = 17;
    static constexpr int kEasyPluEntry = 16;
    static constexpr int kHourlyPluEntry = 6;

    CGoodsModeTable();
    ~CGoodsModeTable();
    CGoodsModeTable(const CGoodsModeTable&) = delete;
    CGoodsModeTable& operator=(const CGoodsModeTable&) = delete;

    CDataManager* Entry(int index) const;
    CDataManager* SetPriceEntry() const { return m_setPrice.get(); }
    CGoodsColumnLists& Lists() { return m_lists; }

    // The mode key of entry i ("S", "P", ... "P_RES"), as the command line gives it.
    static const char* ModeKey(int index);

private:
    CGoodsColumnLists m_lists; // before the entries, which point at its lists
    std::array<std::unique_ptr<CDataManager>, kEntryCount> m_entries;
    std::unique_ptr<CDataManager> m_setPrice;
};

} // namespace brelkin
