#pragma once

#include "shared/data/CColumnDataList.h"

#include <array>
#include <memory>

namespace dunmarel {

// Every column list of the base program. The mode lists are on the empty
// table name (each value its own key/value row); the two detail lists are
// ordinary lists of "CSB001".
enum class BaseList : int {
    FormalReceipt,
    ReceiptMessage,
    General,
    Tax,
    CleaningCheck,
    Restaurant,
    FormalReceiptEasy,
    ReceiptMessageEasy,
    DetailCleaning,
    DetailRestaurant,
    Count
};

class CBaseColumnLists
{
public:
    CBaseColumnLists();
    ~CBaseColumnLists();
    CBaseColumnLists(const CBaseColumnLists&) = delete;
    CBaseColumnLists& operator=(const CBaseColumnLists&) = delete;

    CColumnDataList* Get(BaseList list) const { return m_lists[size_t(list)].get(); }

private:
    static constexpr size_t kCount = size_t(BaseList::Count);
    std::array<CColumnData**, kCount> m_arrays{}; // owned with their columns
    std::array<std::unique_ptr<CColumnDataList>, kCount> m_lists;
};

} // namespace dunmarel
