// The easy list window: its buttons, its double-click option, its keys and
// its in-place editing on a work database.
#include "goods/CListDlgEasy.h"
#include "goods/CListFileCommands.h"
#include "goods/CMainListCtrlEasy.h"
#include "goods/base/CRecordListModel.h"
#include "goods/CResDispDlg.h"
#include "goods/CSelectRadioDlg.h"
#include "goods/CTabDlg.h"

#include "goods/tests/ListDlgFixture.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "testsupport/EventWaits.h"
#include "testsupport/FixedClock.h"
#include "testsupport/ModalDriver.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>
#include <QToolButton>

using namespace brelkin;
using korvane::test::WhenModal;

namespace {

class CListDlgEasyTest : public ListDlgFixture
{
protected:
    void SetUp() override
    {
        ListDlgFixture::SetUp();
        QCoreApplication::setOrganizationName(QStringLiteral("KorvaneEasyTest"));
        QSettings().clear();
    }
    void TearDown() override
    {
        m_easy.reset();
        ListDlgFixture::TearDown();
    }

    CListDlgEasy& Show(int entry)
    {
        m_easy.reset();
        m_modes = std::make_unique<CGoodsModeTable>();
        const int kind = WindowKindOfEntry(entry);
        m_easy = std::make_unique<CListDlgEasy>(m_modes->Entry(entry), 16006, nullptr, kind, false);
        if (kind == 13)
            m_easy->SetSecondDataManager(m_modes->SetPriceEntry());
        m_easy->Create();
        m_easy->show();
        m_entry = entry;
        EXPECT_TRUE(QTest::qWaitForWindowExposed(m_easy.get()));
        return *m_easy;
    }

    CMainListCtrlEasy* List() { return m_easy->EasyList(); }
    bool Enabled(uint id) { return FindControlById(m_easy.get(), id)->isEnabled(); }

    int ListColumn(const QString& name) { return ListColumnOf(*m_easy, name); }
    QPoint CellCenter(int row, int column) { return CellCenterOf(*m_easy, row, column); }

    // A press and a release on the cell: it becomes the selection and the
    // current cell.
    void Click(int row, int column, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers, CellCenter(row, column));
        korvane::test::RunQueuedWork();
    }

    void DoubleClick(int row, int column, Qt::KeyboardModifiers modifiers = {})
    {
        const QPoint point = CellCenter(row, column);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers, point);
        QMouseEvent second(QEvent::MouseButtonDblClick, point,
                           List()->viewport()->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton,
                           modifiers);
        QApplication::sendEvent(List()->viewport(), &second);
        QTest::mouseRelease(List()->viewport(), Qt::LeftButton, modifiers, point);
        korvane::test::RunQueuedWork();
    }

    // A drag down one column.
    void DragOver(int column, int fromRow, int toRow)
    {
        QTest::mousePress(List()->viewport(), Qt::LeftButton, {}, CellCenter(fromRow, column));
        for (int row = fromRow; row <= toRow; ++row) {
            QMouseEvent move(QEvent::MouseMove, CellCenter(row, column),
                             List()->viewport()->mapToGlobal(CellCenter(row, column)), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(List()->viewport(), &move);
        }
        QTest::mouseRelease(List()->viewport(), Qt::LeftButton, {}, CellCenter(toRow, column));
        korvane::test::RunQueuedWork();
    }

    // The cell cursor on (row, column) by keys from the first cell.
    void GoTo(int row, int column)
    {
        Click(0, 0);
        for (int i = 0; i < row; ++i)
            ListKey(Qt::Key_Down);
        for (int i = 0; i < column; ++i)
            ListKey(Qt::Key_Right);
    }

    void ListKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(List(), key, modifiers);
    }

    QLineEdit* Editor() { return qobject_cast<QLineEdit*>(m_easy->InPlaceControl()); }

    // Keys reach the editor through the window's filter, which moves after them.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget* target = m_easy->InPlaceControl();
        if (auto* combo = qobject_cast<QComboBox*>(target); combo && combo->lineEdit())
            target = combo->lineEdit();
        QTest::keyClick(target, key, modifiers);
        korvane::test::RunQueuedWork();
    }

    std::unique_ptr<CListDlgEasy> m_easy;
};

TEST_F(CListDlgEasyTest, EmptyTableOffersBackInsertImportAndHelpUntilARecordExists)
{
    CListDlgEasy& window = Show(0);
    for (uint id : {2u, 23048u, 23080u, 33002u})
        EXPECT_TRUE(Enabled(id)) << id;
    for (uint id : {1u, 23047u, 23083u, 23204u})
        EXPECT_FALSE(Enabled(id)) << id;
    for (uint id : {23027u, 23028u})
        EXPECT_FALSE(FindControlById(&window, id)->isVisible()) << id;
    // No text file commands in the window menu: they are buttons here.
    EXPECT_FALSE(window.MenuButton()->isVisible());

    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Food')");
    CListDlgEasy& filled = Show(0);
    EXPECT_TRUE(Enabled(23083));
    EXPECT_TRUE(Enabled(23204));
    // Delete-all (its question answered OK) empties the table and reads it
    // again.
    filled.OnCommand(23204);
    EXPECT_EQ(Rows("CIA002", {"ITEMDEPTCODE"}), QList<QStringList>{});
    EXPECT_EQ(filled.Model()->rowCount(), 0);
    EXPECT_FALSE(Enabled(23083));
    EXPECT_FALSE(Enabled(23204));
}

TEST_F(CListDlgEasyTest, EasyItemsShowTheEasyColumnsAndRestaurantItemsTheirSetPrices)
{
    Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME) VALUES ('0001', 'Tea')");
    Exec("INSERT INTO CIB003 (ITEMCODE, SETPRICE1) VALUES ('0001', '100')");
    CListDlgEasy& easy = Show(CGoodsModeTable::kEasyPluEntry);
    EXPECT_EQ(easy.WindowKind(), 1);
    const CColumnDataList* list = m_modes->Entry(m_entry)->GetColumnDataList();
    EXPECT_EQ(list, m_modes->Entry(CGoodsModeTable::kEasyPluEntry)->GetColumnDataList());
    // The list's columns in the easy form's order.
    int previous = -1;
    for (int c = 0; c < easy.Model()->columnCount(); ++c) {
        EXPECT_GT(easy.Model()->ColumnIndex(c), previous);
        previous = easy.Model()->ColumnIndex(c);
    }
    EXPECT_EQ(easy.Model()->index(0, 0).data().toString(), "0001");

    CListDlgEasy& restaurant = Show(14);
    EXPECT_EQ(restaurant.WindowKind(), 13);
    EXPECT_EQ(m_modes->SetPriceEntry()->m_arrRecords.GetSize(), 1);
}

TEST_F(CListDlgEasyTest, DoubleClickOptionSurvivesARestart)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Food'), "
         "('000002', 'Tea')");
    CListDlgEasy& first = Show(0);
    auto* editDirect = qobject_cast<QRadioButton*>(FindControlById(&first, 23077));
    auto* showDialog = qobject_cast<QRadioButton*>(FindControlById(&first, 23078));
    EXPECT_TRUE(editDirect->isChecked());
    EXPECT_EQ(List()->DblClkAction(), CMainListCtrlEasy::ACTION_EDIT_IN_PLACE);
    QTest::mouseClick(showDialog, Qt::LeftButton);
    EXPECT_EQ(List()->DblClkAction(), CMainListCtrlEasy::ACTION_RECORD_EDITOR);
    first.close();
    // The profile file holds it.
    QSettings settings;
    settings.sync();
    QFile profile(settings.fileName());
    ASSERT_TRUE(profile.open(QIODevice::ReadOnly));
    const QByteArray text = profile.readAll();
    EXPECT_TRUE(text.contains("[ITEMSETTTING]")) << text.toStdString();
    EXPECT_TRUE(text.contains("DBLCLKACTION=1")) << text.toStdString();

    CListDlgEasy& second = Show(0);
    EXPECT_TRUE(qobject_cast<QRadioButton*>(FindControlById(&second, 23078))->isChecked());
    EXPECT_EQ(List()->DblClkAction(), CMainListCtrlEasy::ACTION_RECORD_EDITOR);
    // A double click anywhere on a row opens the editor on the first
    // selected row.
    int opened = -1;
    WhenModal<CTabDlg>([&](CTabDlg& editor) {
        opened = second.EditRow();
        editor.reject();
    });
    DoubleClick(1, ListColumn("ITEMDEPTNAME"));
    (void)QTest::qWaitFor([&opened] { return opened != -1; }, 5000);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(second.InPlaceControl(), nullptr);
}

TEST_F(CListDlgEasyTest, DoubleClickWithTheEditOptionEditsTheCellButNeverTheCode)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Food')");
    CListDlgEasy& window = Show(0);
    bool editorOpened = false;
    WhenModal<CTabDlg>(
        [&](CTabDlg& editor) {
            editorOpened = true;
            editor.reject();
        },
        20);
    DoubleClick(0, 0);
    EXPECT_EQ(window.InPlaceControl(), nullptr);
    const int name = ListColumn("ITEMDEPTNAME");
    DoubleClick(0, name);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), "Food");
    EXPECT_EQ(window.EditColumn(), name);
    QTest::qWait(250);
    EXPECT_FALSE(editorOpened);
    Key(Qt::Key_Escape);
    EXPECT_EQ(window.InPlaceControl(), nullptr);
}

TEST_F(CListDlgEasyTest, TypingOnTheListChangesNothingAndF2EditsTheCurrentCell)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Food'), "
         "('000002', 'Tea')");
    CListDlgEasy& window = Show(0);
    const int name = ListColumn("ITEMDEPTNAME");
    Click(1, name);
    const CellRange before = List()->CellSelection();
    const QModelIndexList rowsBefore = List()->selectionModel()->selectedRows();
    QTest::keyClicks(List(), QStringLiteral("Ab9;"));
    QTest::keyClick(List(), Qt::Key_5, Qt::KeypadModifier);
    EXPECT_EQ(List()->CellSelection(), before);
    EXPECT_EQ(List()->selectionModel()->selectedRows(), rowsBefore);
    EXPECT_EQ(window.InPlaceControl(), nullptr);
    EXPECT_EQ(Rows("CIA002", {"ITEMDEPTNAME"}), (QList<QStringList>{{"Food"}, {"Tea"}}));

    // The cursor keys move the cell, F2 edits where it is.
    ListKey(Qt::Key_Up);
    EXPECT_EQ(List()->CellSelection(), (CellRange{name, 0, name, 0}));
    ListKey(Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(Editor()->text(), "Food");
    EXPECT_EQ(window.EditRow(), 0);
    EXPECT_EQ(List()->selectionModel()->selectedRows().size(), 1);
    Key(Qt::Key_Escape);
}

TEST_F(CListDlgEasyTest, CtrlASelectsEveryRowAndTheWholeCellArea)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'A'), "
         "('000002', 'B'), ('000003', 'C')");
    CListDlgEasy& window = Show(0);
    Click(1, 1);
    QTest::keyClick(List(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(List()->selectionModel()->selectedRows().size(), 3);
    EXPECT_EQ(List()->CellSelection(), (CellRange{0, 0, window.Model()->columnCount() - 1, 2}));
}

TEST_F(CListDlgEasyTest, EditorKeysMoveThroughTheCells)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES "
         "('000001', 'A'), ('000002', 'B'), ('000003', 'C')");
    CListDlgEasy& window = Show(0);
    const int name = ListColumn("ITEMDEPTNAME");
    const int last = window.Model()->columnCount() - 1;
    struct Step
    {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int row, column;
    };
    // From (0, name), the name's text all selected at first.
    const Step steps[] = {
        {Qt::Key_Return, {}, 1, name},                // down
        {Qt::Key_Return, Qt::ShiftModifier, 0, name}, // up
        {Qt::Key_Return, {}, 1, name},                //
        {Qt::Key_Return, {}, 2, name},                //
        {Qt::Key_Return, {}, 2, name},                // last row: the same cell again
        {Qt::Key_Home, {}, 2, name},                  // the caret to the start
        {Qt::Key_Left, {}, 1, last},                  // at the start: the cell before
        {Qt::Key_Tab, {}, 2, 1},                      // last column: the next row's first
        {Qt::Key_Tab, Qt::ShiftModifier, 1, last},    // first column: the previous row's last
    };
    GoTo(0, name);
    ListKey(Qt::Key_F2);
    ASSERT_NE(window.InPlaceControl(), nullptr);
    for (const Step& step : steps) {
        Key(step.key, step.modifiers);
        ASSERT_NE(window.InPlaceControl(), nullptr) << step.row << "," << step.column;
        EXPECT_EQ(window.EditRow(), step.row);
        EXPECT_EQ(window.EditColumn(), step.column);
        EXPECT_EQ(List()->CellSelection(),
                  (CellRange{step.column, step.row, step.column, step.row}));
    }
    // Right at the end of the text moves on; inside it only the caret moves.
    window.MoveInPlaceEdit(1, 0, false);
    GoTo(0, name);
    ListKey(Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    Key(Qt::Key_Home);
    Key(Qt::Key_Right); // "A": the caret at the end now
    EXPECT_EQ(window.EditColumn(), name);
    Key(Qt::Key_Right);
    EXPECT_EQ(window.EditColumn(), name + 1);
    Key(Qt::Key_Escape);
}

TEST_F(CListDlgEasyTest, InAComboBothArrowsAlwaysMove)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'A'), ('000002', 'B')");
    CListDlgEasy& window = Show(0);
    const int last = window.Model()->columnCount() - 1;
    // The first column edited with a combo box that takes no text.
    int combo = -1;
    for (int c = 1; c <= last && combo < 0; ++c) {
        GoTo(0, c);
        ListKey(Qt::Key_F2);
        const auto* box = qobject_cast<QComboBox*>(window.InPlaceControl());
        if (box && !box->isEditable())
            combo = c;
        else
            window.MoveInPlaceEdit(1, 0, false);
    }
    ASSERT_GT(combo, 0);
    Key(Qt::Key_Right);
    EXPECT_EQ(QPoint(window.EditColumn(), window.EditRow()),
              combo == last ? QPoint(1, 1) : QPoint(combo + 1, 0));
    window.MoveInPlaceEdit(1, 0, false);
    GoTo(1, combo);
    ListKey(Qt::Key_F2);
    ASSERT_NE(qobject_cast<QComboBox*>(window.InPlaceControl()), nullptr);
    Key(Qt::Key_Left);
    EXPECT_EQ(QPoint(window.EditColumn(), window.EditRow()),
              combo == 1 ? QPoint(last, 0) : QPoint(combo - 1, 1));
    window.MoveInPlaceEdit(1, 0, false);
}

TEST_F(CListDlgEasyTest, EscapeKeepsAChangedValueAndWritesNothingForAnUnchangedOne)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME, UPDATEDATETIME) VALUES "
         "('000001', 'Food', 'old'), ('000002', 'Tea', 'old')");
    korvane::test::FixedClock clock(QDateTime(QDate(2026, 5, 6), QTime(7, 8, 9)));
    CListDlgEasy& window = Show(0);
    const int name = ListColumn("ITEMDEPTNAME");
    GoTo(0, name);
    ListKey(Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    Key(Qt::Key_Escape);
    EXPECT_EQ(window.InPlaceControl(), nullptr);
    EXPECT_EQ(Rows("CIA002", {"UPDATEDATETIME"}), (QList<QStringList>{{"old"}, {"old"}}));
    ListKey(Qt::Key_F2);
    ASSERT_NE(Editor(), nullptr);
    Editor()->setText(QStringLiteral("Meals"));
    Key(Qt::Key_Escape);
    EXPECT_EQ(window.InPlaceControl(), nullptr);
    EXPECT_EQ(Rows("CIA002", {"ITEMDEPTNAME", "UPDATEDATETIME"}),
              (QList<QStringList>{{"Meals", "20260506070809"}, {"Tea", "old"}}));
    EXPECT_TRUE(List()->hasFocus());
}

TEST_F(CListDlgEasyTest, CancelledPopupWritesNothing)
{
    Exec("INSERT INTO CSA001 (ITEMPARMCODE, ITEMPARMNAME, HASHITEMFLG, UPDATEDATETIME) VALUES "
         "('000001', 'A', '0', 'old')");
    CListDlgEasy& window = Show(2);
    GoTo(0, ListColumn("HASHITEMFLG"));
    ListKey(Qt::Key_F2);
    CSelectRadioDlg* popup = window.RadioPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
    QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, Qt::Key_Escape);
    (void)QTest::qWaitFor([&] { return window.RadioPopup() == nullptr; }, 5000);
    EXPECT_EQ(window.RadioPopup(), nullptr);
    EXPECT_EQ(Rows("CSA001", {"HASHITEMFLG", "UPDATEDATETIME"}),
              (QList<QStringList>{{"0", "old"}}));
}

TEST_F(CListDlgEasyTest, SelectedRowsTakeANewNameTogether)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES "
         "('000001', 'A'), ('000002', 'B'), ('000003', 'C'), ('000004', 'D')");
    Show(0);
    const int name = ListColumn("ITEMDEPTNAME");
    // A drag over three rows of the names, then Shift and a double click in
    // the block.
    DragOver(name, 0, 2);
    EXPECT_EQ(List()->CellSelection(), (CellRange{name, 0, name, 2}));
    DoubleClick(0, name, Qt::ShiftModifier);
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(List()->selectionModel()->selectedRows().size(), 3);
    Editor()->setText(QStringLiteral("Same"));
    Key(Qt::Key_Escape);
    EXPECT_EQ(Rows("CIA002", {"ITEMDEPTNAME"}),
              (QList<QStringList>{{"Same"}, {"Same"}, {"Same"}, {"D"}}));
    EXPECT_TRUE(m_suite.messages().isEmpty());
}

TEST_F(CListDlgEasyTest, ValueRefusedForOneRowChangesNoneAndNamesItsCode)
{
    Exec("INSERT INTO CSB004 (CLKCODE, CLKNAME) VALUES ('0001', 'Ann'), ('0002', 'Bob'), "
         "('0003', 'Cy')");
    CListDlgEasy& window = Show(4);
    const int key = ListColumn("CRDS_PR_CLMN_DALLASKEYID");
    QStringList texts;
    platform::setMessageResponder([&](const platform::MessageRequest& request) {
        texts << request.text;
        return int(platform::IDOK);
    });
    DragOver(key, 0, 2);
    DoubleClick(0, key, Qt::ShiftModifier);
    ASSERT_NE(Editor(), nullptr);
    Editor()->setText(QStringLiteral("K9"));
    Key(Qt::Key_Escape);
    // The edited row keeps it; the key cannot go to a second clerk.
    EXPECT_EQ(Rows("CSB010", {"DALLASKEYID", "CLKCODE"}), (QList<QStringList>{{"K9", "0001"}}));
    ASSERT_EQ(texts.size(), 1);
    EXPECT_TRUE(texts[0].endsWith(" (0002)")) << texts[0].toStdString();
    EXPECT_EQ(window.InPlaceControl(), nullptr);
}

TEST_F(CListDlgEasyTest, CopiedCellsPasteIntoOtherRowsThroughTheLog)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Food'), "
         "('000002', 'Tea'), ('000003', 'C'), ('000004', 'D')");
    CListDlgEasy& window = Show(0);
    const int name = ListColumn("ITEMDEPTNAME");
    List()->SetCellSelection({0, 0, name, 1});
    QTest::keyClick(List(), Qt::Key_C, Qt::ControlModifier);
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_EQ(copied.split(QRegularExpression("\\r?\\n"), Qt::SkipEmptyParts).size(), 2)
        << copied.toStdString();
    EXPECT_TRUE(copied.contains("Food")) << copied.toStdString();

    // At column 0 the pasted codes are ignored: rows 3 and 4 take the names.
    List()->SetCellSelection({0, 2, 0, 2});
    QTest::keyClick(List(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_NE(window.FileCommands()->Log(), nullptr);
    EXPECT_EQ(Rows("CIA002", {"ITEMDEPTCODE", "ITEMDEPTNAME"}),
              (QList<QStringList>{
                  {"000001", "Food"}, {"000002", "Tea"}, {"000003", "Food"}, {"000004", "Tea"}}));
    EXPECT_EQ(List()->CellSelection(), (CellRange{0, 2, name, 3}));
    window.FileCommands()->Log()->close();
}

} // namespace
