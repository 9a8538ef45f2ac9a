#include "shared/controls/CItemSelectButton.h"
#include "shared/dialogs/CSelectCustomItemDlg.h"
#include "shared/dialogs/CSelectItemModel.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/LayoutCheck.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "testsupport/LayoutCheck.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/WideRows.h"
#include "shared/tests/WorkDbFixture.h"
#include "testsupport/ModalDriver.h"

#include <functional>

namespace {

TEST(CSelectItemModel, PassesTheModelTesterAndReadsRowsByIndex)
{
    CStringArrayPtrList rows;
    rows.AddTail(new QStringList{"01", "One"});
    rows.AddTail(new QStringList{"02", "Two"});
    CSelectItemModel model(&rows);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.SetHeaders({"Code", "Name"});
    model.Reload();
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), "Two");
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Code");
    rows.AddTail(new QStringList{"03", "Three"});
    model.Reload();
    EXPECT_EQ(model.data(model.index(2, 0)).toString(), "03");
    CSqLiteUtility::FreeStringArrayListPtr(rows);
    model.Reload();
    EXPECT_EQ(model.rowCount(), 0);
}

// Runs `act` on the modal dialog once it is up.
void whenModal(const std::function<void(CSelectItemDlg*)>& act)
{
    korvane::test::WhenModal<CSelectItemDlg>([act](CSelectItemDlg& dlg) { act(&dlg); });
}

void chooseRow(CSelectItemDlg* dlg, int row, bool doubleClick)
{
    QTableView* view = dlg->ListCtrl();
    const QRect cell = view->visualRect(view->model()->index(row, 0));
    if (doubleClick) {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    } else {
        view->selectRow(row);
        QTest::mouseClick(static_cast<QPushButton*>(FindControlById(dlg, 1)), Qt::LeftButton);
    }
}

void cancel(CSelectItemDlg* dlg)
{
    QTest::mouseClick(static_cast<QPushButton*>(FindControlById(dlg, 2)), Qt::LeftButton);
}

class Choosers : public WorkDbFixture
{
protected:
    void SetUp() override
    {
        CreateTables({"CIA001", "CIA002", "CIB001", "CSB002", "CSM018"});
        Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001','Fruit'),"
             "('000002','Bread')");
        Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, ITEMDEPTCODE) VALUES "
             "('0000000000000003','Pear','000001'),('0000000000000001','Apple','000001'),"
             "('0000000000000002','Rye','000002')");
        Exec("INSERT INTO CIB001 (SETITEMCODE, SETITEMNAME) VALUES ('0000000000000001','Lunch')");
        Exec("INSERT INTO CSM018 (FUNCTIONCODE, FUNCTIONTYPE) VALUES "
             "('000010','10000000000000000000')");
        Exec("INSERT INTO CSB002 (FUNCKEYCODE, FUNCKEYNAME, FUNCTIONCODE) VALUES "
             "('000001','Cash','000010')");
    }
};

struct KindCase
{
    int kind;
    QString dept;
    QString caption;
    QStringList headers;
    QList<int> widths;
    int rows;
    int chosenRow;
    QString code, name;
};

TEST_F(Choosers, EachKindFillsFromTheDatabaseWithItsTextsAndReturnsTheChoice)
{
    const QList<KindCase> cases = {
        {1, {}, "Department", {"Code", "Name"}, {80, 260}, 2, 1, "000002", "Bread"},
        {2, "000001", "Item", {"Code", "Name"}, {120, 220}, 2, 0, "0000000000000001", "Apple"},
        {3, {}, "Set Menu", {"Code", "Name"}, {100, 240}, 1, 0, "0000000000000001", "Lunch"},
        {4,
         {},
         "Function Key",
         {"Key Code", "Key Name", "Function"},
         {90, 170, 90},
         1,
         0,
         "000001",
         "Cash"},
    };
    for (const KindCase& c : cases) {
        for (bool doubleClick : {false, true}) {
            CSelectCustomItemDlg dlg;
            dlg.m_pSQliteDB = m_db.get();
            dlg.m_nSelectType = c.kind;
            dlg.m_strDeptCode = c.dept;
            dlg.SetDialogDefaultText();
            whenModal([&](CSelectItemDlg* shown) {
                EXPECT_EQ(shown->windowTitle(), c.caption);
                QTableView* view = shown->ListCtrl();
                QStringList headers;
                QList<int> widths;
                for (int i = 0; i < view->model()->columnCount(); ++i) {
                    headers << view->model()->headerData(i, Qt::Horizontal).toString();
                    widths << view->columnWidth(i);
                }
                EXPECT_EQ(headers, c.headers);
                // The texts give the widths; the code column widens to
                // show its widest code whole.
                EXPECT_EQ(widths.mid(1), c.widths.mid(1));
                EXPECT_GE(widths.value(0), c.widths.value(0));
                EXPECT_EQ(korvane::test::LayoutFaults(shown), QStringList());
                EXPECT_EQ(view->model()->rowCount(), c.rows);
                EXPECT_EQ(static_cast<QPushButton*>(FindControlById(shown, 1))->text(), "OK");
                chooseRow(shown, c.chosenRow, doubleClick);
            });
            EXPECT_EQ(dlg.DoModal(), 1) << c.kind;
            EXPECT_EQ(dlg.m_strSelectCode, c.code);
            EXPECT_EQ(dlg.m_strSelectName, c.name);
        }
    }
}

// A 40-character name takes the room the list has to spare: whole where
// there is enough (the departments), else its columns reach the list's edge.
TEST_F(Choosers, AWideNameTakesTheRoomTheListHasToSpare)
{
    const QString wide = korvane::test::kWideName;
    Exec(QStringLiteral("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000003','%1')")
             .arg(wide));
    Exec(QStringLiteral("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, ITEMDEPTCODE) VALUES "
                        "('0000000000000004','%1','000001')")
             .arg(wide));
    Exec(QStringLiteral("INSERT INTO CIB001 (SETITEMCODE, SETITEMNAME) VALUES "
                        "('0000000000000002','%1')")
             .arg(wide));
    Exec(QStringLiteral("INSERT INTO CSB002 (FUNCKEYCODE, FUNCKEYNAME, FUNCTIONCODE) VALUES "
                        "('000002','%1','000010')")
             .arg(wide));
    for (int kind : {1, 2, 3, 4}) {
        CSelectCustomItemDlg dlg;
        dlg.m_pSQliteDB = m_db.get();
        dlg.m_nSelectType = kind;
        dlg.m_strDeptCode = QStringLiteral("000001");
        dlg.SetDialogDefaultText();
        whenModal([&](CSelectItemDlg* shown) {
            const QTableView* view = shown->ListCtrl();
            const int need =
                QFontMetrics(view->font()).horizontalAdvance(wide) +
                2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
            const bool whole = view->columnWidth(1) >= need;
            if (kind == CSelectCustomItemDlg::SELECT_DEPT)
                EXPECT_TRUE(whole) << view->columnWidth(1) << " of " << need;
            EXPECT_TRUE(whole || view->horizontalHeader()->length() >= view->viewport()->width())
                << kind;
            EXPECT_EQ(korvane::test::LayoutFaults(shown), QStringList()) << kind;
            cancel(shown);
        });
        EXPECT_EQ(dlg.DoModal(), 2) << kind;
    }
}

TEST_F(Choosers, OkWithoutARowStaysOpenAndCancelReturnsNothing)
{
    CSelectCustomItemDlg dlg(SELITDLG_SHORT, nullptr);
    dlg.m_pSQliteDB = m_db.get();
    dlg.m_nSelectType = CSelectCustomItemDlg::SELECT_DEPT;
    dlg.SetDialogCustomText("", "Dept", "");
    whenModal([](CSelectItemDlg* shown) {
        EXPECT_EQ(shown->windowTitle(), "Department");
        EXPECT_EQ(shown->ListCtrl()->model()->headerData(0, Qt::Horizontal).toString(), "Dept");
        EXPECT_EQ(shown->ListCtrl()->model()->headerData(1, Qt::Horizontal).toString(), "Name");
        QTest::mouseClick(static_cast<QPushButton*>(FindControlById(shown, 1)), Qt::LeftButton);
        EXPECT_TRUE(shown->isVisible());
        cancel(shown);
    });
    EXPECT_EQ(dlg.DoModal(), 2);
    EXPECT_TRUE(dlg.m_strSelectCode.isEmpty());
    EXPECT_TRUE(dlg.m_strSelectName.isEmpty());
}

TEST_F(Choosers, WithoutDatabaseOrKindTheListStaysEmptyButTextsAreTranslated)
{
    for (int kind : {0, 1}) {
        CSelectCustomItemDlg dlg;
        dlg.m_nSelectType = kind;
        if (kind == 0)
            dlg.m_pSQliteDB = m_db.get();
        dlg.show();
        EXPECT_EQ(dlg.ListCtrl()->model()->columnCount(), 0);
        EXPECT_EQ(dlg.ListCtrl()->model()->rowCount(), 0);
        EXPECT_TRUE(dlg.windowTitle().isEmpty());
        EXPECT_EQ(static_cast<QPushButton*>(FindControlById(&dlg, 2))->text(), "Cancel");
    }
}

TEST_F(Choosers, ItemButtonChainsDepartmentThenItemAndCancelKeepsTheOldChoice)
{
    QWidget owner;
    auto* button = new CItemSelectButton(&owner);
    button->resize(200, 30);
    owner.show();
    const auto doubleClick = [button] {
        QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(10, 10));
    };

    // Without a database the double-click does nothing.
    doubleClick();
    EXPECT_TRUE(button->m_strSelectCode.isEmpty());

    button->m_pSQliteDB = m_db.get();
    whenModal([](CSelectItemDlg* dept) {
        chooseRow(dept, 1, false);
        whenModal([](CSelectItemDlg* item) {
            EXPECT_EQ(item->ListCtrl()->model()->rowCount(), 1);
            chooseRow(item, 0, true);
        });
    });
    doubleClick();
    EXPECT_EQ(button->m_strSelectCode, "0000000000000002");
    EXPECT_EQ(button->m_strSelectName, "Rye");
    EXPECT_EQ(button->text(), "Rye");

    // Cancel in the second chooser keeps code, name and text.
    whenModal([](CSelectItemDlg* dept) {
        chooseRow(dept, 0, false);
        whenModal([](CSelectItemDlg* item) { cancel(item); });
    });
    doubleClick();
    EXPECT_EQ(button->m_strSelectCode, "0000000000000002");
    EXPECT_EQ(button->text(), "Rye");

    // Read-only: no chooser comes up at all.
    button->SetReadOnly(true);
    doubleClick();
    EXPECT_EQ(button->m_strSelectName, "Rye");
}

} // namespace
