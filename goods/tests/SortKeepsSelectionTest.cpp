// Every goods list window keeps its selected and current record when a
// header click sorts the rows under them.
#include "goods/CGoodsModeTable.h"
#include "goods/CListDlg.h"
#include "goods/CListDlgEasy.h"
#include "goods/CPrColumnDataListFloatingPrice.h"
#include "goods/CPrFloatingPriceDlg.h"
#include "goods/CPrFloatingPriceListDlg.h"
#include "goods/CSetMixListDlg.h"
#include "goods/ChooseMode.h"
#include "goods/GoodsButtonTable.h"
#include "goods/base/CRecordListModel.h"
#include "goods/base/ColumnArrays.h"

#include "goods/tests/GoodsDbFixture.h"
#include "shared/data/CDataManager.h"
#include "testsupport/ModalDriver.h"

#include <QAbstractItemView>

#include <functional>
#include <memory>

using namespace brelkin;

namespace {

class SortKeepsSelectionTest : public GoodsDbFixture,
                               public ::testing::WithParamInterface<const char*>
{
protected:
    void SetUp() override
    {
        GoodsDbFixture::SetUp();
        CMainDlg::SetButtonTable(GoodsButtonTable());
        Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Food'), "
             "('000003', 'Drinks'), ('000005', 'Toppings')");
        Exec("INSERT INTO CSB001 (OPSETCODE, VALUE) VALUES ('FLOATINGDEPT01', '000005')");
        Exec("INSERT INTO CSA001 (ITEMPARMCODE, ITEMTYPE) VALUES ('000009', '1')");
        Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, ITEMDEPTCODE, ITEMPARMCODE, UNITPRICE) "
             "VALUES ('0000000000009001', 'Cheese', '000005', '000009', 150), "
             "('0000000000009002', 'Ham', '000005', '000009', 200), "
             "('0000000000009003', 'Egg', '000005', '000009', 90), "
             "('0000000000000001', 'Pizza', '000001', '', 900), "
             "('0000000000000002', 'Pasta', '000001', '', 800), "
             "('0000000000000003', 'Tea', '000003', '', 300)");
        Exec("INSERT INTO CIB001 (SETITEMCODE, SETITEMNAME) VALUES ('S1', 'Lunch'), "
             "('S2', 'Dinner'), ('S3', 'Snack')");
    }
    void TearDown() override
    {
        m_window.reset();
        m_modes.reset();
        m_manager.reset();
        FreeColumnList(m_list, m_columns);
        CMainDlg::SetButtonTable({});
        GoodsDbFixture::TearDown();
    }

    template <class Window> Window& Show(std::unique_ptr<Window> window)
    {
        Window& shown = *window;
        m_window = std::move(window);
        shown.Create();
        shown.show();
        return shown;
    }
    template <class Window> Window& ShowEntry(int entry, uint templateId)
    {
        m_modes = std::make_unique<CGoodsModeTable>();
        return Show(std::make_unique<Window>(m_modes->Entry(entry), templateId, nullptr,
                                             WindowKindOfEntry(entry), false));
    }
    CPrFloatingPriceDlg& ShowFloatingPrices()
    {
        QList<QStringList> items;
        int err = 0;
        EXPECT_TRUE(CPrColumnDataListFloatingPrice::ReadFloatingItems(*m_db, "000005", items, err));
        m_columns = CPrColumnDataListFloatingPrice::NewColumns(true, items);
        m_list = std::make_unique<CPrColumnDataListFloatingPrice>("CIA001", m_columns);
        static const uint pages[] = {3024};
        m_manager = std::make_unique<CDataManager>(
            "P", 3043, 3004, 3017, "CRDS_PR_WINNAME_FLOATINGPRICEPLU", pages, 1, m_list.get());
        return Show(std::make_unique<CPrFloatingPriceDlg>(m_manager.get(), 3043, nullptr, 1));
    }

    // Selects the first row, sorts by the first column reversed, and finds
    // the same record selected and current on its new row.
    static void SortAndCheck(QWidget& window, CRecordListModel* model)
    {
        ASSERT_TRUE(model);
        ASSERT_GE(model->rowCount(), 3);
        QAbstractItemView* view = nullptr;
        for (auto* candidate : window.findChildren<QAbstractItemView*>())
            if (candidate->model() == model)
                view = candidate;
        ASSERT_TRUE(view);
        view->selectionModel()->setCurrentIndex(
            model->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        const QString record = model->index(0, 0).data().toString();
        model->SortRecords(model->ColumnIndex(0), !model->SortAscending());
        const QModelIndexList selected = view->selectionModel()->selectedRows();
        ASSERT_EQ(selected.size(), 1);
        EXPECT_NE(selected[0].row(), 0); // the sort moved it
        EXPECT_EQ(selected[0].data().toString(), record);
        EXPECT_EQ(view->currentIndex().row(), selected[0].row());
    }

    std::unique_ptr<QWidget> m_window;
    std::unique_ptr<CGoodsModeTable> m_modes;
    CColumnData** m_columns = nullptr;
    std::unique_ptr<CColumnDataList> m_list;
    std::unique_ptr<CDataManager> m_manager;
};

TEST_P(SortKeepsSelectionTest, SelectedRecordStaysSelected)
{
    const QString list = QLatin1String(GetParam());
    if (list == "Standard") {
        auto& window = ShowEntry<CListDlg>(0, 3001);
        SortAndCheck(window, window.Model());
    } else if (list == "Easy") {
        auto& window = ShowEntry<CListDlgEasy>(0, 16006);
        SortAndCheck(window, window.Model());
    } else if (list == "SetMenu") {
        auto& window = ShowEntry<CSetMixListDlg>(7, 3001);
        SortAndCheck(window, window.Model());
    } else if (list == "FloatingPrices") {
        auto& window = ShowFloatingPrices();
        SortAndCheck(window, window.Model());
    } else if (list == "FloatingDepartments") {
        Exec("INSERT INTO CSB001 (OPSETCODE, VALUE) VALUES ('FLOATINGDEPT02', '000003'), "
             "('FLOATINGDEPT03', '000001')");
        bool checked = false;
        korvane::test::WhenModal<CPrFloatingPriceListDlg>([&](CPrFloatingPriceListDlg& window) {
            SortAndCheck(window, window.Model());
            checked = true;
            window.reject();
        });
        LaunchFloatingDeptList(nullptr);
        EXPECT_TRUE(checked);
    } else {
        FAIL() << GetParam();
    }
}

INSTANTIATE_TEST_SUITE_P(GoodsLists, SortKeepsSelectionTest,
                         ::testing::Values("Standard", "Easy", "SetMenu", "FloatingPrices",
                                           "FloatingDepartments"),
                         [](const auto& info) { return std::string(info.param); });

} // namespace
