// The hourly report's targets: marks, the limit, sorting and the save.
#include "goods/CHourlyListDlg.h"

#include "goods/CGoodsModeTable.h"
#include "goods/CHourlyListModel.h"
#include "goods/CTextImpExpDlg.h"
#include "goods/GoodsButtonTable.h"
#include "goods/base/CMainListCtrl.h"

#include "goods/tests/GoodsDbFixture.h"
#include "testsupport/DialogCheck.h"
#include "testsupport/FixedClock.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>

#include <memory>

using namespace brelkin;

namespace {

class CHourlyListDlgTest : public GoodsDbFixture
{
protected:
    void SetUp() override
    {
        GoodsDbFixture::SetUp();
        CMainDlg::SetButtonTable(GoodsButtonTable());
    }
    void TearDown() override
    {
        m_window.reset();
        m_modes.reset();
        CMainDlg::SetButtonTable({});
        GoodsDbFixture::TearDown();
    }

    // count items and departments, codes from 1, names counting down.
    void Seed(int items, int departments)
    {
        Exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                            "WHERE i < %1) INSERT INTO CIA001 (ITEMCODE, ITEMNAME) SELECT "
                            "printf('%2', i), 'I' || printf('%3', 100000 - i) FROM n")
                 .arg(items)
                 .arg(QStringLiteral("%016d"), QStringLiteral("%06d")));
        Exec(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                            "WHERE i < %1) INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) "
                            "SELECT printf('%2', i), 'D' || printf('%2', 1000 - i) FROM n")
                 .arg(departments)
                 .arg(QStringLiteral("%06d")));
    }

    CHourlyListDlg& Open()
    {
        m_modes = std::make_unique<CGoodsModeTable>();
        m_window = std::make_unique<CHourlyListDlg>(
            m_modes->Entry(5), m_modes->Entry(CGoodsModeTable::kHourlyPluEntry), 3016, nullptr, 5);
        m_window->Create();
        m_window->show();
        return *m_window;
    }

    QList<QStringList> Targets()
    {
        return Rows("CSB014", {"RECNUMBER", "TARGETCODETYPE", "TARGETCODE"}, {}, "RECNUMBER");
    }

    // The code column's texts, top to bottom.
    QStringList Codes() const
    {
        QStringList codes;
        CHourlyListModel* model = m_window->Model();
        for (int r = 0; r < model->rowCount(); ++r)
            codes << model->index(r, 1).data().toString();
        return codes;
    }

    void SelectRows(const QList<int>& rows)
    {
        QItemSelectionModel* selection = m_window->List()->selectionModel();
        selection->clearSelection();
        for (int row : rows)
            selection->select(m_window->Model()->index(row, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    std::unique_ptr<CGoodsModeTable> m_modes;
    std::unique_ptr<CHourlyListDlg> m_window;
};

TEST_F(CHourlyListDlgTest, StoredTargetsAreMarkedAndOtherTypesIgnored)
{
    Seed(3, 2);
    Exec("INSERT INTO CSB014 (RECNUMBER, TARGETCODETYPE, TARGETCODE) VALUES "
         "('001', '14', '0000000000000002'), ('002', '15', '000001'), "
         "('003', '16', '000002'), ('004', '15', '0000000000000003')");
    CHourlyListDlg& window = Open();
    CHourlyListModel* model = window.Model();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(model->rowCount(), 5);
    ASSERT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Type");
    // Departments first, then items.
    EXPECT_EQ(Codes(), (QStringList{"000001", "000002", "0000000000000001", "0000000000000002",
                                    "0000000000000003"}));
    QList<int> checks;
    for (int r = 0; r < 5; ++r)
        checks << model->index(r, 0).data(Qt::CheckStateRole).toInt();
    EXPECT_EQ(checks,
              (QList<int>{Qt::Checked, Qt::Unchecked, Qt::Unchecked, Qt::Checked, Qt::Unchecked}));
    EXPECT_EQ(model->index(0, 0).data().toString(), "Department");
    EXPECT_EQ(model->index(4, 0).data().toString(), "Item");
    EXPECT_EQ(window.CountLabel()->text(), "Checked: 2 of 300");

    // The save drops the other type; Cancel would have written nothing.
    window.accept();
    EXPECT_EQ(window.result(), platform::IDOK);
    EXPECT_EQ(Targets(),
              (QList<QStringList>{{"001", "14", "0000000000000002"}, {"002", "15", "000001"}}));
}

// The columns reach across the whole list, also when the window is widened.
TEST_F(CHourlyListDlgTest, TheColumnsFillTheList)
{
    Seed(3, 2);
    CHourlyListDlg& window = Open();
    for (int width : {window.width(), window.width() + 200}) {
        window.resize(width, window.height());
        QCoreApplication::processEvents();
        QTableView* list = window.List();
        EXPECT_GE(list->horizontalHeader()->length(), list->viewport()->width()) << width;
    }
}

TEST_F(CHourlyListDlgTest, NoMoreThanThreeHundredMarks)
{
    Seed(301, 2);
    // Items 1 to 299 are targets.
    Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 299) "
         "INSERT INTO CSB014 (RECNUMBER, TARGETCODETYPE, TARGETCODE) "
         "SELECT printf('%03d', i), '14', printf('%016d', i) FROM n");
    CHourlyListDlg& window = Open();
    CHourlyListModel* model = window.Model();
    ASSERT_EQ(model->MarkedCount(), 299);
    // Rows 0 and 1 are the departments, unmarked.
    SelectRows({0, 1, 2});
    window.OnCommand(CHourlyListDlg::IDC_SELECT);
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_PR_ERROR_SELECTORVER"});
    EXPECT_EQ(model->MarkedCount(), 299);
    EXPECT_FALSE(model->IsMarked(0));
    EXPECT_FALSE(model->IsMarked(1));
    SelectRows({1});
    window.OnCommand(CHourlyListDlg::IDC_SELECT);
    EXPECT_EQ(model->MarkedCount(), 300);
    EXPECT_EQ(window.CountLabel()->text(), "Checked: 300 of 300");
    // The 301st box stays empty; unmarking still works.
    const int last = model->rowCount() - 1; // item 301
    EXPECT_FALSE(model->setData(model->index(last, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(model->index(last, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_TRUE(model->setData(model->index(2, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(model->MarkedCount(), 299);
    SelectRows({1, 3});
    window.OnCommand(CHourlyListDlg::IDC_CLEAR);
    EXPECT_EQ(model->MarkedCount(), 297);
}

TEST_F(CHourlyListDlgTest, SaveWritesItemsThenDepartmentsWithOneStamp)
{
    Seed(4, 3);
    Exec("INSERT INTO CSB014 VALUES ('001', '16', 'X', '1', '1')");
    korvane::test::FixedClock clock(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    CHourlyListDlg& window = Open();
    // Departments 1 and 3, items 1, 2 and 4.
    SelectRows({0, 2, 3, 4, 6});
    window.OnCommand(CHourlyListDlg::IDC_SELECT);
    window.accept();
    EXPECT_EQ(window.result(), platform::IDOK);
    EXPECT_EQ(m_suite.messages(), QStringList{});
    EXPECT_EQ(
        Rows("CSB014", {}, {}, "RECNUMBER"),
        (QList<QStringList>{{"001", "14", "0000000000000001", "20260304050607", "20260304050607"},
                            {"002", "14", "0000000000000002", "20260304050607", "20260304050607"},
                            {"003", "14", "0000000000000004", "20260304050607", "20260304050607"},
                            {"004", "15", "000001", "20260304050607", "20260304050607"},
                            {"005", "15", "000003", "20260304050607", "20260304050607"}}));
}

TEST_F(CHourlyListDlgTest, FailedSaveKeepsTheOldTargets)
{
    Seed(4, 2);
    Exec("INSERT INTO CSB014 VALUES ('001', '15', '000002', '1', '1')");
    Exec("CREATE TRIGGER fourth BEFORE INSERT ON CSB014 WHEN NEW.RECNUMBER = '004' "
         "BEGIN SELECT RAISE(ABORT, 'no'); END");
    const QList<QStringList> before = Rows("CSB014");
    CHourlyListDlg& window = Open();
    SelectRows({0, 2, 3, 4});
    window.OnCommand(CHourlyListDlg::IDC_SELECT);
    window.accept();
    EXPECT_EQ(window.result(), platform::IDCANCEL);
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_CMN_ERR_SAVE_FAILED"});
    EXPECT_EQ(Rows("CSB014"), before);
}

TEST_F(CHourlyListDlgTest, CancelWritesNothing)
{
    Seed(2, 1);
    CHourlyListDlg& window = Open();
    SelectRows({0, 1, 2});
    window.OnCommand(CHourlyListDlg::IDC_SELECT);
    window.reject();
    EXPECT_EQ(window.result(), platform::IDCANCEL);
    EXPECT_TRUE(Rows("CSB014").isEmpty());
}

TEST_F(CHourlyListDlgTest, KindColumnSwapsTheGroupsAndOthersSortEachGroup)
{
    Seed(3, 2);
    CHourlyListDlg& window = Open();
    CHourlyListModel* model = window.Model();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QStringList departmentsFirst = Codes();
    model->ClickColumn(0);
    EXPECT_TRUE(model->ItemsFirst());
    EXPECT_EQ(Codes(), (QStringList{"0000000000000001", "0000000000000002", "0000000000000003",
                                    "000001", "000002"}));
    model->ClickColumn(0);
    EXPECT_FALSE(model->ItemsFirst());
    EXPECT_EQ(Codes(), departmentsFirst);
    // Names count down as codes go up: by name each group reverses alone.
    model->ClickColumn(2);
    EXPECT_EQ(Codes(), (QStringList{"000002", "000001", "0000000000000003", "0000000000000002",
                                    "0000000000000001"}));
    model->ClickColumn(2);
    EXPECT_EQ(Codes(), departmentsFirst);
}

TEST_F(CHourlyListDlgTest, TemplatesKeepTheDialogRules)
{
    CGoodsModeTable modes;
    CHourlyListDlg hourly(modes.Entry(5), modes.Entry(6), 3016, nullptr, 5);
    EXPECT_EQ(korvane::test::DialogFaults(&hourly, CSarvikApp::Instance().LangDatas(), "Brelkin"),
              QStringList());
    CTextImpExpDlg progress(modes.Entry(1), 32);
    EXPECT_EQ(korvane::test::DialogFaults(&progress, CSarvikApp::Instance().LangDatas(), "Brelkin"),
              QStringList());
}

} // namespace
