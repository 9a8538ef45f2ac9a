// Editing list cells in place with the page's own controls.
#include "goods/base/CRecordListModel.h"
#include "goods/CSelectRadioDlg.h"
#include "goods/CTabDlg.h"
#include "goods/base/CMainListCtrl.h"

#include "goods/tests/ListDlgFixture.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "testsupport/EventWaits.h"
#include "testsupport/FixedClock.h"
#include "testsupport/ModalDriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

using namespace brelkin;
using korvane::test::WhenModal;

namespace {

class InPlaceEditTest : public ListDlgFixture
{
protected:
    CListDlg& Show(int entry)
    {
        CListDlg& window = Open(entry);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        return window;
    }

    int ListColumn(const QString& name) { return ListColumnOf(*m_window, name); }
    QPoint CellCenter(int row, int column) { return CellCenterOf(*m_window, row, column); }

    // A single click, then the double-click time passes.
    void Click(int row, int column, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(m_window->List()->viewport(), Qt::LeftButton, modifiers,
                          CellCenter(row, column));
        QTest::qWait(QApplication::doubleClickInterval() + 60);
    }

    // Clicks on the codes: the first row alone, the others added with Ctrl.
    void SelectRows(const QList<int>& rows)
    {
        for (qsizetype i = 0; i < rows.size(); ++i)
            QTest::mouseClick(m_window->List()->viewport(), Qt::LeftButton,
                              i == 0 ? Qt::NoModifier : Qt::ControlModifier,
                              CellCenter(rows[i], 0));
    }

    // A new text in a cell of row with the other rows selected, then a click
    // elsewhere; false when no edit opened.
    bool EditWithRows(const QList<int>& others, int row, int column, const QString& text)
    {
        SelectRows(others);
        Click(row, column, Qt::ControlModifier);
        if (!Editor())
            return false;
        Editor()->setText(text);
        m_window->EndInPlaceEditByScroll();
        return true;
    }

    QLineEdit* Editor() { return qobject_cast<QLineEdit*>(m_window->InPlaceControl()); }

    // Keys reach the editor through the window's filter, which acts after them.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(m_window->InPlaceControl(), key, modifiers);
        korvane::test::RunQueuedWork();
    }
};

TEST_F(InPlaceEditTest, CodeColumnAndDoubleClickOpenNoCellEditor)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Food')");
    CListDlg& window = Show(0);
    Click(0, 0);
    EXPECT_EQ(window.InPlaceControl(), nullptr);
    bool editorOpened = false;
    WhenModal<CTabDlg>([&](CTabDlg& editor) {
        editorOpened = true;
        editor.reject();
    });
    const QPoint name = CellCenter(0, ListColumn("ITEMDEPTNAME"));
    // The second press of a double click, as the system reports it.
    QTest::mouseClick(window.List()->viewport(), Qt::LeftButton, {}, name);
    QMouseEvent second(QEvent::MouseButtonDblClick, name,
                       window.List()->viewport()->mapToGlobal(name), Qt::LeftButton, Qt::LeftButton,
                       Qt::NoModifier);
    QApplication::sendEvent(window.List()->viewport(), &second);
    QTest::qWait(QApplication::doubleClickInterval() + 60);
    EXPECT_TRUE(editorOpened);
    EXPECT_EQ(window.InPlaceControl(), nullptr);
}

TEST_F(InPlaceEditTest, UnchangedCellIsWrittenOnlyByEnterOrTab)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME, UPDATEDATETIME) VALUES "
         "('000001', 'Food', 'old'), ('000002', 'Tea', 'old')");
    korvane::test::FixedClock clock(QDateTime(QDate(2026, 5, 6), QTime(7, 8, 9)));
    CListDlg& window = Show(0);
    const int name = ListColumn("ITEMDEPTNAME");
    Click(0, name);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), "Food");
    EXPECT_EQ(Editor()->selectedText(), "Food");
    // A click elsewhere.
    QTest::mouseClick(window.List()->viewport(), Qt::LeftButton, {}, CellCenter(1, 0));
    EXPECT_EQ(window.InPlaceControl(), nullptr);
    // The list scrolling.
    Click(0, name);
    ASSERT_NE(Editor(), nullptr);
    window.List()->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(window.InPlaceControl(), nullptr);
    EXPECT_EQ(Rows("CIA002", {"UPDATEDATETIME"}), (QList<QStringList>{{"old"}, {"old"}}));
    // Enter writes the record as it is and moves down.
    Click(0, name);
    Key(Qt::Key_Return);
    EXPECT_EQ(Value("CIA002", "UPDATEDATETIME", "ITEMDEPTCODE = '000001'"), "20260506070809");
    EXPECT_EQ(window.EditRow(), 1);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Value("CIA002", "UPDATEDATETIME", "ITEMDEPTCODE = '000002'"), "20260506070809");
    window.EndInPlaceEditByScroll();
}

TEST_F(InPlaceEditTest, EnterAndTabMoveThroughTheCells)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES "
         "('000001', 'A'), ('000002', 'B'), ('000003', 'C')");
    CListDlg& window = Show(0);
    const int last = window.Model()->columnCount() - 1;
    ASSERT_GT(last, 1);
    struct Step
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int row, column;
    };
    // From (0, last).
    const Step steps[] = {
        {Qt::Key_Tab, {}, 1, 1},                     // last column: the next row's first
        {Qt::Key_Tab, Qt::ShiftModifier, 0, last},   // first column: the previous row's last
        {Qt::Key_Return, {}, 1, last},               // down
        {Qt::Key_Return, {}, 2, last},               //
        {Qt::Key_Return, {}, 2, last},               // last row: the same cell again
        {Qt::Key_Tab, {}, 2, last},                  // last cell: the same cell again
        {Qt::Key_Return, Qt::ShiftModifier, 1, last} // up
    };
    Click(0, last);
    ASSERT_NE(window.InPlaceControl(), nullptr);
    for (const Step& step : steps) {
        Key(step.key, step.modifiers);
        ASSERT_NE(window.InPlaceControl(), nullptr);
        EXPECT_EQ(window.EditRow(), step.row);
        EXPECT_EQ(window.EditColumn(), step.column);
        EXPECT_EQ(window.List()->selectionModel()->selectedRows().size(), 1);
    }
    window.EndInPlaceEditByScroll();
}

TEST_F(InPlaceEditTest, NewPriceLandsInEverySelectedRow)
{
    Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, UNITPRICE) VALUES "
         "('0001', 'A', '100'), ('0002', 'B', '200'), ('0003', 'C', '300'), ('0004', 'D', '400')");
    CListDlg& window = Show(1);
    const int price = ListColumn("UNITPRICE");
    ASSERT_TRUE(EditWithRows({0, 2}, 3, price, QStringLiteral("555")));
    EXPECT_EQ(
        Rows("CIA001", {"ITEMCODE", "UNITPRICE"}),
        (QList<QStringList>{{"0001", "555"}, {"0002", "200"}, {"0003", "555"}, {"0004", "555"}}));
    EXPECT_EQ(window.Model()->index(0, price).data().toString(),
              window.Model()->index(3, price).data().toString());
    EXPECT_TRUE(m_suite.messages().isEmpty());
}

TEST_F(InPlaceEditTest, RefusedValueChangesNoOtherRowAndNamesItsCode)
{
    Exec("INSERT INTO CSB004 (CLKCODE, CLKNAME) VALUES ('0001', 'Ann'), ('0002', 'Bob'), "
         "('0003', 'Cy')");
    Show(4);
    const int key = ListColumn("CRDS_PR_CLMN_DALLASKEYID");
    QStringList texts;
    platform::setMessageResponder([&](const platform::MessageRequest& request) {
        texts << request.text;
        return int(platform::IDOK);
    });
    ASSERT_TRUE(EditWithRows({1, 2}, 0, key, QStringLiteral("K9")));
    EXPECT_EQ(Rows("CSB010", {"DALLASKEYID", "CLKCODE"}), (QList<QStringList>{{"K9", "0001"}}));
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].endsWith(" (0002)")) << texts[0].toStdString();
    EXPECT_GT(texts[0].size(), 7);
}

TEST_F(InPlaceEditTest, InvalidValueShowsThePageMessageAndIsDiscarded)
{
    Exec("INSERT INTO CIB001 (SETITEMCODE, SETITEMNAME, LISTMIN) VALUES ('1', 'Set', '2')");
    CListDlg& window = Show(7);
    Click(0, ListColumn("LISTMIN"));
    ASSERT_NE(Editor(), nullptr);
    Editor()->setText(QStringLiteral("1.5"));
    Key(Qt::Key_Return);
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_CMN_ERR_INPUT"});
    EXPECT_EQ(Value("CIB001", "LISTMIN", "1"), "2");
    EXPECT_EQ(window.EditRow(), 0);
    window.EndInPlaceEditByScroll();
}

TEST_F(InPlaceEditTest, EscapeDiscardsAChangedCellClosingTheWindowSavesIt)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Food')");
    CListDlg& window = Show(0);
    Click(0, ListColumn("ITEMDEPTNAME"));
    ASSERT_NE(Editor(), nullptr);
    Editor()->setText(QStringLiteral("Meals"));
    // Escape ends the cell's editor only, unwritten; the window stays.
    Key(Qt::Key_Escape);
    EXPECT_EQ(window.InPlaceControl(), nullptr);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.result(), 0);
    EXPECT_EQ(Value("CIA002", "ITEMDEPTNAME", "1"), "Food");
    Click(0, ListColumn("ITEMDEPTNAME"));
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), "Food");
    Editor()->setText(QStringLiteral("Meals"));
    window.close();
    EXPECT_EQ(window.result(), 2);
    EXPECT_EQ(Value("CIA002", "ITEMDEPTNAME", "1"), "Meals");
}

TEST_F(InPlaceEditTest, RadioPopupOffersTheGroupsChoices)
{
    Exec("INSERT INTO CSA001 (ITEMPARMCODE, ITEMPARMNAME, HASHITEMFLG) VALUES "
         "('000001', 'A', '0'), ('000002', 'B', '0')");
    CListDlg& window = Show(2);
    const int hash = ListColumn("HASHITEMFLG");
    Click(0, hash);
    CSelectRadioDlg* popup = window.RadioPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(popup->isVisible());
    EXPECT_TRUE(FindControlById(popup, CSelectRadioDlg::IDC_RADIO2)->isVisible());
    EXPECT_FALSE(FindControlById(popup, CSelectRadioDlg::IDC_RADIO3)->isVisible());
    // A click chooses and stays on the row.
    auto* other = qobject_cast<QRadioButton*>(FindControlById(popup, CSelectRadioDlg::IDC_RADIO1));
    if (other->isChecked())
        other = qobject_cast<QRadioButton*>(FindControlById(popup, CSelectRadioDlg::IDC_RADIO2));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
    // Straight to the radio: the offscreen platform does not route test
    // clicks into tool windows.
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(5, 5), other->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(other, &event);
    }
    // The choice is taken a few events later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.RadioPopup() == nullptr; }));
    EXPECT_EQ(window.RadioPopup(), nullptr);
    EXPECT_EQ(window.EditRow(), 0);
    EXPECT_NE(Value("CSA001", "HASHITEMFLG", "ITEMPARMCODE = '000001'"), "0");
    // Tab moves on.
    Click(1, hash);
    ASSERT_NE(window.RadioPopup(), nullptr);
    QTest::keyClick(window.RadioPopup()->focusWidget(), Qt::Key_Tab);
    const auto movedOn = [&] { return window.EditColumn() != hash || window.EditRow() != 1; };
    EXPECT_TRUE(QTest::qWaitFor(movedOn));
    EXPECT_TRUE(window.RadioPopup() != nullptr || window.InPlaceControl() != nullptr);
    EXPECT_TRUE(movedOn());
    window.EndInPlaceEditByScroll();
}

} // namespace
