#include "KeyLayoutDbFixture.h"

#include "functions/keylayout/CButtonStyleMgr.h"
#include "functions/keylayout/CFcKeyLayCSB023.h"
#include "functions/keylayout/CFcKeyLayMoveWnd.h"
#include "functions/keylayout/CFcKeySheetButton.h"
#include "functions/keylayout/CKeyLayoutLoader.h"
#include "functions/keylayout/CKeySheetController.h"

#include "shared/lang/CProgramLang.h"
#include "testsupport/SuiteFixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

using namespace kesmond;

namespace {

// The fixture's layout on a canvas and strip under the sheet's controller.
class KeySheet : public KeyLayoutDbFixture
{
protected:
    void SetUp() override
    {
        KeyLayoutDbFixture::SetUp();
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n");
        ASSERT_TRUE(CProgramLang::Initialize(QStringLiteral("Kesmond"),
                                             KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        int err = 0;
        ASSERT_TRUE(m_geometry.Read(*m_db, err));
        m_images = std::make_unique<CButtonStyleMgr>(m_db.get());
        CKeyLayoutLoader loader(*m_db, m_images.get());
        for (const QStringList& row : Rows(QStringLiteral("CSB022"), KeyLayoutColumnNames(),
                                           QString(), QStringLiteral("rowid")))
            loader.AddRow(row);
        m_geometry.SetSheetRect(loader.m_pageRect);
        m_editor = std::make_unique<CKeyLayoutEditor>(m_images.get(), &m_geometry, nullptr);
        m_editor->Load(loader);
        m_window.resize(900, 600);
        m_canvas = new CFcKeySheetButton(&m_window);
        m_canvas->setGeometry(10, 10, 800, 420);
        m_strip = new CFcKeySheetButton(&m_window);
        m_strip->setGeometry(10, 440, 800, 60);
        m_controller = std::make_unique<CKeySheetController>(*m_editor, m_canvas, m_strip);
        m_editor->SetGrid(6, 5);
        m_editor->ShowStripPage(0);
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }
    void TearDown() override
    {
        m_controller.reset();
        m_editor.reset();
        m_images.reset();
        CProgramLang::Release();
    }

    CFcKeyLayButton* KeyWindow(const char* code)
    {
        for (CFcKeyLayButton* key : m_controller->KeyWindows())
            if (key->Record()->m_strCode == QLatin1String(code))
                return key;
        return nullptr;
    }
    static void Send(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons,
                     Qt::KeyboardModifiers modifiers = {})
    {
        QMouseEvent event(type, at, widget->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          modifiers);
        QApplication::sendEvent(widget, &event);
    }

    SuiteFixture m_suite;
    CFcKeyLayCSB023 m_geometry;
    std::unique_ptr<CButtonStyleMgr> m_images;
    std::unique_ptr<CKeyLayoutEditor> m_editor;
    QWidget m_window;
    CFcKeySheetButton* m_canvas = nullptr;
    CFcKeySheetButton* m_strip = nullptr;
    std::unique_ptr<CKeySheetController> m_controller;
};

} // namespace

TEST_F(KeySheet, ShowsThePagesKeysAndTheStripsTabs)
{
    EXPECT_EQ(m_controller->KeyWindows().size(), 4u);
    EXPECT_EQ(m_controller->TabWindows().size(), 2u);
    CFcKeyLayButton* item = KeyWindow("0000000000000123");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->geometry(), QRect(2, 2, 127, 72)); // 4 taller than its row
    EXPECT_EQ(m_controller->TabWindows().front()->geometry(), QRect(40, 5, 118, 38));
    // Switching to the automatic page shows its text and no keys.
    QTest::mouseClick(m_controller->TabWindows()[1], Qt::LeftButton);
    EXPECT_TRUE(m_canvas->IsAutoLayout());
    EXPECT_TRUE(m_controller->KeyWindows().empty());
}

TEST_F(KeySheet, PressWaitMoveReleaseDragsTheKey)
{
    CFcKeyLayButton* key = KeyWindow("0000000000000123");
    const QPoint click(20, 20);
    Send(key, QEvent::MouseButtonPress, click, Qt::LeftButton);
    EXPECT_EQ(m_editor->SelectedKey(), key->Record());
    // The drag starts when the hold timer fires, which a busy machine delays.
    ASSERT_TRUE(QTest::qWaitFor([this] { return m_controller->MoveWindow() != nullptr; }, 5000));
    CFcKeyLayMoveWnd* band = m_controller->MoveWindow();
    EXPECT_EQ(band->geometry(), QRect(2, 2, 127, 68));
    // Two cells and a pixel to the right.
    Send(band, QEvent::MouseMove, click + QPoint(2 * 128 + 1, 0), Qt::LeftButton);
    Send(band, QEvent::MouseButtonRelease, QPoint(30, 20), Qt::NoButton);
    QTest::qWait(0);
    EXPECT_EQ(m_editor->UndoCount(), 1);
    EXPECT_EQ(m_editor->SelectedKey()->m_nX, 258);
    EXPECT_EQ(KeyWindow("0000000000000123")->geometry().topLeft(), QPoint(258, 2));
    EXPECT_EQ(m_editor->Enabling().undo, true);
}

TEST_F(KeySheet, AQuickClickSelectsWithoutADrag)
{
    CFcKeyLayButton* key = KeyWindow("000001");
    QTest::mouseClick(key, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::qWait(CKeySheetController::DragDelay() + 50);
    EXPECT_EQ(m_editor->SelectedKey(), key->Record());
    EXPECT_EQ(m_controller->MoveWindow(), nullptr);
    EXPECT_EQ(m_editor->UndoCount(), 0);
    EXPECT_TRUE(key->IsSelected());
}

TEST_F(KeySheet, ADoubleClickPostsKeySettingsAndStartsNoDrag)
{
    QSignalSpy posted(m_controller.get(), &CKeySheetController::commandPosted);
    CFcKeyLayButton* key = KeyWindow("000001");
    QTest::mouseDClick(key, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::qWait(CKeySheetController::DragDelay() + 50);
    ASSERT_EQ(posted.size(), 1);
    EXPECT_EQ(posted.first().first().toUInt(), 23149u);
    EXPECT_EQ(m_controller->MoveWindow(), nullptr);
}

TEST_F(KeySheet, TheGridPictureIsMadeOnlyWhenTheGridChanges)
{
    m_canvas->grab();
    const int made = m_canvas->GridRenderCount();
    m_canvas->grab();
    QTest::mouseClick(KeyWindow("000001"), Qt::LeftButton); // a selection redraws keys only
    m_canvas->grab();
    EXPECT_EQ(m_canvas->GridRenderCount(), made);
    m_editor->SetGrid(8, 5);
    m_canvas->grab();
    EXPECT_EQ(m_canvas->GridRenderCount(), made + 1);
}

TEST_F(KeySheet, ALongLabelIsCutAfterItsLastWholeWord)
{
    CFcKeyLayButton* key = KeyWindow("0000000000000999");
    ASSERT_TRUE(key);
    CButtonProperty& record = *key->Record();
    const QFontMetrics metrics(key->GetDrawFont(), key);
    // The label's room (the key less 6 a side) holds "Discount for sta…".
    record.m_nWidth = metrics.horizontalAdvance(QStringLiteral("Discount for sta\u2026")) + 12;
    record.m_strLabel = QStringLiteral("Discount for staff members");
    key->SetProperty(&record);
    const QImage cut = key->grab().toImage();
    record.m_strLabel = QStringLiteral("Discount for\u2026");
    key->SetProperty(&record);
    EXPECT_EQ(key->grab().toImage(), cut);
}
