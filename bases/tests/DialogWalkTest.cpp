// Every page and frame of the base program keeps the template rules: one
// control per id, every control inside, every key in module "Dunmarel".
#include "bases/BaseDialogIds.h"
#include "bases/CTabDlg.h"
#include "bases/ChooseMode.h"
#include "bases/PageLayouts.h"

#include "shared/lang/CResourceLangDatas.h"
#include "testsupport/DialogCheck.h"

#include <QLayout>
#include <QWidget>

#include <gtest/gtest.h>

using namespace dunmarel;

TEST(DialogWalk, PagesAndFramesKeepTheTemplateRules)
{
    CResourceLangDatas lang;
    ASSERT_TRUE(lang.LoadDocumentFile(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
    QStringList faults;
    for (unsigned pageId :
         {IDD_PAGE_FORMALRECEIPT, IDD_PAGE_RECEIPT, IDD_PAGE_ORDER, IDD_PAGE_TAX,
          IDD_PAGE_EASY_58MM, IDD_PAGE_EASY_80MM, IDD_PAGE_DISP, IDD_PAGE_CHECK, IDD_PAGE_OTHER}) {
        QWidget page;
        ASSERT_TRUE(BuildPageControls(pageId, &page)) << pageId;
        // Laid out at the size it asks for, as the tab dialog gives it.
        page.resize(page.sizeHint());
        page.layout()->setGeometry(page.rect());
        faults += korvane::test::DialogFaults(&page, lang, QStringLiteral("Dunmarel"));
    }
    for (unsigned frame : {IDD_TABDLG, IDD_TABDLG_TAX, IDD_TABDLG_EASY}) {
        CDataManager* none = nullptr;
        CTabDlg dialog(none, frame, MODE_RC, nullptr);
        faults += korvane::test::DialogFaults(&dialog, lang, QStringLiteral("Dunmarel"));
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
}
