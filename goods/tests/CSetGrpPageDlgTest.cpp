// The item parameter's property list on its record editor page.
#include "goods/CSetGrpPageDlg.h"
#include "goods/CTabDlg.h"

#include "goods/tests/ListDlgFixture.h"
#include "shared/controls/FindControlById.h"
#include "shared/dialogs/CSubItemSetDlg.h"
#include "shared/lang/CProgramLang.h"
#include "testsupport/ModalDriver.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

using namespace brelkin;
using korvane::test::WhenModal;

namespace {

class CSetGrpPageDlgTest : public ListDlgFixture
{
protected:
    void SetUp() override
    {
        ListDlgFixture::SetUp();
        Exec("INSERT INTO CSM017 (TABLENAME, SETCODEID, SETCODE, TITLE, SETVALUETYPE) VALUES "
             "('CSA001', '01', 'PROPERTY:3,4', 'Two', '010200'), "
             "('CSA001', '02', 'PROPERTY:0,5', 'Bad', '010500'), "
             "('CSA001', '03', 'PROPERTY:5,10', 'Order', '140600'), "
             "('CSA001', '04', 'PROPERTY:1,1', 'Odd', '990100'), "
             "('CSA999', '05', 'PROPERTY:1,1', 'Other table', '010100')");
        Exec("INSERT INTO CSB018 (ORDERCHARCODE, ORDERCHARDATA) VALUES ('000001', 'Hot')");
    }
};

TEST_F(CSetGrpPageDlgTest, PropertiesAreEditedInTheTextAndSavedWithTheRecord)
{
    Exec("INSERT INTO CSA001 (ITEMPARMCODE, ITEMPARMNAME, PROPERTY) VALUES ('000001', 'A', '')");
    CListDlg& window = Open(2);
    bool checked = false;
    WhenModal<CTabDlg>([&](CTabDlg& editor) {
        auto* page = dynamic_cast<CSetGrpPageDlg*>(editor.Pages()[0]);
        ASSERT_NE(page, nullptr);
        QTreeWidget* list = page->PropertyList();
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->topLevelItemCount(), 4);
        EXPECT_EQ(list->topLevelItem(0)->text(0), "Two");
        // The text dialog answers with a text.
        auto edit = [page](const QString& text) {
            WhenModal<CSubItemSetDlg>([text](CSubItemSetDlg& dialog) {
                qobject_cast<QLineEdit*>(FindControlById(&dialog, CSubItemSetDlg::IDC_TEXT))
                    ->setText(text);
                dialog.accept();
            });
            page->EditProperty(0);
        };
        edit("A"); // the wrong length changes nothing
        EXPECT_EQ(page->PropertyText(), "");
        edit("AB"); // an empty text is padded with "0" up to the property
        EXPECT_EQ(page->PropertyText(), "00AB");
        EXPECT_EQ(list->topLevelItem(0)->text(1), "AB");
        // Type "14" offers "none" first.
        QString first;
        WhenModal<CSubItemSetDlg>([&first](CSubItemSetDlg& dialog) {
            auto* choices =
                qobject_cast<QListWidget*>(FindControlById(&dialog, CSubItemSetDlg::IDC_LIST));
            if (choices && choices->count() > 1)
                first = choices->item(0)->text();
            dialog.reject();
        });
        page->EditProperty(2);
        EXPECT_TRUE(first.contains(GetLangString("CRDS_PR_VALUE_NOEXIST"))) << first.toStdString();
        // A range outside the column and an unknown type open nothing.
        page->EditProperty(1);
        page->EditProperty(3);
        EXPECT_EQ(page->PropertyText(), "00AB");
        EXPECT_EQ(list->topLevelItem(1)->text(1), "");
        checked = true;
        qobject_cast<QPushButton*>(FindControlById(&editor, 1))->click();
    });
    window.accept();
    EXPECT_TRUE(checked);
    EXPECT_EQ(Value("CSA001", "PROPERTY", "1"), "00AB");
    // The flags nobody touched stay as they were stored.
    EXPECT_EQ(Value("CSA001", "HASHITEMFLG", "1"), "<null>");
    EXPECT_EQ(Value("CSA001", "NONSRVCHARGEFLG", "1"), "<null>");
}

} // namespace
