#include "functions/CFcModeTable.h"
#include "functions/FcDialogIds.h"
#include "functions/FcModeChoice.h"
#include "functions/FcPageTemplate.h"

#include <gtest/gtest.h>

namespace kesmond {
namespace {

TEST(FcModeChoiceTest, SwitchesChooseTheirEntryExactly)
{
    const struct
    {
        const char* option;
        int entry;
        const char* titleKey;
    } cases[] = {
        {"FK", 0, "CRDS_FC_WINNAME_SECTION"},
        {"FL", 1, "CRDS_FC_WINNAME_SECTION"},
        {"KL", 2, "CRDS_FC_WINNAME_SECTION"},
        {"CH", 3, "CRDS_FC_WINNAME_CHARACTER"},
        {"fk", -1, nullptr},
        {"XX", -1, nullptr},
        {"", -1, nullptr},
    };
    CFcModeTable modes;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        const int entry = ChooseFcMode(QLatin1String(c.option));
        EXPECT_EQ(entry, c.entry);
        if (entry < 0)
            continue;
        EXPECT_EQ(modes.Entry(entry)->m_strWindowNameKey, QLatin1String(c.titleKey));
        EXPECT_STREQ(modes.Entry(entry)->m_pszModeKey, c.option);
        EXPECT_EQ(modes.Entry(entry)->m_nTabDlgID, IDD_FC_TAB);
        EXPECT_EQ(modes.Entry(entry)->m_nExtraDlgID, IDD_FC_PAGE_PROPERTIES);
        EXPECT_EQ(modes.Entry(entry)->m_nPageCount, 1);
    }
    EXPECT_EQ(modes.Entry(0)->m_nListDlgID, 3010u);
    EXPECT_EQ(modes.Entry(1)->m_nListDlgID, 3016u);
    EXPECT_EQ(modes.Entry(2)->m_nListDlgID, 3027u);
    EXPECT_EQ(modes.Entry(3)->m_nListDlgID, 3010u);
}

TEST(FcModeChoiceTest, FunctionCodesChooseThePageTemplate)
{
    const struct
    {
        const char* code;
        unsigned page;
    } cases[] = {
        {"000027", IDD_FC_PAGE_AMOUNT}, {"000029", IDD_FC_PAGE_AMOUNT},
        {"001027", IDD_FC_PAGE_AMOUNT}, {"001029", IDD_FC_PAGE_AMOUNT},
        {"000028", IDD_FC_PAGE_RATE},   {"000030", IDD_FC_PAGE_RATE},
        {"001028", IDD_FC_PAGE_RATE},   {"001030", IDD_FC_PAGE_RATE},
        {"000001", IDD_FC_PAGE_BASIC},  {"27", IDD_FC_PAGE_BASIC},
        {"", IDD_FC_PAGE_BASIC},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(ChoosePageTemplate(false, QLatin1String(c.code)), c.page);
        EXPECT_EQ(ChoosePageTemplate(true, QLatin1String(c.code)),
                  unsigned(IDD_FC_PAGE_PROPERTIES));
    }
}

} // namespace
} // namespace kesmond
