// The record editor's list of the item's further price levels and kin.
#include "goods/CPageDlg.h"
#include "goods/CTabDlg.h"

#include "goods/tests/ListDlgFixture.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CDataManager.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/dialogs/CSubItemSetDlgEx.h"
#include "shared/textfiles/CErrDataInfo.h"
#include "shared/lang/CProgramLang.h"
#include "testsupport/ModalDriver.h"

#include <QLineEdit>
#include <QPushButton>
#include <QFormLayout>
#include <QLabel>
#include <QTreeWidget>

using namespace brelkin;
using korvane::test::WhenModal;

namespace {

class SubItemListTest : public ListDlgFixture
{
protected:
    void SetUp() override
    {
        ListDlgFixture::SetUp();
        Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, UNITPRICE2, UNITPRICE3, UNITPRICE5) "
             "VALUES ('0001', 'Soup', '20', '30', '50')");
    }

    static int RowOf(CPageDlg& page, const char* labelKey)
    {
        QTreeWidget* list = page.SubItemList();
        for (int r = 0; r < list->topLevelItemCount(); ++r)
            if (list->topLevelItem(r)->text(0) == GetLangString(QLatin1String(labelKey)))
                return r;
        return -1;
    }

    // The column list index of a label key in an entry's list.
    int ColumnOf(int entry, const char* labelKey)
    {
        const CColumnDataList* list = m_modes->Entry(entry)->GetColumnDataList();
        for (int i = 0; i < list->m_nColumnCount; ++i)
            if (list->m_ppColumnData[i]->m_strLabelKey == QLatin1String(labelKey))
                return i;
        return -1;
    }

    // The value dialog of a row, given a new amount and confirmed.
    static void ChangePrice(CPageDlg& page, const char* labelKey, const QString& amount,
                            uint form = CSubItemSetDlg::IDC_MINUSPRICE)
    {
        const int row = RowOf(page, labelKey);
        ASSERT_GE(row, 0) << labelKey;
        page.SubItemList()->setCurrentItem(page.SubItemList()->topLevelItem(row));
        WhenModal<CSubItemSetDlgEx>([amount, form](CSubItemSetDlgEx& dialog) {
            auto* edit = qobject_cast<QLineEdit*>(FindControlById(&dialog, form));
            ASSERT_NE(edit, nullptr);
            edit->setText(amount);
            dialog.accept();
        });
        qobject_cast<QPushButton*>(FindControlById(&page, CPageDlg::IDC_CHANGE_VALUE))->click();
    }
};

TEST_F(SubItemListTest, NewPriceShowsAtOnceAndIsWrittenOnlyByOk)
{
    CListDlg& window = Open(1);
    bool checked = false;
    WhenModal<CTabDlg>([&](CTabDlg& editor) {
        CPageDlg& page = *editor.Pages()[0];
        ASSERT_NE(page.SubItemList(), nullptr);
        ChangePrice(page, "CRDS_PR_CLMN_PRC3", QStringLiteral("250"));
        const QString shown =
            page.SubItemList()->topLevelItem(RowOf(page, "CRDS_PR_CLMN_PRC3"))->text(1);
        EXPECT_TRUE(shown.contains("250")) << shown.toStdString();
        EXPECT_EQ(Value("CIA001", "UNITPRICE3", "1"), "30");
        checked = true;
        qobject_cast<QPushButton*>(FindControlById(&editor, 1))->click();
    });
    window.accept();
    EXPECT_TRUE(checked);
    EXPECT_EQ(Rows("CIA001", {"UNITPRICE2", "UNITPRICE3", "UNITPRICE5"}),
              (QList<QStringList>{{"20", "250", "50"}}));
}

// The item code shows with its label; the sub-item rows are as tall as their
// text needs.
TEST_F(SubItemListTest, TheCodeHasItsLabelAndSubItemRowsTheirHeight)
{
    CListDlg& window = Open(1);
    bool checked = false;
    WhenModal<CTabDlg>([&](CTabDlg& editor) {
        CPageDlg& page = *editor.Pages()[0];
        auto* form = qobject_cast<QFormLayout*>(page.layout());
        ASSERT_NE(form, nullptr);
        auto* label = qobject_cast<QLabel*>(form->labelForField(FindControlById(&page, 23019)));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), GetLangString(QStringLiteral("CRDS_PR_CLMN_PLUCODE")));
        QTreeWidget* list = page.SubItemList();
        ASSERT_GT(list->topLevelItemCount(), 0);
        const int row = list->visualItemRect(list->topLevelItem(0)).height();
        EXPECT_GE(row, QFontMetrics(list->font()).height() + 4) << row;
        checked = true;
        editor.reject();
    });
    window.accept();
    EXPECT_TRUE(checked);
}

TEST_F(SubItemListTest, FilteredSaveTakesEachPriceLevelsOwnValue)
{
    Open(1);
    CPageDlg page;
    page.BindPage(m_modes->Entry(1), 1, false);
    ASSERT_TRUE(page.Create(3003, nullptr));
    ChangePrice(page, "CRDS_PR_CLMN_PRC2", QStringLiteral("22"));
    ChangePrice(page, "CRDS_PR_CLMN_PRC5", QStringLiteral("55"));
    const QStringList filter{QStringLiteral("CRDS_PR_CLMN_PLUCODE"),
                             QStringLiteral("CRDS_PR_CLMN_PRC5")};
    int err = 0;
    ASSERT_TRUE(page.SaveData(&filter, err)) << err;
    EXPECT_EQ(Rows("CIA001", {"UNITPRICE2", "UNITPRICE3", "UNITPRICE5"}),
              (QList<QStringList>{{"20", "30", "55"}}));
}

TEST_F(SubItemListTest, RestaurantClassificationIsTheFirstSixCharactersOfProperty)
{
    Exec("UPDATE CIA001 SET PROPERTY = '123456XY'");
    Open(14);
    CPageDlg page;
    page.BindPage(m_modes->Entry(14), 1, false);
    ASSERT_TRUE(page.Create(3046, nullptr));
    const int row = RowOf(page, "CRDS_PR_CLMN_ITEMCLASSIFICATION");
    ASSERT_GE(row, 0);
    EXPECT_EQ(page.SubItemList()->topLevelItem(row)->text(1), "123456");
    ChangePrice(page, "CRDS_PR_CLMN_ITEMCLASSIFICATION", "654321", CSubItemSetDlg::IDC_PERCENT);
    int err = 0;
    ASSERT_TRUE(page.SaveData(nullptr, err)) << err;
    EXPECT_EQ(Value("CIA001", "PROPERTY", "1"), "654321XY");
    // An imported text: its first six characters, the rest kept from it.
    CErrDataInfo errors;
    EXPECT_TRUE(page.SetSubItemFromText(ColumnOf(14, "CRDS_PR_CLMN_ITEMCLASSIFICATION"), "999999AB",
                                        &errors));
    ASSERT_TRUE(page.SaveData(nullptr, err)) << err;
    EXPECT_EQ(Value("CIA001", "PROPERTY", "1"), "999999AB");
    EXPECT_EQ(errors.GetNextErrMsg(), "");
}

TEST_F(SubItemListTest, ImportedTextIsCheckedAsTheValueDialogChecksIt)
{
    Open(1);
    CPageDlg page;
    page.BindPage(m_modes->Entry(1), 1, false);
    ASSERT_TRUE(page.Create(3003, nullptr));
    const int price5 = ColumnOf(1, "CRDS_PR_CLMN_PRC5");
    CErrDataInfo errors;
    EXPECT_TRUE(page.SetSubItemFromText(price5, "77", &errors));
    EXPECT_TRUE(
        page.SubItemList()->topLevelItem(RowOf(page, "CRDS_PR_CLMN_PRC5"))->text(1).contains("77"));
    EXPECT_FALSE(page.SetSubItemFromText(price5, "7x", &errors));
    const QString line = errors.GetNextErrMsg();
    EXPECT_TRUE(line.contains(GetLangString("CRDS_PR_CLMN_PRC5"))) << line.toStdString();
    EXPECT_TRUE(line.contains("7x")) << line.toStdString();
    EXPECT_EQ(errors.GetNextErrMsg(), "");
    // A column with a control of its own is no sub-item.
    EXPECT_FALSE(page.SetSubItemFromText(ColumnOf(1, "CRDS_PR_CLMN_PLUNAME"), "Tea", &errors));
    int err = 0;
    ASSERT_TRUE(page.SaveData(nullptr, err)) << err;
    EXPECT_EQ(Rows("CIA001", {"UNITPRICE5", "ITEMNAME"}), (QList<QStringList>{{"77", "Soup"}}));
    EXPECT_TRUE(m_suite.messages().isEmpty());
}

} // namespace
