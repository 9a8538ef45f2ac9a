// The menu over Preference.xml: reading and repairing it, the media
// buttons, writing after OK and the work database's time at exit.
#include "monitor/CFullDataDlg.h"
#include "monitor/CHalfDataDlg.h"
#include "monitor/CMervoltApp.h"
#include "monitor/CMonMenuDlg.h"
#include "monitor/PreferenceXml.h"
#include "monitor/tests/MediaWindowFixture.h"

#include "goods/base/RegisterDialogClass.h"
#include "platform/FileTime.h"
#include "shared/config/CEcrCmdLineInfo.h"
#include "shared/program/CProgramStartup.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/FormatLangText.h"
#include "testsupport/ModalDriver.h"
#include "testsupport/QtPrinters.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace mervolt {
namespace {

using korvane::test::RunModal;
using korvane::test::WhenModal;
using test::MediaWindowFixture;

constexpr qint64 kOldTime = 1'000'000'000'000'000'000;

class CMonMenuDlgTest : public MediaWindowFixture
{
protected:
    CMonMenuDlgTest()
    {
        put(database(), "db");
        platform::setLastWriteTimeNs(database(), kOldTime);
    }
    static void click(QWidget* window, uint id)
    {
        qobject_cast<QAbstractButton*>(FindControlById(window, id))->click();
    }
    static qint64 databaseTime() { return platform::lastWriteTimeNs(database()).value_or(0); }
    // Opens the menu, runs act in it, closes it with Back; its result.
    int runMenu(const std::function<void(CMonMenuDlg&)>& act)
    {
        auto menu = std::make_unique<CMonMenuDlg>();
        const int result = RunModal<CMonMenuDlg>(*menu, [&](CMonMenuDlg& m) {
            act(m);
            if (m.isVisible())
                click(&m, platform::IDCANCEL);
        });
        menu.reset(); // the time is set when the menu goes
        return result;
    }
};

TEST_F(CMonMenuDlgTest, MalformedFileIsReportedWithItsCodeAndNeitherFileNorDatabaseChange)
{
    PrepareSignageFolders();
    RemoveDirectoryTree(signage("Music")); // the repair would write
    const QByteArray malformed = "<?xml version=\"1.0\"?><map><string name=\"a\">x</map>";
    put(GetPreferencePath(), malformed);
    auto menu = std::make_unique<CMonMenuDlg>();
    EXPECT_EQ(menu->DoModal(), platform::IDCANCEL);
    menu.reset();
    EXPECT_EQ(m_keys, QStringList{"CRDS_MO_ERR_MONITOR_READXML"});
    EXPECT_EQ(m_texts[0],
              FormatLangText(GetLangString("CRDS_MO_ERR_MONITOR_READXML"), MON_E_SAX_FATAL));
    EXPECT_TRUE(m_texts[0].contains("E1000015"));
    EXPECT_EQ(bytesOf(GetPreferencePath()), malformed);
    EXPECT_EQ(databaseTime(), kOldTime);
}

TEST_F(CMonMenuDlgTest, WithoutSignageFolderTheMenuOpensSilentlyAndTheFirstOkWritesItsItems)
{
    bool menuShown = false;
    WhenModal<CFullDataDlg>([this](CFullDataDlg& window) {
        EXPECT_TRUE(QFileInfo(signage("ItemImage") + "/0000000000000000.png").isFile());
        m_chosen = source("movie.mp4", "movie");
        click(&window, 23227);
        click(&window, platform::IDOK);
    });
    const int result = runMenu([&](CMonMenuDlg& menu) {
        menuShown = menu.isVisible();
        EXPECT_TRUE(m_keys.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(GetSignageFolder()));
        click(&menu, CMonMenuDlg::IDC_FULLDATA);
        EXPECT_EQ(menu.Modified(), 1);
    });
    EXPECT_TRUE(menuShown);
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_TRUE(m_keys.isEmpty());
    CXmlDataArray written;
    ASSERT_EQ(ReadPreferenceXml(GetPreferencePath(), written), MON_XML_OK);
    EXPECT_EQ(value(written, "idle_movie_file"), "movie.mp4");
    EXPECT_EQ(value(written, "idle_telop2_file"), "FullTelop2.txt");
    EXPECT_EQ(bytesOf(signage("Movie") + "/movie.mp4"), "movie");
    EXPECT_GT(databaseTime(), kOldTime);
}

TEST_F(CMonMenuDlgTest, DatabaseTimeChangesOnlyAfterAnOk)
{
    // Every window cancelled: untouched.
    WhenModal<CFullDataDlg>([](CFullDataDlg& w) { click(&w, platform::IDCANCEL); });
    runMenu([](CMonMenuDlg& menu) {
        click(&menu, CMonMenuDlg::IDC_FULLDATA);
        WhenModal<CHalfDataDlg>([](CHalfDataDlg& w) { click(&w, platform::IDCANCEL); });
        click(&menu, CMonMenuDlg::IDC_HALFDATA);
        EXPECT_EQ(menu.Modified(), 0);
    });
    EXPECT_EQ(databaseTime(), kOldTime);
    EXPECT_FALSE(QFileInfo::exists(signage("Temporary")));

    // One OK without a change: changed at exit.
    WhenModal<CHalfDataDlg>([](CHalfDataDlg& w) { click(&w, platform::IDOK); });
    runMenu([](CMonMenuDlg& menu) {
        click(&menu, CMonMenuDlg::IDC_HALFDATA);
        EXPECT_EQ(databaseTime(), kOldTime); // not before the menu goes
    });
    EXPECT_GT(databaseTime(), kOldTime);
    EXPECT_TRUE(m_keys.isEmpty());
}

TEST_F(CMonMenuDlgTest, AnUnwritableFileIsReportedAndTheMenuStays)
{
    PrepareSignageFolders();
    QFile::remove(GetPreferencePath());
    QDir().mkpath(GetPreferencePath()); // a folder in its place
    WhenModal<CHalfDataDlg>([](CHalfDataDlg& w) { click(&w, platform::IDOK); });
    runMenu([this](CMonMenuDlg& menu) {
        click(&menu, CMonMenuDlg::IDC_HALFDATA);
        EXPECT_TRUE(menu.isVisible());
        ASSERT_EQ(m_keys, QStringList{"CRDS_MO_ERR_MONITOR_WRITEXML"});
        // The writer's code, as eight hexadecimal digits.
        EXPECT_TRUE(m_texts[0].contains(QRegularExpression("\\(E10000[0-9A-F]{2}\\)")))
            << m_texts[0].toStdString();
    });
}

TEST_F(CMonMenuDlgTest, AFileInAFoldersPlaceOpensNoWindow)
{
    put(signage("Movie"), "not a folder");
    bool windowOpened = false;
    WhenModal<CFullDataDlg>(
        [&](CFullDataDlg& w) {
            windowOpened = true;
            click(&w, platform::IDCANCEL);
        },
        20);
    runMenu([this](CMonMenuDlg& menu) {
        click(&menu, CMonMenuDlg::IDC_FULLDATA);
        EXPECT_EQ(m_keys, QStringList{"CRDS_MO_MSG_E_CREATEFOLDER"});
        EXPECT_TRUE(menu.isVisible());
    });
    EXPECT_FALSE(windowOpened);
    EXPECT_EQ(bytesOf(signage("Movie")), "not a folder");
}

TEST_F(CMonMenuDlgTest, ButtonsTakeTheFocusInTheirOrderFromTheIdleScreen)
{
    runMenu([](CMonMenuDlg& menu) {
        menu.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&menu));
        EXPECT_EQ(ControlId(QApplication::focusWidget()), CMonMenuDlg::IDC_FULLDATA);
        QList<uint> order;
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << ControlId(QApplication::focusWidget());
        }
        EXPECT_EQ(order, QList<uint>({CMonMenuDlg::IDC_HALFDATA, CMonMenuDlg::IDC_ITEMIMAGE,
                                      CMonMenuDlg::IDC_RECOMMEND, CMonMenuDlg::IDC_HELP,
                                      platform::IDCANCEL, CMonMenuDlg::IDC_FULLDATA}));
    });
}

TEST(CMervoltAppTest, OnlyExactlyBSelectsTheDisplayArchive)
{
    const struct
    {
        QStringList arguments;
        int registered;
    } cases[] = {{{"/B"}, 0}, {{"/b"}, 1}, {{"/BX"}, 1}, {{"/A"}, 1}, {{}, 1}, {{"/A", "/B"}, 1}};
    for (const auto& c : cases) {
        CEcrCmdLineInfo cmdInfo;
        EXPECT_EQ(
            CMervoltApp::RegisteredFromOption(CProgramStartup::ParseMode(cmdInfo, c.arguments)),
            c.registered)
            << c.arguments.join(' ').toStdString();
    }
}

TEST_F(CMonMenuDlgTest, TheMenuCarriesTheProgramsWindowClass)
{
    ASSERT_TRUE(RegisterDialogClass(CMervoltApp::kClassName));
    CMonMenuDlg menu;
    EXPECT_EQ(menu.objectName(), "Lumo Setting Monitor");
}

} // namespace
} // namespace mervolt
