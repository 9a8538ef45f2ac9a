// The idle and transaction media windows over a signage folder of the
// test's own: work copies, choices, OK all or nothing, Cancel.
#include "monitor/CDDropEdit.h"
#include "monitor/CFullDataDlg.h"
#include "monitor/CHalfDataDlg.h"
#include "monitor/CMonProgressDlg.h"
#include "monitor/MonCopyJob.h"
#include "monitor/PreferenceXml.h"
#include "monitor/tests/MediaWindowFixture.h"

#include "shared/controls/CEcrEdit.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/WindowText.h"
#include "testsupport/ModalDriver.h"
#include "testsupport/QtPrinters.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <thread>

namespace mervolt {
namespace {

using korvane::test::RunModal;
using test::MediaWindowFixture;

class CMediaDataDlgTest : public MediaWindowFixture
{
protected:
    CMediaDataDlgTest() { PrepareSignageFolders(); }
    ~CMediaDataDlgTest() override { SetMonRenameFunction({}); }

    static QLineEdit* edit(QWidget* window, uint id)
    {
        return qobject_cast<QLineEdit*>(FindControlById(window, id));
    }
    static void click(QWidget* window, uint id)
    {
        qobject_cast<QAbstractButton*>(FindControlById(window, id))->click();
    }
    // Runs the window over the items; act runs once it is up.
    template <class Window> int run(const std::function<void(Window&)>& act)
    {
        Window window;
        window.SetMenuItems(&m_items);
        return RunModal<Window>(window, act);
    }

    CXmlDataArray m_items;
};

TEST_F(CMediaDataDlgTest, IdleWindowOnAnEmptyFileMakesDefaultTelopsAndOkWritesThem)
{
    const int result = run<CFullDataDlg>([](CFullDataDlg& window) {
        for (const MonMediaSlot& slot : window.Slots())
            EXPECT_EQ(window.Edit(slot)->text(), "") << slot.key.toStdString();
        EXPECT_EQ(tree(signage("Temporary/FullTelop")),
                  QStringList({"FullTelop1.txt=", "FullTelop2.txt=", "FullTelop3.txt=",
                               "FullTelop4.txt=", "FullTelop5.txt="}));
        QTest::keyClicks(edit(&window, 23214), "Fresh bread\ttoday");
        click(&window, platform::IDOK);
    });
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(tree(signage("FullTelop")),
              QStringList({"FullTelop1.txt=", "FullTelop2.txt=", "FullTelop3.txt=Fresh breadtoday",
                           "FullTelop4.txt=", "FullTelop5.txt="}));
    for (int n = 1; n <= 5; ++n)
        EXPECT_EQ(value(m_items, QStringLiteral("idle_telop%1_file").arg(n)),
                  QStringLiteral("FullTelop%1.txt").arg(n));
    EXPECT_FALSE(QFileInfo::exists(signage("Temporary")));
    EXPECT_TRUE(m_keys.isEmpty());
}

TEST_F(CMediaDataDlgTest, MovieChosenThenCancelChangesNothing)
{
    put(signage("Movie") + "/old.mp4", "old movie");
    m_items.Add("string", "idle_movie_file", "old.mp4");
    m_chosen = source("new.mp4", "new movie");
    const int result = run<CFullDataDlg>([](CFullDataDlg& window) {
        EXPECT_EQ(edit(&window, 23241)->text(), "old.mp4");
        click(&window, 23227);
        EXPECT_EQ(edit(&window, 23241)->text(), "new.mp4");
        click(&window, platform::IDCANCEL);
    });
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_EQ(tree(signage("Movie")), QStringList{"old.mp4=old movie"});
    EXPECT_EQ(value(m_items, "idle_movie_file"), "old.mp4");
    EXPECT_FALSE(QFileInfo::exists(signage("Temporary")));
}

TEST_F(CMediaDataDlgTest, SlideChosenThenOkReplacesTheFolderAndSetsTheKey)
{
    put(signage("FullImage") + "/old.png", "old");
    put(signage("FullImage") + "/kept.png", "kept");
    m_items.Add("string", "idle_slide1_file", "old.png");
    m_items.Add("string", "idle_slide2_file", "kept.png");
    m_chosen = source("new.png", "new");
    // A leftover of an earlier run never reaches the real folder.
    put(signage("Temporary/FullImage") + "/leftover.png", "leftover");
    const int result = run<CFullDataDlg>([](CFullDataDlg& window) {
        click(&window, 23229);
        click(&window, platform::IDOK);
    });
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(tree(signage("FullImage")), QStringList({"kept.png=kept", "new.png=new"}));
    EXPECT_EQ(value(m_items, "idle_slide1_file"), "new.png");
    EXPECT_EQ(value(m_items, "idle_slide2_file"), "kept.png");
    EXPECT_FALSE(QFileInfo::exists(signage("Temporary")));
}

TEST_F(CMediaDataDlgTest, TransactionWindowLeavesTheIdleFoldersAlone)
{
    for (const char* sub : {"Movie", "FullImage", "FullTelop", "Music"})
        put(signage(sub) + "/a.bin", sub);
    m_chosen = source("half.png", "half");
    const int result = run<CHalfDataDlg>([](CHalfDataDlg& window) {
        click(&window, 23230);
        click(&window, platform::IDOK);
    });
    EXPECT_EQ(result, platform::IDOK);
    for (const char* sub : {"Movie", "FullImage", "FullTelop", "Music"})
        EXPECT_EQ(tree(signage(sub)), QStringList{QStringLiteral("a.bin=") + sub}) << sub;
    EXPECT_EQ(tree(signage("HalfImage")), QStringList{"half.png=half"});
    EXPECT_EQ(value(m_items, "transaction_slide2_file"), "half.png");
    EXPECT_EQ(tree(signage("HalfTelop")).size(), 5);
}

TEST_F(CMediaDataDlgTest, AFailedRenameOnOkPutsEveryFolderBackAndKeepsTheWindow)
{
    for (const char* sub : {"Movie", "FullImage", "FullTelop", "Music"})
        put(signage(sub) + "/a.bin", sub);
    m_items.Add("string", "idle_slide1_file", "a.bin");
    const QStringList before = tree(GetSignageFolder());
    m_chosen = source("new.png", "new");
    int renames = 0;
    // Movie is the first folder put in place, FullImage the second.
    SetMonRenameFunction([&renames](const QString& from, const QString& to) {
        if (from == signage("Temporary/FullImage") && to == signage("FullImage"))
            return false;
        ++renames;
        return QDir().rename(from, to);
    });
    bool stayedOpen = false;
    const int result = run<CFullDataDlg>([&](CFullDataDlg& window) {
        click(&window, 23229);
        click(&window, platform::IDOK);
        stayedOpen = window.isVisible();
        SetMonRenameFunction({});
        click(&window, platform::IDCANCEL);
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_GT(renames, 0);
    EXPECT_EQ(m_keys, QStringList{"CRDS_MO_MSG_E_COPYFILE"});
    EXPECT_EQ(tree(GetSignageFolder()), before);
    EXPECT_EQ(value(m_items, "idle_slide1_file"), "a.bin");
    EXPECT_EQ(m_items.GetSize(), 16); // every slot looked up, no value changed
}

TEST_F(CMediaDataDlgTest, ThreeFilesDroppedOnASlideChooseTheFirstWithEveryCheck)
{
    const QString first = source("first.png", "first");
    const QString bad = source("second.bmp");
    run<CFullDataDlg>([&](CFullDataDlg& window) {
        auto* slide = qobject_cast<CDDropEdit*>(edit(&window, 23218));
        ASSERT_TRUE(slide);
        ASSERT_TRUE(slide->DropFiles({first, bad, source("third.png")}));
        QCoreApplication::processEvents();
        EXPECT_EQ(slide->text(), "first.png");
        EXPECT_EQ(m_chooserCalls, 0);
        // The checks apply: a refused extension is not taken.
        ASSERT_TRUE(slide->DropFiles({bad}));
        QCoreApplication::processEvents();
        EXPECT_EQ(slide->text(), "first.png");
        EXPECT_EQ(m_keys, QStringList{"CRDS_MO_WRN_IGNORE_EXT"});
        click(&window, platform::IDOK);
    });
    EXPECT_EQ(value(m_items, "idle_slide2_file"), "first.png");
    EXPECT_EQ(tree(signage("FullImage")), QStringList{"first.png=first"});
}

TEST_F(CMediaDataDlgTest, EnterClicksSelectOnceAndDoesNothingInATelop)
{
    m_chosen = QString(); // the chooser is cancelled
    run<CFullDataDlg>([this](CFullDataDlg& window) {
        window.activateWindow();
        QWidget* select = FindControlById(&window, 23229);
        for (const bool repeat : {false, true}) {
            select->setFocus();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), repeat);
            QCoreApplication::sendEvent(select, &press);
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(m_chooserCalls, 1);
        QLineEdit* telop = edit(&window, 23212);
        telop->setFocus();
        QTest::keyClick(telop, Qt::Key_Return);
        EXPECT_TRUE(window.isVisible());
        click(&window, platform::IDCANCEL);
    });
}

TEST_F(CMediaDataDlgTest, TelopLimitStopsTypingButKeepsALongerTextFromAnArchive)
{
    const int limit = GetLangString("CRDS_MO_LIMITCOUNT_TELOPCHAR").toInt();
    const QString longer(limit + 10, u'x');
    put(signage("FullTelop") + "/t.txt", longer.toUtf8());
    m_items.Add("string", "idle_telop1_file", "t.txt");
    run<CFullDataDlg>([&](CFullDataDlg& window) {
        EXPECT_EQ(edit(&window, 23212)->text(), longer);
        QLineEdit* second = edit(&window, 23213);
        QTest::keyClicks(second, QString(limit + 5, u'y'));
        EXPECT_EQ(second->text().size(), limit);
        click(&window, platform::IDCANCEL);
    });
}

TEST_F(CMediaDataDlgTest, WindowGrowsButNeverShrinksBelowItsOpeningSize)
{
    run<CHalfDataDlg>([](CHalfDataDlg& window) {
        const QSize start = window.size();
        EXPECT_EQ(window.minimumSize(), start);
        window.resize(start - QSize(50, 50));
        EXPECT_EQ(window.size(), start);
        window.resize(start + QSize(50, 50));
        EXPECT_EQ(window.size(), start + QSize(50, 50));
        window.reject();
    });
}

TEST_F(CMediaDataDlgTest, AbortOfAHeldOpeningShowsNoWindowAndLeavesNoWorkFolder)
{
    put(signage("FullImage") + "/a.png", "a");
    SetMonCopyJobHold([](const std::atomic<int>& abort) {
        while (!abort.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    });
    bool progressShown = false;
    korvane::test::WhenModal<CMonProgressDlg>([&](CMonProgressDlg& progress) {
        progressShown = true;
        EXPECT_EQ(GetWindowText(FindControlById(&progress, platform::IDCANCEL)),
                  GetLangString("CRDC_MO_ABORT"));
        click(&progress, platform::IDCANCEL);
    });
    CFullDataDlg window;
    window.SetMenuItems(&m_items);
    const int result = window.DoModal();
    SetMonCopyJobHold({});
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(QFileInfo::exists(signage("Temporary")));
    EXPECT_EQ(tree(signage("FullImage")), QStringList{"a.png=a"});
    EXPECT_TRUE(m_keys.isEmpty());
}

TEST_F(CMediaDataDlgTest, AFailedOpeningIsReportedAndShowsNoWindow)
{
    put(signage("FullImage") + "/a.png", "a");
    // The work folder turns into a file while the copies run.
    SetMonCopyJobHold([](const std::atomic<int>&) {
        RemoveDirectoryTree(signage("Temporary"));
        korvane::test::writeFile(signage("Temporary"), "in the way");
    });
    CFullDataDlg window;
    window.SetMenuItems(&m_items);
    const int result = window.DoModal();
    SetMonCopyJobHold({});
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(m_keys, QStringList{"CRDS_MO_MSG_E_COPYFILE"});
    EXPECT_EQ(tree(signage("FullImage")), QStringList{"a.png=a"});
    EXPECT_EQ(m_items.GetSize(), 0);
}

TEST_F(CMediaDataDlgTest, WithoutMenuItemsTheWindowClosesItself)
{
    CHalfDataDlg window;
    EXPECT_EQ(window.DoModal(), platform::IDCANCEL);
    EXPECT_FALSE(QFileInfo::exists(signage("Temporary")));
}

} // namespace
} // namespace mervolt
