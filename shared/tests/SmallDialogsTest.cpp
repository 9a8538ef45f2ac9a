#include "shared/dialogs/CCmnImportStateDlg.h"
#include "shared/dialogs/CInputValueDlg.h"

#include "shared/controls/CPercentEdit.h"
#include "shared/tests/DialogTestSupport.h"
#include "platform/MessageBox.h"
#include "testsupport/QtPrinters.h"
#include "shared/lang/WindowText.h"
#include "shared/lang/CSarvikApp.h"

#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using SmallDialogsTest = LibraryDialogTest;

CPercentEdit* ValueEdit(QWidget* dialog)
{
    return qobject_cast<CPercentEdit*>(FindControlById(dialog, CInputValueDlg::IDC_VALUE));
}

TEST_F(SmallDialogsTest, InputValueLimitsTheEntryToItsDigits)
{
    struct Case
    {
        int digits;
        int decimals;
        QString typed;
        QString expected;
    };
    const Case cases[] = {
        {2, 0, "12345", "12"},
        {5, 2, "123.4567", "123.45"},
    };
    for (const Case& c : cases) {
        CInputValueDlg dlg;
        dlg.m_strLabel = "Quantity";
        dlg.m_strValue = "";
        dlg.m_nDigits = c.digits;
        dlg.m_nDecimals = c.decimals;
        const int result = RunModal<CInputValueDlg>(dlg, [&](CInputValueDlg& d) {
            CPercentEdit* edit = ValueEdit(&d);
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->GetLimitText(), c.expected.size());
            edit->setFocus();
            QTest::keyClicks(edit, c.typed);
            ClickControl(&d, platform::IDOK);
        });
        EXPECT_EQ(result, platform::IDOK);
        EXPECT_EQ(dlg.m_strValue, c.expected);
    }
}

TEST_F(SmallDialogsTest, InputValueShowsItsTextsAndCancelKeepsTheValue)
{
    CInputValueDlg dlg;
    dlg.m_strLabel = "Quantity";
    dlg.m_strValue = "7";
    dlg.m_nDigits = 2;
    const int result = RunModal<CInputValueDlg>(dlg, [](CInputValueDlg& d) {
        EXPECT_EQ(d.windowTitle(), ""); // an empty title stays empty
        EXPECT_EQ(GetWindowText(FindControlById(&d, CInputValueDlg::IDC_LABEL)), "Quantity");
        EXPECT_EQ(GetWindowText(FindControlById(&d, platform::IDOK)), LoadCommonString("CRD_OK"));
        EXPECT_EQ(ValueEdit(&d)->text(), "7");
        ValueEdit(&d)->SetText("9");
        ClickControl(&d, platform::IDCANCEL);
    });
    EXPECT_EQ(result, platform::IDCANCEL);
    EXPECT_EQ(dlg.m_strValue, "7");
}

TEST_F(SmallDialogsTest, ImportStateOpensOnUpdate)
{
    struct Case
    {
        uint tick;   // radio ticked before the button
        uint button; // OK or Cancel
        int result;
        bool update;
    };
    const Case cases[] = {
        {CCmnImportStateDlg::IDC_INSERT, platform::IDOK, platform::IDOK, false},
        {CCmnImportStateDlg::IDC_UPDATE, platform::IDOK, platform::IDOK, true},
        {CCmnImportStateDlg::IDC_INSERT, platform::IDCANCEL, platform::IDCANCEL, true},
    };
    for (const Case& c : cases) {
        CCmnImportStateDlg dlg;
        dlg.m_bUpdate = false; // opens on update whatever it holds
        const int result = RunModal<CCmnImportStateDlg>(dlg, [&](CCmnImportStateDlg& d) {
            auto* update =
                qobject_cast<QRadioButton*>(FindControlById(&d, CCmnImportStateDlg::IDC_UPDATE));
            ASSERT_NE(update, nullptr);
            EXPECT_TRUE(update->isChecked());
            EXPECT_EQ(d.windowTitle(), LoadCommonString("CRDD_CMN_IMPORT_STATE"));
            ClickControl(&d, c.tick);
            ClickControl(&d, c.button);
        });
        EXPECT_EQ(result, c.result);
        if (c.button == platform::IDOK) {
            EXPECT_EQ(dlg.m_bUpdate, c.update);
        }
    }

    CCmnImportStateDlg titled;
    titled.m_strTitle = "Items";
    RunModal<CCmnImportStateDlg>(titled, [](CCmnImportStateDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Items");
        ClickControl(&d, platform::IDCANCEL);
    });
    EXPECT_TRUE(titled.m_bUpdate); // Cancel leaves the constructor's 1
}

} // namespace
