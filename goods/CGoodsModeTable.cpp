#include "goods/CGoodsModeTable.h"

#include "goods/GoodsDialogIds.h"

namespace brelkin {

namespace {

struct EntrySource
{
    const char* modeKey;
    uint listDlgId;
    const char* windowNameKey;
    const uint* pageIds;
    int pageCount;
    GoodsList list;
};

const uint kDeptPages[] = {IDD_PAGE_DEPT};
const uint kPluPages[] = {IDD_PAGE_PLU};
const uint kItemParmPages[] = {IDD_PAGE_ITEMPARM};
const uint kGroupPages[] = {IDD_PAGE_GROUP};
const uint kClerkPages[] = {IDD_PAGE_CLERK};
const uint kSetMenuPages[] = {IDD_PAGE_SETMENU};
const uint kMixMatchPages[] = {IDD_PAGE_MIXMATCH};
const uint kItemParmCleaningPages[] = {IDD_PAGE_ITEMPARM_CL};
const uint kPluCleaningPages[] = {IDD_PAGE_PLU_CL};
const uint kPluRestaurantPages[] = {IDD_PAGE_PLU_RES, IDD_PAGE_SETPRICE};
const uint kClerkRestaurantPages[] = {IDD_PAGE_CLERK_RES};
const uint kSetPricePages[] = {IDD_PAGE_SETPRICE};

const EntrySource kEntries[CGoodsModeTable::kEntryCount] = {
    {"S", IDD_LIST, "CRDS_PR_WINNAME_SECTION", kDeptPages, 1, GoodsList::Dept},
    {"P", IDD_LIST, "CRDS_PR_WINNAME_PLU", kPluPages, 1, GoodsList::Plu},
    {"C", IDD_LIST, "CRDS_PR_WINNAME_PLUSETTING", kItemParmPages, 1, GoodsList::ItemParm},
    {"G", IDD_LIST, "CRDS_PR_WINNAME_GROUP", kGroupPages, 1, GoodsList::Group},
    {"PC", IDD_LIST, "CRDS_PR_WINNAME_CLK", kClerkPages, 1, GoodsList::Clerk},
    {"H", IDD_HOURLY_LIST, "CRDS_PR_WINNAME_HOURLY", nullptr, 0, GoodsList::HourlyDept},
    {"H", IDD_HOURLY_LIST, "CRDS_PR_WINNAME_HOURLY", nullptr, 0, GoodsList::HourlyPlu},
    {"SM", IDD_LIST, "CRDS_PR_WINNAME_SETMENU", kSetMenuPages, 1, GoodsList::SetMenu},
    {"MX", IDD_LIST, "CRDS_PR_WINNAME_MIXMATCH", kMixMatchPages, 1, GoodsList::MixMatch},
    {"C_CL", IDD_LIST, "CRDS_PR_WINNAME_PLUSETTING", kItemParmCleaningPages, 1,
     GoodsList::ItemParmCleaning},
    {"P_CL", IDD_LIST, "CRDS_PR_WINNAME_PLU", kPluCleaningPages, 1, GoodsList::PluCleaning},
    {"PC_CL", IDD_LIST, "CRDS_PR_WINNAME_CLK", kClerkPages, 1, GoodsList::ClerkCleaning},
    {"MX_CL", IDD_LIST, "CRDS_PR_WINNAME_MIXMATCH", kMixMatchPages, 1, GoodsList::MixMatchCleaning},
    {"SM_RES", IDD_LIST, "CRDS_PR_WINNAME_SETMENU", kSetMenuPages, 1, GoodsList::SetMenuRestaurant},
    {"P_RES", IDD_LIST, "CRDS_PR_WINNAME_PLU", kPluRestaurantPages, 2, GoodsList::PluRestaurant},
    {"PC_RES", IDD_LIST, "CRDS_PR_WINNAME_CLK", kClerkRestaurantPages, 1,
     GoodsList::ClerkRestaurant},
    {"P", IDD_LIST, "CRDS_PR_WINNAME_PLU", kPluPages, 1, GoodsList::PluEasy},
};

} // namespace

CGoodsModeTable::CGoodsModeTable()
{
    for (int i = 0; i < kEntryCount; ++i) {
        const EntrySource& e = kEntries[i];
        m_entries[size_t(i)] = std::make_unique<CDataManager>(
            e.modeKey, e.listDlgId, IDD_TABDLG, IDD_PAGE_CLERK, QLatin1String(e.windowNameKey),
            e.pageIds, e.pageCount, m_lists.Get(e.list));
    }
    m_setPrice = std::make_unique<CDataManager>("P_RES", 0, 0, 0, QString(), kSetPricePages, 1,
                                                m_lists.Get(GoodsList::SetPrice));
}

// The data managers close before the lists they point at go.
CGoodsModeTable::~CGoodsModeTable()
{
    m_setPrice.reset();
    for (auto& entry : m_entries)
        entry.reset();
}

CDataManager* CGoodsModeTable::Entry(int index) const
{
    return index >= 0 && index < kEntryCount ? m_entries[size_t(index)].get() : nullptr;
}

const char* CGoodsModeTable::ModeKey(int index)
{
    return index >= 0 && index < kEntryCount ? kEntries[index].modeKey : "";
}

} // namespace brelkin
