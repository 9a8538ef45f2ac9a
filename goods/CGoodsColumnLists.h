#pragma once

#include "shared/data/CColumnDataList.h"

#include <array>
#include <memory>

namespace brelkin {

// Every column list of the goods program. Built once before the first
// window and destroyed after the last, so no list depends on the order in
// which files are initialised.
enum class GoodsList : int {
    Plu,
    PluCleaning,
    PluRestaurant,
    PluEasy,
    SetPrice, // the restaurant items' set prices (CIB003)
    Dept,
    Group,
    ItemParm,
    ItemParmCleaning,
    Clerk,
    ClerkCleaning,
    ClerkRestaurant,
    SetMenu,
    SetMenuRestaurant,
    MixMatch,
    MixMatchCleaning,
    HourlyDept,
    HourlyPlu,
    Count
};

class CGoodsColumnLists
{
public:
    CGoodsColumnLists();
    ~CGoodsColumnLists();
    CGoodsColumnLists(const CGoodsColumnLists&) = delete;
    CGoodsColumnLists& operator=(const CGoodsColumnLists&) = delete;

    CColumnDataList* Get(GoodsList list) const { return m_lists[size_t(list)].get(); }

private:
    static constexpr size_t kCount = size_t(GoodsList::Count);
    std::array<CColumnData**, kCount> m_arrays{}; // owned with their columns
    std::array<std::unique_ptr<CColumnDataList>, kCount> m_lists;
};

} // namespace brelkin
