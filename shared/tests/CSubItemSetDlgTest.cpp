#include "shared/dialogs/CSubItemSetDlg.h"

#include "shared/controls/CEcrEdit.h"
#include "shared/data/CStringArrayPtrList.h"
#include "shared/tests/DialogTestSupport.h"
#include "shared/controls/NumberText.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/QtPrinters.h"

#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include <memory>
#include <stdexcept>
#include <vector>

namespace {

using T = SubItemDlgType;

struct Rows
{
    Rows(std::initializer_list<QStringList> rows)
    {
        for (const QStringList& row : rows) {
            m_rows.push_back(std::make_unique<QStringList>(row));
            m_list.AddTail(m_rows.back().get());
        }
    }
    std::vector<std::unique_ptr<QStringList>> m_rows;
    CStringArrayPtrList m_list;
};

using CSubItemSetDlgTest = LibraryDialogTest;

TEST_F(CSubItemSetDlgTest, EveryFormGivesBackTheValueItWasGiven)
{
    Rows fruit{{"01", "Apple"}, {"02", "Pear"}, {"03", "Plum"}};
    Rows flags{{"0", "A"}, {"1", "B"}, {"0", "C"}, {"1", "D"}};
    struct Case
    {
        T::E_DlgTypeTag form;
        int digits;
        int decimals;
        QString value;
        CStringArrayPtrList* selection;
        QString expected;
    };
    const Case cases[] = {
        {T::DLGTYPE_EDIT, 8, 0, "Apple", nullptr, "Apple"},
        {T::DLGTYPE_PRICE, 6, 0, "1234", nullptr, "1234"},
        {T::DLGTYPE_PERCENT, 5, 2, "12.5", nullptr, FormatPercentText(3, 1250, 2)},
        {T::DLGTYPE_DATE, 8, 0, "20240229", nullptr, "20240229"},
        {T::DLGTYPE_TIME, 4, 0, "0930", nullptr, "0930"},
        {T::DLGTYPE_LIST, 2, 0, "02", &fruit.m_list, "02"},
        {T::DLGTYPE_COMBO, 2, 0, "03", &fruit.m_list, "03"},
        {T::DLGTYPE_NUMZERO, 4, 0, "0012", nullptr, "0012"},
        {T::DLGTYPE_MINUSPRICE, 4, 0, "-12", nullptr, "-12"},
        {T::DLGTYPE_CHECKLIST, 2, 0, "", &flags.m_list, "0101"},
        {T::DLGTYPE_DATE, 8, 0, "2024", nullptr, "20000101"}, // not a date: 1 January 2000
        {T::DLGTYPE_TIME, 4, 0, "", nullptr, "0000"},
        {T::DLGTYPE_LIST, 2, 0, "09", &fruit.m_list, "01"}, // unknown code: the first row
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "form " << c.form << " value " << c.value.toStdString());
        CSubItemSetDlg dlg(nullptr, c.form, 0);
        dlg.SetValue(c.digits, c.decimals, c.value);
        dlg.SetSelectData(c.selection);
        dlg.SetLabelText("Label");
        const int result = RunModal<CSubItemSetDlg>(dlg, [](CSubItemSetDlg& d) {
            EXPECT_EQ(d.windowTitle().isEmpty(), false);
            ClickControl(&d, platform::IDOK);
        });
        EXPECT_EQ(result, platform::IDOK);
        EXPECT_EQ(dlg.GetValue(), c.expected);
    }
    EXPECT_TRUE(Messages().isEmpty());
}

TEST_F(CSubItemSetDlgTest, ChangesReachTheValueInTheTableFormat)
{
    Rows flags{{"0", "A"}, {"1", "B"}};
    CSubItemSetDlg checks(nullptr, T::DLGTYPE_CHECKLIST, 0);
    checks.SetSelectData(&flags.m_list);
    RunModal<CSubItemSetDlg>(checks, [](CSubItemSetDlg& d) {
        auto* list = qobject_cast<QListWidget*>(FindControlById(&d, CSubItemSetDlg::IDC_CHECKLIST));
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
        list->item(0)->setCheckState(Qt::Checked);
        list->item(1)->setCheckState(Qt::Unchecked);
        ClickControl(&d, platform::IDOK);
    });
    EXPECT_EQ(checks.GetValue(), "10");

    CSubItemSetDlg text(nullptr, T::DLGTYPE_EDIT, 0);
    text.SetValue(3, 0, "ab");
    RunModal<CSubItemSetDlg>(text, [](CSubItemSetDlg& d) {
        auto* edit = qobject_cast<CEcrEdit*>(FindControlById(&d, CSubItemSetDlg::IDC_TEXT));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->GetLimitText(), 3);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "wxyz");
        ClickControl(&d, platform::IDOK);
    });
    EXPECT_EQ(text.GetValue(), "wxy");
}

// A text shows whole, with or without a limit; the dialog grows to hold it.
TEST_F(CSubItemSetDlgTest, TheTextEditShowsTheWholeValue)
{
    const QString value = QStringLiteral("Thank you for shopping with us, see you again");
    ASSERT_EQ(value.size(), 45);
    for (int digits : {0, 45}) {
        CSubItemSetDlg text(nullptr, T::DLGTYPE_EDIT, 0);
        text.SetValue(digits, 0, value);
        RunModal<CSubItemSetDlg>(text, [&](CSubItemSetDlg& d) {
            auto* edit = qobject_cast<CEcrEdit*>(FindControlById(&d, CSubItemSetDlg::IDC_TEXT));
            ASSERT_NE(edit, nullptr);
            EXPECT_GE(edit->width(), QFontMetrics(edit->font()).horizontalAdvance(value) + 8)
                << digits;
            EXPECT_EQ(korvane::test::LayoutFaults(&d), QStringList()) << digits;
            d.reject();
        });
    }
}

// A value of two digits (a property field) still gets an edit of eight
// characters, not a slot two characters wide.
TEST_F(CSubItemSetDlgTest, AShortValueGetsAnEditOfEightCharacters)
{
    CSubItemSetDlg text(nullptr, T::DLGTYPE_EDIT, 0);
    text.SetValue(2, 0, QStringLiteral("12"));
    RunModal<CSubItemSetDlg>(text, [&](CSubItemSetDlg& d) {
        auto* edit = qobject_cast<CEcrEdit*>(FindControlById(&d, CSubItemSetDlg::IDC_TEXT));
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->GetLimitText(), 2);
        EXPECT_GE(edit->width(), QFontMetrics(edit->font()).horizontalAdvance(QString(8, u'X')));
        d.reject();
    });
}

TEST_F(CSubItemSetDlgTest, OkWithoutAChoiceKeepsTheDialogOpen)
{
    Rows fruit{{"01", "Apple"}, {"02", "Pear"}};
    CSubItemSetDlg dlg(nullptr, T::DLGTYPE_LIST, 0);
    dlg.SetValue(2, 0, "02");
    dlg.SetSelectData(&fruit.m_list);
    const int result = RunModal<CSubItemSetDlg>(dlg, [this](CSubItemSetDlg& d) {
        auto* list = qobject_cast<QListWidget*>(FindControlById(&d, CSubItemSetDlg::IDC_LIST));
        ASSERT_NE(list, nullptr);
        list->setCurrentRow(-1);
        ClickControl(&d, platform::IDOK);
        EXPECT_EQ(Messages(), QStringList{"CRDS_CMN_ERR_INPUT"});
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.GetValue(), "02");
        // A double-click chooses and confirms.
        list->setCurrentRow(0);
        emit list->itemDoubleClicked(list->item(0));
        (void)QTest::qWaitFor([&d] { return !d.isVisible(); }, 5000);
    });
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(dlg.GetValue(), "01");
}

TEST_F(CSubItemSetDlgTest, AListWithoutSelectionDataCannotOpen)
{
    CSubItemSetDlg dlg(nullptr, T::DLGTYPE_COMBO, 0);
    dlg.SetValue(2, 0, "01");
    // The window closes itself once it is up.
    const auto closesItself = [](CSubItemSetDlg& d) {
        (void)QTest::qWaitFor([&d] { return !d.isVisible(); }, 5000);
    };
    EXPECT_EQ(RunModal<CSubItemSetDlg>(dlg, closesItself), platform::IDCANCEL);
    EXPECT_EQ(Messages(), QStringList{"CRDS_CMN_ERR_SETREAD_FAILED"});
    EXPECT_EQ(dlg.GetValue(), "01");

    Rows shortRow{{"01", "Apple"}, {"02"}};
    EXPECT_FALSE(dlg.SetSelectData(&shortRow.m_list));
    EXPECT_EQ(RunModal<CSubItemSetDlg>(dlg, closesItself), platform::IDCANCEL);
}

TEST_F(CSubItemSetDlgTest, ImportCheckConvertsOrReportsWithoutShowingTheDialog)
{
    Rows fruit{{"01", "Apple"}, {"02", "Pear"}};
    struct Case
    {
        T::E_DlgTypeTag form;
        int allInOne;
        int digits;
        QString text;
        int allowEmpty;
        const char* key; // "" = accepted
        QString value;   // GetValue after CommitInputData
    };
    const Case cases[] = {
        {T::DLGTYPE_DATE, 0, 8, "20240229", 0, "", "20240229"},
        {T::DLGTYPE_DATE, 1, 8, "20230231", 0, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_TIME, 1, 4, "2359", 0, "", "2359"},
        {T::DLGTYPE_TIME, 0, 4, "1260", 0, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_LIST, 0, 2, "Pear   ", 0, "", "02"},
        {T::DLGTYPE_COMBO, 1, 2, "Apple", 0, "", "01"},
        {T::DLGTYPE_COMBO, 0, 2, "Cherry", 0, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_PRICE, 0, 6, "12a", 0, "CRDS_ERR_INPUT", ""},
        {T::DLGTYPE_PRICE, 1, 6, "1200", 0, "", "1200"},
        {T::DLGTYPE_EDIT, 0, 3, "abcd", 0, "CRDS_ERR_CHAR_TOOLENGTH", ""},
        {T::DLGTYPE_NUMZERO, 0, 4, "12", 0, "", "0012"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "form " << c.form << " all-in-one " << c.allInOne
                                        << " text " << c.text.toStdString());
        CSubItemSetDlg dlg(nullptr, c.form, c.allInOne);
        dlg.SetValue(c.digits, 0, c.text);
        dlg.SetSelectData(&fruit.m_list);
        ASSERT_TRUE(dlg.Create());
        dlg.SetLabelText("Label");
        ExpectImportCheck(dlg, c.text, c.allowEmpty, c.key, c.value);
    }
    EXPECT_TRUE(Messages().isEmpty());
}

} // namespace
