// The window base: title, window menu, Enter and Escape, End, the current model.
#include "launcher/CTovanelCleaningDlg.h"
#include "launcher/CTovanelEasyDlg.h"
#include "launcher/CTovanelStandardDlg.h"
#include "launcher/tests/LauncherFixture.h"

#include "shared/config/CEcrInfo.h"
#include "shared/config/CHelpMgr.h"
#include "shared/controls/CBitmapFrame.h"
#include "shared/controls/CFunctionButton.h"

#include "platform/FileChooser.h"

#include <QAction>
#include <QMenu>
#include <QTest>

#include <functional>

namespace tovanel::test {
namespace {

using MainWindow = LauncherTest;

// A frame's caption stands above its outline: no dark caption pixel lies on
// or below the outline's top edge.
TEST_F(MainWindow, FrameCaptionsStandAboveTheirOutline)
{
    const QColor outline(90, 110, 140);
    for (const auto& menu : std::initializer_list<std::function<std::unique_ptr<QWidget>()>>{
             [this] { return std::unique_ptr<QWidget>(MakeMenu<CTovanelStandardDlg>()); },
             [this] { return std::unique_ptr<QWidget>(MakeMenu<CTovanelEasyDlg>()); },
             [this] { return std::unique_ptr<QWidget>(MakeMenu<CTovanelCleaningDlg>()); }}) {
        const std::unique_ptr<QWidget> window = menu();
        const QList<CBitmapFrame*> frames = window->findChildren<CBitmapFrame*>();
        ASSERT_FALSE(frames.isEmpty());
        for (const CBitmapFrame* frame : frames) {
            const QImage picture = frame->pixmap().toImage();
            const int middle = picture.width() / 2;
            int top = 0;
            while (top < picture.height() && QColor(picture.pixel(middle, top)) != outline)
                ++top;
            ASSERT_LT(top, picture.height()) << ControlId(frame);
            int darkBelow = 0;
            for (int y = top - 1; y < top + 4; ++y)
                for (int x = 0; x < middle; ++x)
                    if (QColor(picture.pixel(x, y)).lightness() < 80)
                        ++darkBelow;
            EXPECT_EQ(darkBelow, 0) << ControlId(frame);
        }
    }
}

TEST_F(MainWindow, TitleNamesFileApplicationAndModel)
{
    LoadLanguageTexts({{"CRDS_MSG_APPNAME", "App "}, {"CRDS_MSG_NEW", "Untitled"}});
    const auto menu = MakeMenu<CTovanelStandardDlg>();
    EXPECT_EQ(menu->windowTitle(), "App 2.5 "); // no model yet
    CEcrInfo::SetCurrentEcrType(QStringLiteral("ABC"));
    menu->UpdateTitle();
    EXPECT_EQ(menu->windowTitle(), "App 2.5 Abc 1");
    menu->EnableMenuButtons(2);
    menu->UpdateTitle();
    EXPECT_EQ(menu->windowTitle(), "Untitled - App 2.5 Abc 1");
    menu->m_strCurFileName = QStringLiteral("shop.crx");
    menu->UpdateTitle();
    EXPECT_EQ(menu->windowTitle(), "shop.crx - App 2.5 Abc 1");
}

TEST_F(MainWindow, AutoVersionOffDropsTheVersion)
{
    for (const char* value : {"off", "OFF", "on"}) {
        LoadLanguageTexts({{"CRDS_MSG_APPNAME", "App"},
                           {"CRDS_MSG_APPNAME_OES", "Oes"},
                           {"CRSS_MSG_SWITCH_AUTOVERSION", value}});
        const auto menu = MakeMenu<CTovanelStandardDlg>();
        const bool off =
            QLatin1String(value).compare(QLatin1String("off"), Qt::CaseInsensitive) == 0;
        EXPECT_EQ(menu->BuildAppTitle(false), off ? "App" : "App2.5") << value;
        EXPECT_EQ(menu->BuildAppTitle(true), off ? "Oes" : "Oes2.5") << value;
    }
}

TEST_F(MainWindow, OesModeTitleOfStandardAndEasyButNotCleaning)
{
    LoadLanguageTexts({{"CRDS_MSG_APPNAME", "App "},
                       {"CRDS_MSG_APPNAME_OES", "Oes "},
                       {"CRDS_TXT_OESSETDATA", "Set data"}});
    EXPECT_EQ(MakeMenu<CTovanelStandardDlg>(1)->windowTitle(), "Oes 2.5 - Set data ");
    EXPECT_EQ(MakeMenu<CTovanelEasyDlg>(1)->windowTitle(), "Oes 2.5 - Set data ");
    EXPECT_EQ(MakeMenu<CTovanelCleaningDlg>(1)->windowTitle(), "App 2.5 - Set data ");
}

QStringList Entries(const CTovanelBaseDlg& menu)
{
    QStringList entries;
    for (const QAction* action : menu.WindowMenu()->actions())
        if (!action->isSeparator())
            entries << QStringLiteral("%1%2")
                           .arg(action->data().toInt())
                           .arg(action->isEnabled() ? "" : " grey");
    return entries;
}

TEST_F(MainWindow, WindowMenuEntries)
{
    EXPECT_EQ(Entries(*MakeMenu<CTovanelStandardDlg>()), QStringList({"64 grey", "16"}));
    EXPECT_EQ(Entries(*MakeMenu<CTovanelStandardDlg>(1)), QStringList({"32", "64 grey", "16"}));
    EXPECT_EQ(Entries(*MakeMenu<CTovanelCleaningDlg>()), QStringList({"64 grey", "16"}));
    EXPECT_EQ(Entries(*MakeMenu<CTovanelEasyDlg>(1)), QStringList({"32", "16"}));
    // An entry without text is left out, but the import entry always stays.
    LoadLanguageTexts({{"CRDS_MSG_APPNAME", "App"}});
    EXPECT_EQ(Entries(*MakeMenu<CTovanelStandardDlg>(1)), QStringList({"64 grey"}));
}

TEST_F(MainWindow, EnterAndEscapeLeaveItOpenEndAndCloseEndIt)
{
    const auto menu = MakeMenu<CTovanelStandardDlg>();
    menu->show();
    QTest::keyClick(menu.get(), Qt::Key_Escape);
    QTest::keyClick(menu.get(), Qt::Key_Return);
    EXPECT_TRUE(menu->isVisible());
    menu->GetFunctionButton(IDC_END)->click();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(menu->result(), platform::IDOK);

    const auto other = MakeMenu<CTovanelCleaningDlg>();
    other->show();
    other->close();
    EXPECT_FALSE(other->isVisible());
    EXPECT_EQ(other->result(), platform::IDOK);
}

TEST_F(MainWindow, HelpButtonAndF1OpenTheManual)
{
    QStringList opened;
    platform::setDefaultProgramOpener([&opened](const QString& path) {
        opened << path;
        return true;
    });
    const auto menu = MakeMenu<CTovanelEasyDlg>();
    menu->show();
    menu->GetFunctionButton(IDC_HELP)->click();
    QTest::keyClick(menu.get(), Qt::Key_F1);
    platform::setDefaultProgramOpener({});
    EXPECT_EQ(opened, QStringList(2, CHelpMgr::CreateHelpFullPath()));
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(MainWindow, ALauncherIniGoneWhileRunningStopsTheCommandNotTheProgram)
{
    const auto menu = MakeMenu<CTovanelStandardDlg>();
    menu->show();
    ASSERT_TRUE(QFile::remove(m_suite.iniPath()));
    QTest::keyClick(menu.get(), Qt::Key_F1);
    menu->GetFunctionButton(IDC_HELP)->click();
    menu->WindowMenuEntry(CTovanelBaseDlg::SC_ABOUTBOX)->trigger();
    EXPECT_EQ(m_suite.messages(), QStringList(3, QStringLiteral("CRDS_CMN_ERR_NOTFOUNDINI")));
    EXPECT_TRUE(menu->isVisible());
}

TEST_F(MainWindow, ConstructionClearsTheCurrentModel)
{
    CEcrInfo::SetCurrentEcrType(QStringLiteral("ABC"));
    const auto menu = MakeMenu<CTovanelEasyDlg>();
    EXPECT_EQ(CEcrInfo::GetCurrentEcrType(), "");
    EXPECT_EQ(menu->GetState(), 0);
}

} // namespace
} // namespace tovanel::test
