// The dialog base of the program's windows, on a small window of its own.
#include "goods/GoodsButtonTable.h"
#include "goods/base/CMainDlg.h"
#include "goods/base/WindowPlacement.h"

#include "shared/controls/CColorButton.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "testsupport/SuiteFixture.h"

#include "platform/FileChooser.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QSettings>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class TestWindow : public CMainDlg
{
public:
    explicit TestWindow(int kind, bool fixed = true) : CMainDlg(nullptr, 3001, kind)
    {
        CDialogTemplate tmpl(this, 9, 300, 120);
        edit = tmpl.Add<QLineEdit>(20007, QString(), 7, 7, 100, 14);
        combo = tmpl.Add<QComboBox>(23017, QString(), 7, 25, 100, 14);
        tabs = tmpl.Add<QTabBar>(23002, QString(), 7, 43, 100, 14);
        tabs->addTab(QStringLiteral("a"));
        for (uint id : {33002u, 23048u, 23047u, 23049u, 1u, 2u}) {
            auto* button = tmpl.Add<CColorButton>(id, QString(), 0, 0, 50, 14);
            connect(button, &QPushButton::clicked, this, [this, id] { clicks << id; });
        }
        qobject_cast<QPushButton*>(FindControlById(this, 1))->setDefault(true);
        if (!fixed)
            setMinimumSize(0, 0), setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    using CMainDlg::OnInitDialog;
    QList<uint> clicks;
    QLineEdit* edit;
    QComboBox* combo;
    QTabBar* tabs;
};

class CMainDlgTest : public testing::Test
{
protected:
    void SetUp() override
    {
        QCoreApplication::setOrganizationName(QStringLiteral("KorvaneTest"));
        QCoreApplication::setApplicationName(QStringLiteral("Brelkin"));
        CMainDlg::SetButtonTable(brelkin::GoodsButtonTable());
    }
    void TearDown() override { CMainDlg::SetButtonTable({}); }

    void Show(TestWindow& window)
    {
        window.Create();
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    SuiteFixture m_suite;
};

TEST_F(CMainDlgTest, EnterClicksAFocusedButtonOnceAndIsIgnoredInEditsAndTabs)
{
    m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=T\nPRODUCTMODE=0\n");
    TestWindow window(1);
    Show(window);
    struct Case
    {
        QWidget* target;
        bool repeat;
        QList<uint> clicks;
    } cases[] = {
        {FindControlById(&window, 23048), false, {23048}},
        {FindControlById(&window, 23048), true, {}}, // a held Enter does not repeat
        {FindControlById(&window, 2), false, {2}},
        {window.edit, false, {}},
        {window.tabs, false, {}},
        {window.combo, false, {1}}, // elsewhere: the default button
    };
    for (const Case& c : cases) {
        // Emptied anew rather than cleared: Qt compares an empty list that
        // kept its storage with an unallocated one by memcmp on a null
        // pointer, which UBSan stops on.
        window.clicks = {};
        c.target->setFocus();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), c.repeat);
        QCoreApplication::sendEvent(c.target, &press);
        EXPECT_EQ(window.clicks, c.clicks) << c.target->metaObject()->className();
    }
}

TEST_F(CMainDlgTest, F1OpensTheHelpManual)
{
    m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=T\n");
    QStringList opened;
    platform::setDefaultProgramOpener([&](const QString& path) {
        opened << path;
        return true;
    });
    TestWindow window(1);
    Show(window);
    QTest::keyClick(window.edit, Qt::Key_F1);
    platform::setDefaultProgramOpener({});
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].endsWith(QLatin1String("NolvarSettingTool.pdf")));
}

TEST_F(CMainDlgTest, FloatingPriceButtonOnlyOnCleaningItemsOfTheCleaningProduct)
{
    const struct
    {
        int productMode;
        int kind;
        bool shown;
    } cases[] = {{1, 9, true}, {0, 9, false}, {1, 1, false}, {2, 9, false}};
    for (const auto& c : cases) {
        m_suite.writeIni(QStringLiteral("[PRODUCT]\nPRODUCTKEY=T\nPRODUCTMODE=%1\n")
                             .arg(c.productMode)
                             .toUtf8());
        TestWindow window(c.kind);
        Show(window);
        QWidget* button = FindControlById(&window, 23049);
        EXPECT_EQ(button->isVisible(), c.shown) << c.productMode << " " << c.kind;
        EXPECT_EQ(button->isEnabled(), c.shown);
        EXPECT_TRUE(FindControlById(&window, 23048)->isVisible());
    }
}

TEST_F(CMainDlgTest, ButtonsKeepTheirRowsAndTheWindowItsStartSize)
{
    m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=T\n");
    TestWindow window(1, false);
    Show(window);
    const QSize start = window.size();
    EXPECT_EQ(window.minimumSize(), start);
    auto* ok = FindControlById(&window, 1);
    auto* cancel = FindControlById(&window, 2);
    auto* help = FindControlById(&window, 33002);
    EXPECT_LT(ok->x(), cancel->x()); // cancel rightmost, OK beside it
    EXPECT_LT(help->x(), ok->x());   // help on the left
    const QPoint cancelBefore = cancel->pos();
    window.resize(start + QSize(200, 100));
    (void)QTest::qWaitFor([&] { return cancel->pos() != cancelBefore; }, 5000);
    EXPECT_EQ(window.width() - (cancel->x() + cancel->width()),
              start.width() - (cancel->x() - 200 + cancel->width()));
    EXPECT_GT(cancel->y(), start.height() - 60);
}

TEST_F(CMainDlgTest, PlacementIsRestoredByTitle)
{
    m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=T\n");
    QSettings().clear();
    TestWindow window(1, false);
    window.setWindowTitle(QStringLiteral("Items"));
    const QRect before = window.geometry();
    // Nothing stored: nothing changes.
    RestoreWindowPlacement(&window);
    EXPECT_EQ(window.geometry(), before);
    {
        QSettings settings;
        settings.beginGroup(QStringLiteral("Items"));
        settings.setValue("rcNormalPosition.left", 0);
        settings.setValue("rcNormalPosition.top", 0);
        settings.setValue("rcNormalPosition.right", 0);
        settings.setValue("rcNormalPosition.bottom", 0);
    }
    RestoreWindowPlacement(&window);
    EXPECT_EQ(window.geometry(), before);

    window.setGeometry(40, 50, 700, 500);
    SaveWindowPlacement(&window);
    EXPECT_EQ(QSettings().value("Items/showCmd").toInt(), 0); // not shown
    TestWindow again(1, false);
    again.setWindowTitle(QStringLiteral("Items"));
    RestoreWindowPlacement(&again);
    EXPECT_EQ(again.geometry(), QRect(40, 50, 700, 500));

    // A window of fixed size takes the position only.
    TestWindow fixed(1);
    fixed.setWindowTitle(QStringLiteral("Items"));
    const QSize size = fixed.size();
    RestoreWindowPlacement(&fixed);
    EXPECT_EQ(fixed.geometry(), QRect(QPoint(40, 50), size));
}

} // namespace
