#pragma once

// A goods column list by name, so that the cases of a table over the lists
// name their list.

#include "goods/CGoodsColumnLists.h"

#include <iterator>
#include <ostream>

namespace brelkin {

inline void PrintTo(GoodsList list, std::ostream* os)
{
    static const char* const kNames[] = {"Plu",
                                         "PluCleaning",
                                         "PluRestaurant",
                                         "PluEasy",
                                         "SetPrice",
                                         "Dept",
                                         "Group",
                                         "ItemParm",
                                         "ItemParmCleaning",
                                         "Clerk",
                                         "ClerkCleaning",
                                         "ClerkRestaurant",
                                         "SetMenu",
                                         "SetMenuRestaurant",
                                         "MixMatch",
                                         "MixMatchCleaning",
                                         "HourlyDept",
                                         "HourlyPlu"};
    static_assert(std::size(kNames) == size_t(GoodsList::Count));
    const int index = int(list);
    if (index >= 0 && index < int(GoodsList::Count))
        *os << kNames[index];
    else
        *os << "list " << index;
}

} // namespace brelkin
