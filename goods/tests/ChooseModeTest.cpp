#include "goods/CGoodsModeTable.h"
#include "goods/ChooseMode.h"

#include "shared/data/CColumnDataList.h"

#include <gtest/gtest.h>

using namespace brelkin;

namespace {

struct ModeCase
{
    const char* key;
    const char* second;
    int entry;
    int kind;
    GoodsWindowClass window;
    unsigned listDlg;
    int secondEntry;
    bool setPrice;
    bool winpos;
};

void PrintTo(const ModeCase& c, std::ostream* os)
{
    *os << "options \"" << c.key << "\" \"" << c.second << "\"";
}

using W = GoodsWindowClass;

const ModeCase kCases[] = {
    {"S", "", 0, 0, W::List, 3001, -1, false, false},
    {"", "", 0, 0, W::List, 3001, -1, false, false},
    {"p", "", 0, 0, W::List, 3001, -1, false, false},
    {"XYZ", "", 0, 0, W::List, 3001, -1, false, false},
    {"P", "", 1, 1, W::List, 3001, -1, false, false},
    {"P", "EASY", 16, 1, W::EasyList, 16006, -1, false, false},
    {"P", "easy", 1, 1, W::List, 3001, -1, false, false},
    {"S", "EASY", 0, 0, W::EasyList, 16006, -1, false, false},
    {"G", "EASY", 3, 3, W::EasyList, 16006, -1, false, false},
    {"C", "", 2, 2, W::List, 3001, -1, false, false},
    {"PC", "", 4, 4, W::List, 3001, -1, false, false},
    {"H", "", 5, 5, W::HourlyList, 3016, 6, false, false},
    {"H", "EASY", 5, 5, W::HourlyList, 3016, 6, false, false},
    {"SM", "", 7, 6, W::SetMixList, 3001, -1, false, false},
    {"MX", "WINPOS", 8, 7, W::SetMixList, 3001, -1, false, true},
    {"MX_CL", "WINPOS", 12, 11, W::SetMixList, 3001, -1, false, true},
    {"P", "WINPOS", 1, 1, W::List, 3001, -1, false, false},
    {"C_CL", "", 9, 8, W::List, 3001, -1, false, false},
    {"P_CL", "", 10, 9, W::List, 3001, -1, false, false},
    {"PC_CL", "", 11, 10, W::List, 3001, -1, false, false},
    {"SM_RES", "", 13, 12, W::SetMixList, 3001, -1, false, false},
    {"SM_QSR", "", 13, 12, W::SetMixList, 3001, -1, false, false},
    {"P_RES", "", 14, 13, W::List, 3001, -1, true, false},
    {"P_QSR", "", 14, 13, W::List, 3001, -1, true, false},
    {"P_DEBUG", "", 14, 13, W::List, 3001, -1, true, false},
    {"P_RES", "EASY", 14, 13, W::EasyList, 16006, -1, true, false},
    {"PC_DEBUG", "", 15, 14, W::List, 3001, -1, false, false},
    // The launcher appends the archive's package to /P, /SM and /PC.
    {"P_XYZ", "", 1, 1, W::List, 3001, -1, false, false},
    {"SM_XYZ", "", 7, 6, W::SetMixList, 3001, -1, false, false},
    {"PC_XYZ", "", 4, 4, W::List, 3001, -1, false, false},
    // The easy menu appends the package to "EASY": it counts as EASY and
    // belongs to the mode key.
    {"P", "EASY_QSR", 14, 13, W::EasyList, 16006, -1, true, false},
    {"P", "EASY_XYZ", 16, 1, W::EasyList, 16006, -1, false, false},
    {"S", "EASY_QSR", 0, 0, W::EasyList, 16006, -1, false, false},
    {"SM", "EASY_QSR", 13, 12, W::SetMixList, 3001, -1, false, false},
    {"H", "EASY_QSR", 5, 5, W::HourlyList, 3016, 6, false, false},
    {"P", "EASYX", 1, 1, W::List, 3001, -1, false, false},
    {"P", "EASY_", 16, 1, W::EasyList, 16006, -1, false, false},
};

class ChooseModeTest : public testing::TestWithParam<ModeCase>
{
};

TEST_P(ChooseModeTest, OptionsChooseEntryAndWindow)
{
    const ModeCase& c = GetParam();
    const GoodsModeChoice choice = ChooseMode(QLatin1String(c.key), QLatin1String(c.second));
    EXPECT_EQ(choice.entry, c.entry);
    EXPECT_EQ(choice.windowKind, c.kind);
    EXPECT_EQ(choice.windowClass, c.window);
    EXPECT_EQ(choice.listDlgId, c.listDlg);
    EXPECT_EQ(choice.secondEntry, c.secondEntry);
    EXPECT_EQ(choice.setPriceEntry, c.setPrice);
    EXPECT_EQ(choice.winpos, c.winpos);
}

INSTANTIATE_TEST_SUITE_P(Switches, ChooseModeTest, testing::ValuesIn(kCases));

TEST(CGoodsModeTable, EntriesNameTheirTablesTitlesAndPages)
{
    CGoodsModeTable table;
    const struct
    {
        const char* key;
        const char* table;
        const char* title;
        std::vector<uint> pages;
        uint listDlg;
    } expected[] = {
        {"S", "CIA002", "CRDS_PR_WINNAME_SECTION", {3002}, 3001},
        {"P", "CIA001", "CRDS_PR_WINNAME_PLU", {3003}, 3001},
        {"C", "CSA001", "CRDS_PR_WINNAME_PLUSETTING", {3009}, 3001},
        {"G", "CIA003", "CRDS_PR_WINNAME_GROUP", {3008}, 3001},
        {"PC", "CSB004", "CRDS_PR_WINNAME_CLK", {3017}, 3001},
        {"H", "CIA002", "CRDS_PR_WINNAME_HOURLY", {}, 3016},
        {"H", "CIA001", "CRDS_PR_WINNAME_HOURLY", {}, 3016},
        {"SM", "CIB001", "CRDS_PR_WINNAME_SETMENU", {3040}, 3001},
        {"MX", "CSA004", "CRDS_PR_WINNAME_MIXMATCH", {3041}, 3001},
        {"C_CL", "CSA001", "CRDS_PR_WINNAME_PLUSETTING", {3042}, 3001},
        {"P_CL", "CIA001", "CRDS_PR_WINNAME_PLU", {3045}, 3001},
        {"PC_CL", "CSB004", "CRDS_PR_WINNAME_CLK", {3017}, 3001},
        {"MX_CL", "CSA004", "CRDS_PR_WINNAME_MIXMATCH", {3041}, 3001},
        {"SM_RES", "CIB001", "CRDS_PR_WINNAME_SETMENU", {3040}, 3001},
        {"P_RES", "CIA001", "CRDS_PR_WINNAME_PLU", {3046, 3047}, 3001},
        {"PC_RES", "CSB004", "CRDS_PR_WINNAME_CLK", {3048}, 3001},
        {"P", "CIA001", "CRDS_PR_WINNAME_PLU", {3003}, 3001},
    };
    for (int i = 0; i < CGoodsModeTable::kEntryCount; ++i) {
        SCOPED_TRACE(i);
        const CDataManager* entry = table.Entry(i);
        ASSERT_NE(entry, nullptr);
        EXPECT_STREQ(entry->m_pszModeKey, expected[i].key);
        EXPECT_EQ(entry->GetColumnDataList()->m_strTableName, QLatin1String(expected[i].table));
        EXPECT_EQ(entry->m_strWindowNameKey, QLatin1String(expected[i].title));
        EXPECT_EQ(entry->m_nListDlgID, expected[i].listDlg);
        EXPECT_EQ(entry->m_nTabDlgID, 3004u);
        EXPECT_EQ(entry->m_nExtraDlgID, 3017u);
        ASSERT_EQ(entry->m_nPageCount, int(expected[i].pages.size()));
        for (int p = 0; p < entry->m_nPageCount; ++p)
            EXPECT_EQ(entry->m_pPageDlgIDs[p], expected[i].pages[size_t(p)]);
    }
    // The easy items list the standard columns in another order.
    EXPECT_EQ(table.Entry(16)->GetColumnDataList(), table.Lists().Get(GoodsList::PluEasy));
    const CDataManager* setPrice = table.SetPriceEntry();
    EXPECT_STREQ(setPrice->m_pszModeKey, "P_RES");
    EXPECT_EQ(setPrice->GetColumnDataList()->m_strTableName, "CIB003");
    ASSERT_EQ(setPrice->m_nPageCount, 1);
    EXPECT_EQ(setPrice->m_pPageDlgIDs[0], 3047u);
    EXPECT_EQ(setPrice->m_nListDlgID, 0u);
    EXPECT_TRUE(setPrice->m_strWindowNameKey.isEmpty());
}

} // namespace
