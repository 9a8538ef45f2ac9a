// The three menus over all their rows: which buttons each state enables and
// shows, the focus, and where the buttons stand.
#include "launcher/CTovanelCleaningDlg.h"
#include "launcher/CTovanelEasyDlg.h"
#include "launcher/CTovanelStandardDlg.h"
#include "launcher/tests/LauncherFixture.h"

#include "shared/controls/CFunctionButton.h"

#include <algorithm>
#include <set>

namespace tovanel::test {
namespace {

using Ids = std::set<int>;

Ids Union(Ids a, const Ids& b)
{
    a.insert(b.begin(), b.end());
    return a;
}

// The enabled, shown buttons of a menu in each state, as the menu tables give them.
const Ids kStandardPrograms{1011, 1012, 1013, 1014, 1033, 1034, 1023, 1017,
                            1018, 1024, 1016, 1019, 1015, 1029, 1030};
const Ids kEasyPrograms{1011, 1012, 1013, 1017, 1018, 1024, 1016, 1029, 1030};
const Ids kCleaningPrograms{1011, 1012, 1013, 1014, 1033, 1034, 1023, 1018, 1024, 1016,
                            1019, 1035, 1015, 1029, 1030, 1025, 1026, 1028, 1092};

struct MenuCase
{
    const char* name;
    std::unique_ptr<CTovanelBaseDlg> (*make)(LauncherTest&);
    std::array<Ids, 4> enabled;
    size_t rows;
    size_t shown;
    int focusInStateTwo; // 0: the menu moves no focus
};

class MenuTables : public LauncherTest
{
public:
    template <class Menu> static std::unique_ptr<CTovanelBaseDlg> Make(LauncherTest& test)
    {
        return static_cast<MenuTables&>(test).MakeMenu<Menu>();
    }
};

std::vector<MenuCase> Cases()
{
    const Ids standardOne =
        Union({1006, 1007, 1009, 1010, 1032, 1020, 1036, 1021}, kStandardPrograms);
    const Ids easyOne = Union({1007, 1009, 1020, 1021}, kEasyPrograms);
    const Ids cleaningOne = Union({1007, 1009, 1032, 1020, 1036, 1021}, kCleaningPrograms);
    return {
        {"standard",
         &MenuTables::Make<CTovanelStandardDlg>,
         {Ids{1006, 1007, 1020, 1021}, standardOne, Union(standardOne, {1008}),
          Ids{1006, 1007, 1008, 1009, 1032, 1020, 1036, 1021}},
         25,
         24,
         1006},
        {"easy",
         &MenuTables::Make<CTovanelEasyDlg>,
         {Ids{1007, 1020, 1021}, easyOne, Union(easyOne, {1008}), Ids{1007, 1008, 1009}},
         14,
         14,
         0},
        {"cleaning",
         &MenuTables::Make<CTovanelCleaningDlg>,
         {Ids{1007, 1020, 1021}, cleaningOne, Union(cleaningOne, {1008}),
          Ids{1007, 1008, 1009, 1032, 1020, 1036, 1021}},
         29,
         26,
         1007},
    };
}

std::vector<CFunctionButton*> Buttons(const CTovanelBaseDlg& menu)
{
    std::vector<CFunctionButton*> buttons;
    for (const MenuRow& row : menu.Table().rows)
        if (CFunctionButton* button = menu.GetFunctionButton(row.button.nCtrlId))
            buttons.push_back(button);
    return buttons;
}

TEST_F(MenuTables, EachStateEnablesAndShowsTheRowsOfItsColumn)
{
    for (const MenuCase& c : Cases()) {
        const auto menu = c.make(*this);
        menu->show();
        const std::vector<CFunctionButton*> buttons = Buttons(*menu);
        ASSERT_EQ(menu->Table().rows.size(), c.rows) << c.name;
        ASSERT_EQ(buttons.size(), c.rows) << c.name << ": a button was not created";
        EXPECT_EQ(size_t(std::count_if(buttons.begin(), buttons.end(),
                                       [](const CFunctionButton* b) { return !b->isHidden(); })),
                  c.shown)
            << c.name;
        for (int state = 0; state < 4; ++state) {
            menu->EnableMenuButtons(state);
            EXPECT_EQ(menu->GetState(), state);
            Ids enabled;
            for (const CFunctionButton* button : buttons)
                if (!button->isHidden() && button->isEnabled())
                    enabled.insert(int(ControlId(button)));
            EXPECT_EQ(enabled, c.enabled[size_t(state)]) << c.name << " state " << state;
            if (state == 2 && c.focusInStateTwo != 0) {
                EXPECT_EQ(ControlId(menu->focusWidget()), uint(c.focusInStateTwo)) << c.name;
            }
        }
    }
}

TEST_F(MenuTables, ShownButtonsNeitherOverlapNorLeaveTheMinimumClientArea)
{
    for (const MenuCase& c : Cases()) {
        const auto menu = c.make(*this);
        const QRect area(QPoint(0, 0), menu->Table().minClientSize);
        std::vector<QRect> shown;
        for (const CFunctionButton* button : Buttons(*menu)) {
            if (button->isHidden())
                continue;
            EXPECT_TRUE(area.contains(button->geometry())) << c.name << " " << ControlId(button);
            for (const QRect& other : shown)
                EXPECT_FALSE(other.intersects(button->geometry()))
                    << c.name << " " << ControlId(button);
            shown.push_back(button->geometry());
        }
        EXPECT_GE(menu->width(), area.width());
        EXPECT_GE(menu->height(), area.height());
    }
}

} // namespace
} // namespace tovanel::test
