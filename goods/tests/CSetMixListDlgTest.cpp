// The set menu and mix & match list window: one record at a time, changed
// only in its editor, deleted with its children, saved with its children in
// one transaction.
#include "goods/base/CRecordListModel.h"
#include "goods/CSetMixListDlg.h"
#include "goods/CSetMixPageDlg.h"
#include "goods/CSetMixTabDlg.h"
#include "goods/base/CMainListCtrl.h"

#include "goods/tests/SetMixFixture.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"
#include "testsupport/FixedClock.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using namespace brelkin;
using korvane::test::WhenModal;

namespace {

class CSetMixListDlgTest : public SetMixFixture
{
protected:
    void MakeSetMenus()
    {
        Exec("INSERT INTO CIB001 (SETITEMCODE, SETITEMNAME) VALUES ('S1', 'Lunch'), "
             "('S2', 'Dinner'), ('S3', 'Snack')");
        Exec("INSERT INTO CIB002 (SETITEMCODE, LISTNUMBER, ITEMCODE, ITEMCODETYPE, "
             "UNITPRICECODE, CREATEDATETIME) VALUES ('S1', '01', '0001', '0', '00', 'old'), "
             "('S1', '02', '0002', '0', '01', 'old'), ('S2', '01', 'S1', '1', '00', 'old')");
    }
    QString Cell(int row, unsigned labelId)
    {
        CRecordListModel* model = m_window->Model();
        for (int c = 0; c < model->columnCount(); ++c)
            if (m_modes->Entry(m_entry)
                    ->GetColumnDataList()
                    ->m_ppColumnData[model->ColumnIndex(c)]
                    ->m_nLabelCtrlID == labelId)
                return model->data(model->index(row, c)).toString();
        return QStringLiteral("<no column>");
    }
};

TEST_F(CSetMixListDlgTest, OneRecordAtATimeAndNoCellEditing)
{
    MakeSetMenus();
    CSetMixListDlg& window = Open(kSetMenuEntry);
    ASSERT_EQ(window.Model()->rowCount(), 3);
    CMainListCtrl* list = window.List();
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 1);
    // A click on a selected row's cell opens no editor.
    const QModelIndex cell = window.Model()->index(0, 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(cell).center());
    QTest::qWait(QApplication::doubleClickInterval() + 60);
    EXPECT_EQ(window.InPlaceControl(), nullptr);
    EXPECT_EQ(window.RadioPopup(), nullptr);
    // No context menu comes up.
    bool menuShown = false;
    bool looked = false;
    QTimer::singleShot(50, [&menuShown, &looked] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            menuShown = true;
            popup->close();
        }
        looked = true;
    });
    emit list->customContextMenuRequested(QPoint(5, 5));
    (void)QTest::qWaitFor([&looked] { return looked; }, 5000);
    EXPECT_FALSE(menuShown);
}

TEST_F(CSetMixListDlgTest, ASetPriceOfferShowsNoTargetItemType)
{
    Exec("INSERT INTO CSA004 (MMCODE, MMNAME, MMDISCOUNTTYPE, TARGETITEMTYPE) VALUES "
         "('000001', 'A', '2', '1'), ('000002', 'B', '0', '1'), ('000003', 'C', '3', '2')");
    for (int entry : {8, 12}) {
        SCOPED_TRACE(entry);
        CSetMixListDlg& window = Open(entry);
        EXPECT_EQ(window.MMDiscountTypeColumn(), 2);
        EXPECT_EQ(Cell(0, 23152), "");
        EXPECT_EQ(Cell(1, 23152), GetLangString("CRDS_PR_MIXMATCH_DISCOUNT_CHEAPESTITEM"));
        EXPECT_EQ(Cell(2, 23152), GetLangString("CRDS_PR_MIXMATCH_DISCOUNT_MOSTEXPENSIVEITEM"));
        EXPECT_EQ(Cell(0, 23132), GetLangString("CRDS_PR_MIXMATCH_SETPRICE"));
    }
}

// An OK that changes nothing keeps every stored value, NULL too: the values
// the page's field rules put into its controls as it opens are no change of
// the user's. The update stamp says the OK went through.
TEST_F(CSetMixListDlgTest, AnOkWithoutChangesKeepsEveryStoredValue)
{
    Exec("INSERT INTO CSA004 (MMCODE, MMNAME, MMDISCOUNTTYPE, CONDITIONTYPE, DISCOUNTTYPE, "
         "DISCOUNTAMT, DISCOUNTRATE, TARGETITEMTYPE, TARGETITEMCODE) VALUES "
         "('000001', 'Amount off', '0', '0', '0', '100', NULL, '0', NULL), " // rate shows 0
         "('000002', 'Set price', '2', '0', NULL, NULL, '5', '1', '0003'), " // kind forces all
         "('000003', 'Rate off', '3', '0', '1', NULL, '10', NULL, NULL)");   // amount shows 0
    const QStringList columns{"MMNAME",         "MMDISCOUNTTYPE", "CONDITIONTYPE",
                              "DISCOUNTTYPE",   "DISCOUNTAMT",    "DISCOUNTRATE",
                              "TARGETITEMTYPE", "TARGETITEMCODE", "CREATEDATETIME"};
    QStringList stored;
    for (const QString& column : columns)
        stored << QStringLiteral("IFNULL(%1, '<null>')").arg(column);
    const QList<QStringList> before = Rows("CSA004", stored, {}, "MMCODE");
    korvane::test::FixedClock clock(QDateTime(QDate(2026, 5, 6), QTime(7, 8, 9)));
    CSetMixListDlg& window = Open(kMixMatchEntry);
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        window.List()->selectionModel()->setCurrentIndex(window.Model()->index(row, 0),
                                                         QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
        bool opened = false;
        WhenModal<CTabDlg>([&opened](CTabDlg& editor) {
            opened = true;
            qobject_cast<QPushButton*>(FindControlById(&editor, 1))->click();
        });
        window.accept();
        EXPECT_TRUE(opened);
    }
    EXPECT_EQ(Rows("CSA004", stored, {}, "MMCODE"), before);
    EXPECT_EQ(Rows("CSA004", {"UPDATEDATETIME"}),
              (QList<QStringList>(3, QStringList{"20260506070809"})));
}

TEST_F(CSetMixListDlgTest, DeletingARecordTakesItsChildrenWithIt)
{
    MakeSetMenus();
    CSetMixListDlg& window = Open(kSetMenuEntry);
    window.OnCommand(CListDlg::IDC_DELETE); // S1, the first
    EXPECT_EQ(Rows("CIB001", {"SETITEMCODE"}), (QList<QStringList>{{"S2"}, {"S3"}}));
    // Another set menu that names the deleted one keeps its row.
    EXPECT_EQ(Rows("CIB002", {"SETITEMCODE", "ITEMCODE"}), (QList<QStringList>{{"S2", "S1"}}));
    window.List()->selectionModel()->setCurrentIndex(window.Model()->index(1, 0),
                                                     QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    window.OnCommand(CListDlg::IDC_DELETE); // S3, without children
    EXPECT_EQ(Rows("CIB001", {"SETITEMCODE"}), (QList<QStringList>{{"S2"}}));
    EXPECT_EQ(m_suite.messages(), QStringList(2, "CRDS_PR_DELETE"));

    Exec("INSERT INTO CSA004 (MMCODE, MMNAME) VALUES ('000001', 'A')");
    Exec("INSERT INTO CSA006 (MMCODE, LISTNUMBER, ITEMTYPE, ITEMCODE, QTY) VALUES "
         "('000001', '01', '0', '0001', '1'), ('000002', '01', '0', '0001', '1')");
    Open(kMixMatchEntry).OnCommand(CListDlg::IDC_DELETE);
    EXPECT_TRUE(Rows("CSA004").isEmpty());
    EXPECT_EQ(Rows("CSA006", {"MMCODE"}), (QList<QStringList>{{"000002"}}));

    // The restaurant's set menus are set menus too.
    Exec("DELETE FROM CIB001");
    Exec("INSERT INTO CIB001 (SETITEMCODE, SETITEMNAME) VALUES ('R1', 'Menu')");
    Exec("INSERT INTO CIB002 (SETITEMCODE, LISTNUMBER, ITEMCODE) VALUES ('R1', '01', '0001')");
    Open(13).OnCommand(CListDlg::IDC_DELETE);
    EXPECT_EQ(Rows("CIB002", {"SETITEMCODE"}), (QList<QStringList>{{"S2"}}));
}

TEST_F(CSetMixListDlgTest, AFailedChildInsertLeavesRecordAndChildrenAsTheyWere)
{
    MakeSetMenus();
    Exec("INSERT INTO CIB002 (SETITEMCODE, LISTNUMBER, ITEMCODE, ITEMCODETYPE, UNITPRICECODE) "
         "VALUES ('S1', '03', '0003', '0', '02')");
    const QList<QStringList> before = Rows("CIB002", {}, {}, "1, 2");
    // The third child cannot be written again (it moves up below).
    Exec("CREATE TRIGGER third BEFORE INSERT ON CIB002 WHEN NEW.ITEMCODE = '0003' "
         "BEGIN SELECT RAISE(ABORT, 'no'); END");
    CSetMixListDlg& window = Open(kSetMenuEntry);
    bool edited = false;
    WhenModal<CTabDlg>([&edited](CTabDlg& editor) {
        ASSERT_NE(qobject_cast<CSetMixTabDlg*>(&editor), nullptr);
        auto* page = qobject_cast<CSetMixPageDlg*>(editor.Pages()[0]);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->ChildRows().GetCount(), 3);
        qobject_cast<QLineEdit*>(FindControlById(page, 20007))->setText("Brunch");
        page->DeleteChildRow(0, false);
        auto* ok = qobject_cast<QPushButton*>(FindControlById(&editor, 1));
        ok->click();
        // The editor stays open, its rows unchanged: a second OK tries again.
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(page->ChildRows().GetCount(), 2);
        edited = true;
        editor.reject();
    });
    window.accept();
    EXPECT_TRUE(edited);
    EXPECT_EQ(m_suite.messages(), (QStringList{"CRDS_CMN_COMFIRM_SAVE", "CRDS_CMN_ERR_SAVE_FAILED",
                                               "CRDS_CMN_ERR_SETWRITE_FAILED"}));
    EXPECT_EQ(Value("CIB001", "SETITEMNAME", "SETITEMCODE = 'S1'"), "Lunch");
    EXPECT_EQ(Rows("CIB002", {}, {}, "1, 2"), before);
    EXPECT_EQ(window.Model()->data(window.Model()->index(0, 1)).toString(), "Lunch");

    // Without the fault the same save lands whole.
    Exec("DROP TRIGGER third");
    WhenModal<CTabDlg>([](CTabDlg& editor) {
        qobject_cast<QLineEdit*>(FindControlById(editor.Pages()[0], 20007))->setText("Brunch");
        qobject_cast<CSetMixPageDlg*>(editor.Pages()[0])->DeleteChildRow(0, false);
        qobject_cast<QPushButton*>(FindControlById(&editor, 1))->click();
    });
    window.accept();
    EXPECT_EQ(Value("CIB001", "SETITEMNAME", "SETITEMCODE = 'S1'"), "Brunch");
    EXPECT_EQ(Rows("CIB002", {"LISTNUMBER", "ITEMCODE"}, "SETITEMCODE = 'S1'", "1"),
              (QList<QStringList>{{"01", "0002"}, {"02", "0003"}}));
}

} // namespace
