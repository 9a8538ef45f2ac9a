#include "goods/CGoodsColumnLists.h"

#include "goods/GoodsColumnArrays.h"
#include "goods/base/ColumnArrays.h"

#include "shared/data/CColumnData.h"

namespace brelkin {

namespace {

struct ListSource
{
    GoodsList list;
    const char* table;
    CColumnData** (*make)();
};

const ListSource kSources[] = {
    {GoodsList::Plu, "CIA001", NewPluColumns},
    {GoodsList::PluCleaning, "CIA001", NewPluCleaningColumns},
    {GoodsList::PluRestaurant, "CIA001", NewPluRestaurantColumns},
    {GoodsList::PluEasy, "CIA001", NewPluEasyColumns},
    {GoodsList::SetPrice, "CIB003", NewSetPriceColumns},
    {GoodsList::Dept, "CIA002", NewDeptColumns},
    {GoodsList::Group, "CIA003", NewGroupColumns},
    {GoodsList::ItemParm, "CSA001", NewItemParmColumns},
    {GoodsList::ItemParmCleaning, "CSA001", NewItemParmCleaningColumns},
    {GoodsList::Clerk, "CSB004", NewClerkColumns},
    {GoodsList::ClerkCleaning, "CSB004", NewClerkColumns},
    {GoodsList::ClerkRestaurant, "CSB004", NewClerkRestaurantColumns},
    {GoodsList::SetMenu, "CIB001", NewSetMenuColumns},
    {GoodsList::SetMenuRestaurant, "CIB001", NewSetMenuRestaurantColumns},
    {GoodsList::MixMatch, "CSA004", NewMixMatchColumns},
    {GoodsList::MixMatchCleaning, "CSA004", NewMixMatchColumns},
    {GoodsList::HourlyDept, "CIA002", NewHourlyDeptColumns},
    {GoodsList::HourlyPlu, "CIA001", NewHourlyPluColumns},
};
static_assert(std::size(kSources) == size_t(GoodsList::Count));

} // namespace

CGoodsColumnLists::CGoodsColumnLists()
{
    for (const ListSource& source : kSources) {
        const size_t at = size_t(source.list);
        m_arrays[at] = source.make();
        m_lists[at] = std::make_unique<CColumnDataList>(QLatin1String(source.table), m_arrays[at]);
    }
}

CGoodsColumnLists::~CGoodsColumnLists()
{
    for (size_t i = 0; i < kCount; ++i)
        FreeColumnList(m_lists[i], m_arrays[i]);
}

} // namespace brelkin
