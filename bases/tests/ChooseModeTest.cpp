#include "bases/ChooseMode.h"

#include <gtest/gtest.h>

using namespace dunmarel;

TEST(ChooseMode, SwitchWordsPickModeAndFrame)
{
    struct Case
    {
        const char* key;
        int mode;
        unsigned frame;
    };
    const Case cases[] = {
        {"RC", MODE_RC, IDD_TABDLG},
        {"RM", MODE_RM, IDD_TABDLG},
        {"AS", MODE_AS, IDD_TABDLG},
        {"TX", MODE_TX, IDD_TABDLG_TAX},
        {"AS_CL", MODE_AS_CL, IDD_TABDLG},
        {"AS_RES", MODE_AS_RES, IDD_TABDLG},
        {"AS_QSR", MODE_AS_RES, IDD_TABDLG},
        {"AS_DEBUG", MODE_AS_RES, IDD_TABDLG},
        {"AS_STD", MODE_AS, IDD_TABDLG}, // any other package word
        {"RC_EASY", MODE_RC_EASY, IDD_TABDLG_EASY},
        {"RM_EASY", MODE_RM_EASY, IDD_TABDLG_EASY},
        {"as", MODE_NONE, 0},
        {"", MODE_NONE, 0},
        {"AS_", MODE_NONE, 0},
        {"RC_STD", MODE_NONE, 0},
    };
    for (const Case& c : cases) {
        const BaseModeChoice choice = ChooseMode(QLatin1String(c.key));
        EXPECT_EQ(choice.mode, c.mode) << c.key;
        EXPECT_EQ(choice.tabDlgId, c.frame) << c.key;
    }
}
