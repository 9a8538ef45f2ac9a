// Where the record editor puts the focus when it opens.
#include "goods/CPageDlg.h"
#include "goods/CTabDlg.h"

#include "goods/tests/ListDlgFixture.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/ModalDriver.h"

using namespace brelkin;

namespace {

class RecordEditorFocusTest : public ListDlgFixture
{
};

// A column the view table marks gone leaves its control hidden (here the
// scan code, before the name): the focus goes to the first control shown.
TEST_F(RecordEditorFocusTest, FirstShownControlOfTheFirstPageTakesTheFocus)
{
    Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME) VALUES ('0000000000000001', 'Soup')");
    Exec("INSERT INTO CTT002 (TABLENAME, COLUMNNAME, REMARKS) VALUES "
         "('CIA001', 'SCANCODE1', 'view=gone')");
    CListDlg& window = Open(10); // the cleaning items
    ASSERT_EQ(window.Model()->rowCount(), 1);
    bool opened = false;
    QWidget* focus = nullptr;
    QWidget* name = nullptr;
    korvane::test::WhenModal<CTabDlg>([&](CTabDlg& editor) {
        opened = true;
        focus = editor.focusWidget();
        name = FindControlById(editor.Pages()[0], 20007);
        EXPECT_TRUE(focus && focus->isVisibleTo(&editor));
        editor.reject();
    });
    window.accept();
    ASSERT_TRUE(opened);
    EXPECT_NE(name, nullptr);
    EXPECT_EQ(focus, name);
}

} // namespace
