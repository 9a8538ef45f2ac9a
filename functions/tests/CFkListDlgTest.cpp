// The function-key list: which keys it shows, their order, its buttons and
// its model.
#include "goods/base/CRecordListModel.h"
#include "functions/CFcMainListCtrl.h"
#include "functions/CFcTabDlg.h"
#include "functions/FcButtonTable.h"
#include "functions/FcDialogIds.h"

#include "functions/tests/FcDbFixture.h"
#include "shared/controls/CColorButton.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/DialogCheck.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace kesmond;

namespace {

class CFkListDlgTest : public FcDbFixture
{
protected:
    // The model's rows as "number|code|name|function".
    QStringList Shown()
    {
        QStringList rows;
        CRecordListModel* model = m_window->Model();
        for (int r = 0; r < model->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < model->columnCount(); ++c)
                cells << model->index(r, c).data().toString();
            rows << cells.join(u'|');
        }
        return rows;
    }
    bool Enabled(uint id) { return FindControlById(m_window.get(), id)->isEnabled(); }
    bool Visible(uint id) { return FindControlById(m_window.get(), id)->isVisible(); }
};

TEST_F(CFkListDlgTest, KeysWithoutTheirFunctionInTheMasterAreNotListed)
{
    OpenList();
    EXPECT_EQ(Shown(), QStringList({"1|000001|CASH|000001 Cash", "2|000002|CHEQUE|000002 Cheque",
                                    "3|000004|DISC|000027 Amount Discount",
                                    "4|000005|PCT|000028 Percent Discount"}));
    EXPECT_EQ(m_window->windowTitle(), "Function Key Settings");
    EXPECT_EQ(m_window->Model()->headerData(0, Qt::Horizontal).toString(), "No.");
    EXPECT_EQ(m_window->Model()->index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    EXPECT_EQ(m_window->Model()->index(0, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
                  Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
    QAbstractItemModelTester tester(m_window->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    m_window->Model()->ClickColumn(2);
}

TEST_F(CFkListDlgTest, OneRowInTheExtendedMasterMakesItTheMaster)
{
    Exec("INSERT INTO CSM018 (FUNCTIONCODE, FUNCTIONNAME, FUNCTIONTYPE) VALUES "
         "('000002', 'Check', '10000000000000000000')");
    OpenList();
    EXPECT_EQ(Shown(), QStringList({"1|000002|CHEQUE|000002 Check"}));
}

TEST_F(CFkListDlgTest, SortingByNameTwiceReversesAndNumbersStayWithTheirRows)
{
    OpenList();
    CRecordListModel* model = m_window->Model();
    model->ClickColumn(2);
    EXPECT_EQ(Shown().first(), "1|000001|CASH|000001 Cash");
    EXPECT_EQ(Shown().last(), "4|000005|PCT|000028 Percent Discount");
    model->ClickColumn(2);
    EXPECT_EQ(Shown(), QStringList({"4|000005|PCT|000028 Percent Discount",
                                    "3|000004|DISC|000027 Amount Discount",
                                    "2|000002|CHEQUE|000002 Cheque", "1|000001|CASH|000001 Cash"}));
    // The running number sorts as a number, another column ascending first.
    model->ClickColumn(0);
    EXPECT_EQ(Shown().first(), "1|000001|CASH|000001 Cash");
}

TEST_F(CFkListDlgTest, RowZeroIsSelectedAndKeysAreNeitherAddedNorDeleted)
{
    OpenList();
    EXPECT_EQ(m_window->List()->selectionModel()->selectedRows().value(0).row(), 0);
    EXPECT_TRUE(Enabled(1));
    EXPECT_FALSE(Visible(IDC_FC_INSERT));
    EXPECT_FALSE(Visible(IDC_FC_DELETE));
    EXPECT_TRUE(Enabled(2));
    EXPECT_TRUE(Enabled(IDC_FC_HELP));
}

TEST_F(CFkListDlgTest, WithoutKeysOnlyBackAndHelpCanBeUsed)
{
    Exec("DELETE FROM CSB002");
    OpenList();
    EXPECT_EQ(m_window->Model()->rowCount(), 0);
    EXPECT_FALSE(Enabled(1));
    EXPECT_FALSE(Visible(IDC_FC_INSERT));
    EXPECT_FALSE(Visible(IDC_FC_DELETE));
    EXPECT_TRUE(Enabled(2));
    EXPECT_TRUE(Enabled(IDC_FC_HELP));
}

TEST_F(CFkListDlgTest, ButtonsSitInTheirPlacesAndTheSizeIsFixed)
{
    OpenList();
    auto place = [this](uint id) { return FindControlById(m_window.get(), id)->geometry(); };
    const QRect back = place(2), change = place(1), del = place(IDC_FC_DELETE),
                insert = place(IDC_FC_INSERT), help = place(IDC_FC_HELP);
    EXPECT_GT(back.left(), change.left());
    EXPECT_GT(change.left(), del.left());
    EXPECT_GT(del.left(), insert.left());
    EXPECT_LT(help.left(), insert.left());
    EXPECT_LT(help.left(), m_window->width() / 4);
    EXPECT_GT(back.right(), m_window->width() * 3 / 4);
    EXPECT_EQ(back.top(), help.top());
    auto colour = [this](uint id) {
        return qobject_cast<CColorButton*>(FindControlById(m_window.get(), id))->m_crColor;
    };
    EXPECT_EQ(colour(IDC_FC_HELP), QColor(211, 191, 255));
    EXPECT_EQ(colour(1), QColor(191, 201, 255));
    EXPECT_EQ(colour(2), QColor(255, 191, 191));
    const QSize size = m_window->size();
    m_window->resize(size + QSize(100, 80));
    EXPECT_EQ(m_window->size(), size);
    EXPECT_EQ(m_window->minimumSize(), m_window->maximumSize());
}

// The key-layout editor's placement: Help, OK and Cancel from the left.
TEST_F(CFkListDlgTest, EditorLayoutPutsHelpOkAndCancelLeft)
{
    CFcMainDlg dialog(nullptr, IDD_FC_KEYLAYOUT, 2);
    for (const auto& [id, key] : {std::pair<uint, const char*>{IDC_FC_HELP, "CRDM_FC_HELP"},
                                  {1, "CRD_OK"},
                                  {2, "CRD_CANCEL"}})
        dialog.AddButton(id, QLatin1String(key));
    dialog.resize(900, 600);
    dialog.SetEditorLayout(true);
    dialog.Create();
    const int help = FindControlById(&dialog, IDC_FC_HELP)->x();
    const int ok = FindControlById(&dialog, 1)->x();
    const int cancel = FindControlById(&dialog, 2)->x();
    EXPECT_LT(help, ok);
    EXPECT_LT(ok, cancel);
    EXPECT_LT(cancel, dialog.width() / 2);
    EXPECT_EQ(ok - help, 128);
    EXPECT_EQ(cancel - ok, 128);
}

} // namespace

namespace {

TEST_F(CFkListDlgTest, WindowsKeepTheDialogRules)
{
    m_modes = std::make_unique<CFcModeTable>();
    CFkListDlg list(m_modes->Entry(0), IDD_FC_LIST, nullptr, 0);
    list.resize(640, 440);
    EXPECT_EQ(korvane::test::DialogFaults(&list, CSarvikApp::Instance().LangDatas(),
                                          QStringLiteral("Kesmond")),
              QStringList());
    CFcTabDlg editor(m_modes->Entry(0), 1, false, nullptr, IDD_FC_TAB, IDD_FC_PAGE_BASIC, 0);
    EXPECT_EQ(korvane::test::DialogFaults(&editor, CSarvikApp::Instance().LangDatas(),
                                          QStringLiteral("Kesmond")),
              QStringList());
}

} // namespace
