// The floating department list and the floating price window.
#include "goods/CPrColumnDataListFloatingPrice.h"
#include "goods/CPrFloatingPriceDlg.h"
#include "goods/CPrFloatingPriceListDlg.h"
#include "goods/base/CRecordListModel.h"
#include "goods/GoodsButtonTable.h"
#include "goods/base/ColumnArrays.h"

#include "goods/tests/GoodsDbFixture.h"
#include "shared/data/CDataManager.h"
#include "testsupport/DialogCheck.h"
#include "testsupport/ModalDriver.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <memory>

using namespace brelkin;
using korvane::test::WhenModal;

namespace {

const uint kPages[] = {3024};

class CPrFloatingPriceDlgTest : public GoodsDbFixture
{
protected:
    void SetUp() override
    {
        GoodsDbFixture::SetUp();
        CMainDlg::SetButtonTable(GoodsButtonTable());
        // Department 000005 is floating; its items 9001 and 9002 float.
        Exec("INSERT INTO CSB001 (OPSETCODE, VALUE) VALUES ('FLOATINGDEPT01', '000005')");
        Exec("INSERT INTO CSA001 (ITEMPARMCODE, ITEMTYPE) VALUES ('000009', '1')");
        Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Food'), "
             "('000005', 'Toppings')");
        Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, ITEMDEPTCODE, ITEMPARMCODE, UNITPRICE, "
             "UNITPRICE3) VALUES ('0000000000009001', 'Cheese', '000005', '000009', 150, 170), "
             "('0000000000009002', 'Ham', '000005', '000009', 200, 210), "
             "('0000000000000001', 'Pizza', '000001', '', 900, 0), "
             "('0000000000000002', 'Pasta', '000001', '', 800, 0)");
    }
    void TearDown() override
    {
        m_window.reset();
        m_manager.reset();
        FreeColumnList(m_list, m_columns);
        CMainDlg::SetButtonTable({});
        GoodsDbFixture::TearDown();
    }

    CPrFloatingPriceDlg& OpenPrices(bool itemMode)
    {
        QList<QStringList> items;
        int err = 0;
        EXPECT_TRUE(CPrColumnDataListFloatingPrice::ReadFloatingItems(*m_db, "000005", items, err));
        m_columns = CPrColumnDataListFloatingPrice::NewColumns(itemMode, items);
        m_list = std::make_unique<CPrColumnDataListFloatingPrice>(itemMode ? "CIA001" : "CIA002",
                                                                  m_columns);
        m_manager = std::make_unique<CDataManager>(
            "P", 3043, 3004, 3017, "CRDS_PR_WINNAME_FLOATINGPRICEPLU", kPages, 1, m_list.get());
        m_window =
            std::make_unique<CPrFloatingPriceDlg>(m_manager.get(), 3043, nullptr, itemMode ? 1 : 0);
        m_window->Create();
        m_window->show();
        return *m_window;
    }

    QString Cell(int row, int column)
    {
        return m_window->Model()->index(row, column).data().toString();
    }
    bool Grey(int row, int column)
    {
        return m_window->Model()->index(row, column).data(Qt::ForegroundRole).isValid();
    }
    QList<QStringList> Prices()
    {
        return Rows("CSA007", {"ITEMCODE", "CTRLTYPE", "CTRLCODE", "PRICECODE", "FLOATINGPRICE"},
                    {}, "CTRLCODE, ITEMCODE");
    }
    void Type(const QString& text, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QLineEdit* edit = m_window->InPlaceEdit();
        ASSERT_TRUE(edit);
        edit->setText(text);
        QTest::keyClick(edit, key, modifiers);
    }

    CColumnData** m_columns = nullptr;
    std::unique_ptr<CColumnDataList> m_list;
    std::unique_ptr<CDataManager> m_manager;
    std::unique_ptr<CPrFloatingPriceDlg> m_window;
};

TEST_F(CPrFloatingPriceDlgTest, DepartmentListShowsTheFloatingOnesOrCloses)
{
    Exec("INSERT INTO CSB001 (OPSETCODE, VALUE) VALUES ('FLOATINGDEPT03', '000001')");
    int rows = -1;
    QString title;
    WhenModal<CPrFloatingPriceListDlg>([&](CPrFloatingPriceListDlg& list) {
        rows = list.Model()->rowCount();
        title = list.windowTitle();
        list.reject();
    });
    LaunchFloatingDeptList(nullptr);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(title, "Floating Departments");
    EXPECT_EQ(m_suite.messages(), QStringList());

    Exec("DELETE FROM CSB001");
    LaunchFloatingDeptList(nullptr); // ends by itself
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_PR_NOSETTINGFLOATING"});
}

TEST_F(CPrFloatingPriceDlgTest, FallbackIsGreyAndATypedPriceIsStored)
{
    CPrFloatingPriceDlg& window = OpenPrices(true);
    // Pizza and Pasta, never the toppings themselves.
    ASSERT_EQ(window.Model()->rowCount(), 2);
    ASSERT_EQ(window.Model()->columnCount(), 3);
    EXPECT_EQ(window.Model()->headerData(1, Qt::Horizontal).toString(), "Cheese");
    EXPECT_EQ(Cell(0, 1), "*150");
    EXPECT_TRUE(Grey(0, 1));
    window.BeginInPlaceEdit(0, 1);
    ASSERT_TRUE(window.InPlaceEdit());
    EXPECT_EQ(window.InPlaceEdit()->text(), "*150");
    Type("120", Qt::Key_Return);
    EXPECT_EQ(Prices(),
              (QList<QStringList>{{"0000000000009001", "01", "0000000000000001", "01", "120"}}));
    EXPECT_EQ(Cell(0, 1), "120");
    EXPECT_FALSE(Grey(0, 1));
    // Enter moved down; clearing deletes the row again.
    EXPECT_EQ(window.EditRow(), 1);
    window.BeginInPlaceEdit(0, 1);
    Type("", Qt::Key_Return);
    EXPECT_TRUE(Prices().isEmpty());
    EXPECT_EQ(Cell(0, 1), "*150");
}

TEST_F(CPrFloatingPriceDlgTest, TabWrapsBetweenRowsAndSkipsTheName)
{
    CPrFloatingPriceDlg& window = OpenPrices(true);
    window.BeginInPlaceEdit(0, 0);
    EXPECT_FALSE(window.InPlaceEdit()); // the name column
    window.BeginInPlaceEdit(0, 2);
    Type("*200", Qt::Key_Tab);
    EXPECT_EQ(window.EditRow(), 1);
    EXPECT_EQ(window.EditColumn(), 1);
    Type("*150", Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(window.EditRow(), 0);
    EXPECT_EQ(window.EditColumn(), 2);
    EXPECT_TRUE(Prices().isEmpty()); // fallbacks left as they were
}

TEST_F(CPrFloatingPriceDlgTest, EscapeDropsAndClosingSavesAnOpenEdit)
{
    CPrFloatingPriceDlg& window = OpenPrices(false);
    window.BeginInPlaceEdit(0, 1);
    Type("55", Qt::Key_Escape);
    EXPECT_FALSE(window.InPlaceEdit());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(Prices().isEmpty());
    window.BeginInPlaceEdit(0, 1);
    window.InPlaceEdit()->setText("00");
    window.close();
    EXPECT_EQ(Prices(), (QList<QStringList>{{"0000000000009001", "02", "000001", "01", "-0"}}));
}

TEST_F(CPrFloatingPriceDlgTest, LevelThreeReadsAndWritesItsOwnPrices)
{
    CPrFloatingPriceDlg& window = OpenPrices(true);
    ASSERT_EQ(window.LevelCombo()->count(), 10);
    EXPECT_EQ(window.LevelCombo()->itemText(2), "Unit price 3");
    window.SetLevel(2);
    EXPECT_EQ(Cell(0, 1), "*170");
    window.BeginInPlaceEdit(0, 1);
    Type("007", Qt::Key_Return);
    EXPECT_EQ(Prices(),
              (QList<QStringList>{{"0000000000009001", "01", "0000000000000001", "03", "7"}}));
}

TEST_F(CPrFloatingPriceDlgTest, FailedWriteIsReported)
{
    Exec("CREATE TRIGGER refuse BEFORE INSERT ON CSA007 BEGIN SELECT RAISE(ABORT, 'no'); END");
    CPrFloatingPriceDlg& window = OpenPrices(true);
    window.BeginInPlaceEdit(0, 1);
    Type("10", Qt::Key_Return);
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_CMN_ERR_SAVE_FAILED"});
    EXPECT_EQ(Cell(0, 1), "*150");
}

TEST_F(CPrFloatingPriceDlgTest, WindowsKeepTheDialogRules)
{
    CDataManager manager;
    CPrFloatingPriceListDlg list(&manager, 3044, nullptr, 0);
    EXPECT_EQ(korvane::test::DialogFaults(&list, CSarvikApp::Instance().LangDatas(), "Brelkin"),
              QStringList());
    CPrFloatingPriceDlg prices(&manager, 3043, nullptr, 1);
    EXPECT_EQ(korvane::test::DialogFaults(&prices, CSarvikApp::Instance().LangDatas(), "Brelkin"),
              QStringList());
}

} // namespace
