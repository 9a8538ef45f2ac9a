// The standard list window and its record editor on a work database.
#include "goods/CGoodsModeTable.h"
#include "goods/CListDlg.h"
#include "goods/CPageDlg.h"
#include "goods/base/CRecordListModel.h"
#include "goods/CTabDlg.h"
#include "goods/ChooseMode.h"
#include "goods/GoodsButtonTable.h"
#include "goods/base/CAddDlg.h"
#include "goods/base/CMainListCtrl.h"
#include "goods/base/RegisterDialogClass.h"

#include "goods/tests/ListDlgFixture.h"
#include "testsupport/LayoutCheck.h"

#include "shared/data/CColumnDataStaticCombo.h"
#include "shared/controls/CNumEdit.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/FormatLangText.h"
#include "shared/lang/WindowText.h"
#include "shared/data/CDataManager.h"
#include "testsupport/FixedClock.h"
#include "testsupport/ModalDriver.h"

#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

using namespace brelkin;
using korvane::test::WhenModal;

namespace {

class CListDlgTest : public ListDlgFixture
{
protected:
    bool Enabled(uint id) { return FindControlById(m_window.get(), id)->isEnabled(); }
};

// Every list window shows each column title whole and keeps the other layout
// rules, as the fixture's watch checks each window shown.
TEST_F(CListDlgTest, EveryListWindowShowsItsColumnTitlesWhole)
{
    for (int entry = 0; entry < CGoodsModeTable::kEntryCount; ++entry) {
        if (entry == 5 || entry == CGoodsModeTable::kHourlyPluEntry)
            continue; // the hourly window has a class of its own
        CListDlg& window = Open(entry);
        EXPECT_EQ(korvane::test::LayoutFaults(&window), QStringList()) << entry;
        window.reject();
    }
}

// A column of fixed choices ("Mix & match item net discount", "Condition 9")
// is as wide as its widest choice, so no cell is cut.
TEST_F(CListDlgTest, AColumnOfChoicesFitsItsWidestChoice)
{
    for (int entry = 0; entry < CGoodsModeTable::kEntryCount; ++entry) {
        if (entry == 5 || entry == CGoodsModeTable::kHourlyPluEntry)
            continue;
        CListDlg& window = Open(entry);
        const QFontMetrics metrics(window.List()->font());
        for (int c = 0; c < window.Model()->columnCount(); ++c) {
            auto* choices = dynamic_cast<CColumnDataStaticCombo*>(window.Model()->ColumnData(c));
            if (!choices)
                continue;
            for (int i = 0; i < choices->m_nItemCount; ++i) {
                const QString text = GetLangString(QLatin1String(choices->m_pItems[i].pszKey));
                EXPECT_GE(window.List()->columnWidth(c), metrics.horizontalAdvance(text) + 4)
                    << entry << " " << text.toStdString();
            }
        }
        window.reject();
    }
}

TEST_F(CListDlgTest, EmptyTableOffersOnlyBackInsertAndHelp)
{
    CListDlg& window = Open(0);
    EXPECT_EQ(window.Model()->rowCount(), 0);
    for (uint id : {2u, 23048u, 33002u})
        EXPECT_TRUE(Enabled(id)) << id;
    for (uint id : {1u, 23047u})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(window.MenuButton()->isVisibleTo(&window)); // departments: import and export
}

TEST_F(CListDlgTest, DeletingTheOnlyRecordDisablesOkAndDelete)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Food')");
    CListDlg& window = Open(0);
    ASSERT_EQ(window.Model()->rowCount(), 1);
    EXPECT_TRUE(Enabled(1));
    EXPECT_TRUE(Enabled(23047));
    window.OnCommand(CListDlg::IDC_DELETE);
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_PR_DELETE"});
    EXPECT_EQ(window.Model()->rowCount(), 0);
    EXPECT_TRUE(Rows("CIA002").isEmpty());
    EXPECT_FALSE(Enabled(1));
    EXPECT_FALSE(Enabled(23047));
}

// A department in use: the question counts each use that keeps its code
// (items, mix & match children, hourly-report targets, floating prices and
// the floating departments of the base settings), and a bare Return keeps
// it; Yes deletes. An unused one gets the plain question.
TEST_F(CListDlgTest, DeletingADepartmentInUseCountsEveryUseAndDefaultsToNo)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000001', 'Food'), "
         "('000002', 'Drinks'), ('000003', 'Other'), ('000004', 'Fresh'), ('000005', 'Free')");
    Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, ITEMDEPTCODE) VALUES ('0001', 'Soup', "
         "'000001'), ('0002', 'Bread', '000001'), ('000002', 'Tea', '000001')");
    // Two offers take department 2; an item child of the same code is no use.
    Exec("INSERT INTO CSA006 (MMCODE, LISTNUMBER, ITEMTYPE, ITEMCODE) VALUES "
         "('M1', '01', '1', '000002'), ('M1', '02', '1', '000002'), ('M2', '01', '1', '000002'), "
         "('M3', '01', '0', '000002')");
    Exec("INSERT INTO CSB014 (RECNUMBER, TARGETCODETYPE, TARGETCODE) VALUES "
         "('001', '15', '000003'), ('002', '14', '000004')");
    Exec("INSERT INTO CSA007 (ITEMCODE, CTRLTYPE, CTRLCODE, PRICECODE) VALUES "
         "('0009', '02', '000004', '01'), ('0009', '01', '000003', '01')");
    Exec("INSERT INTO CSB001 (OPSETCODE, VALUE) VALUES ('FLOATINGDEPT02', '000004')");
    QList<platform::MessageRequest> asked;
    int answer = 0; // 0: Return, the default button
    platform::setMessageResponder([&](const platform::MessageRequest& request) {
        asked << request;
        return answer != 0 ? answer : request.defaultButton;
    });
    const auto line = [](const char* key, int count) {
        return FormatLangText(GetLangString(QLatin1String(key)), count);
    };
    const QString items = line("CRDS_PR_DEPTUSE_ITEMS", 3);
    const QString offers = line("CRDS_PR_DEPTUSE_MIXMATCH", 2);
    const QString hourly = line("CRDS_PR_DEPTUSE_HOURLY", 1);
    const QString floating = line("CRDS_PR_DEPTUSE_FLOATINGPRICE", 1);
    const QString setting = line("CRDS_PR_DEPTUSE_FLOATINGDEPT", 1);
    const struct
    {
        int row;
        QStringList uses;
    } cases[] = {
        {0, {items}},
        {1, {offers}},
        {2, {hourly}},
        {3, {floating, setting}},
    };
    CListDlg& window = Open(0);
    const auto select = [&window](int row) {
        window.List()->selectionModel()->setCurrentIndex(window.Model()->index(row, 0),
                                                         QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        asked.clear();
        select(c.row);
        window.OnCommand(CListDlg::IDC_DELETE);
        ASSERT_EQ(asked.size(), 1);
        EXPECT_EQ(asked[0].key, "CRDS_PR_DELETE_USEDDEPT");
        EXPECT_EQ(asked[0].buttons, platform::MessageButtons::YesNo);
        EXPECT_EQ(asked[0].defaultButton, platform::IDNO);
        for (const QString& use : {items, offers, hourly, floating, setting})
            EXPECT_EQ(asked[0].text.contains(use), c.uses.contains(use)) << use.toStdString();
        EXPECT_EQ(Rows("CIA002").size(), 5);
    }
    // Yes deletes; the rows that used the code keep it.
    answer = platform::IDYES;
    select(1);
    window.OnCommand(CListDlg::IDC_DELETE);
    EXPECT_EQ(Rows("CIA002").size(), 4);
    EXPECT_EQ(Rows("CSA006").size(), 4);
    // Nothing uses the last one.
    asked.clear();
    answer = platform::IDOK;
    select(3);
    window.OnCommand(CListDlg::IDC_DELETE);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].key, "CRDS_PR_DELETE");
    EXPECT_EQ(Rows("CIA002", {"ITEMDEPTCODE"}, {}, "1"),
              (QList<QStringList>{{"000001"}, {"000003"}, {"000004"}}));
}

TEST_F(CListDlgTest, DeletingAClerkTakesHisKeyRowInTheSameTransaction)
{
    Exec("INSERT INTO CSB004 (CLKCODE, CLKNAME) VALUES ('0001', 'Ann'), ('0002', 'Bob')");
    Exec("INSERT INTO CSB010 VALUES ('K1', '0001', '1', '1'), ('K2', '0002', '1', '1')");
    // The key row cannot go: the clerk stays too.
    Exec("CREATE TRIGGER keep BEFORE DELETE ON CSB010 BEGIN SELECT RAISE(ABORT, 'no'); END");
    CListDlg& window = Open(4);
    window.OnCommand(CListDlg::IDC_DELETE);
    EXPECT_EQ(m_suite.messages(), (QStringList{"CRDS_PR_DELETE", "CRDS_CMN_ERR_DELETE_FAILED"}));
    EXPECT_EQ(Rows("CSB004").size(), 2);
    EXPECT_EQ(window.Model()->rowCount(), 2);
    Exec("DROP TRIGGER keep");
    window.OnCommand(CListDlg::IDC_DELETE);
    EXPECT_EQ(Rows("CSB004", {"CLKCODE"}), (QList<QStringList>{{"0002"}}));
    EXPECT_EQ(Rows("CSB010", {"DALLASKEYID"}), (QList<QStringList>{{"K2"}}));
}

TEST_F(CListDlgTest, MissingWorkDatabaseIsNeverCreated)
{
    m_db.reset();
    QFile::remove(m_local + "/SETTING.DB");
    CListDlg& window = Open(0);
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_CMN_ERR_SETREAD_FAILED"});
    (void)QTest::qWaitFor([&] { return !window.isVisible(); }, 5000);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), 2);
    EXPECT_FALSE(QFile::exists(m_local + "/SETTING.DB"));
}

TEST_F(CListDlgTest, NewCodeOpensTheEditorAsNewAndStampsItsSaves)
{
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000099', 'Food')");
    korvane::test::FixedClock clock(QDateTime(QDate(2026, 5, 6), QTime(7, 8, 9)));
    CListDlg& window = Open(0);
    WhenModal<CAddDlg>([](CAddDlg& dialog) {
        auto* code = qobject_cast<CNumEdit*>(FindControlById(&dialog, CAddDlg::IDC_CODE));
        EXPECT_EQ(code->text(), "000100");
        FindControlById(&dialog, 1)->setFocus();
        qobject_cast<QPushButton*>(FindControlById(&dialog, 1))->click();
    });
    WhenModal<CTabDlg>([&clock](CTabDlg& editor) {
        clock.Set(QDateTime(QDate(2026, 5, 6), QTime(8, 0, 0)));
        auto* name = qobject_cast<QLineEdit*>(FindControlById(editor.Pages()[0], 20007));
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("Drinks"));
        qobject_cast<QPushButton*>(FindControlById(&editor, 1))->click();
    });
    window.OnCommand(CListDlg::IDC_INSERT);
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_CMN_COMFIRM_SAVE"});
    EXPECT_EQ(Rows("CIA002", {"ITEMDEPTNAME", "CREATEDATETIME", "UPDATEDATETIME"},
                   "ITEMDEPTCODE = '000100'"),
              (QList<QStringList>{{"Drinks", "20260506080000", "20260506080000"}}));
    // Later saves keep the creation and stamp the update.
    clock.Set(QDateTime(QDate(2026, 5, 7), QTime(9, 0, 0)));
    WhenModal<CTabDlg>(
        [](CTabDlg& editor) { qobject_cast<QPushButton*>(FindControlById(&editor, 1))->click(); });
    window.accept();
    EXPECT_EQ(Rows("CIA002", {"CREATEDATETIME", "UPDATEDATETIME"}, "ITEMDEPTCODE = '000100'"),
              (QList<QStringList>{{"20260506080000", "20260507090000"}}));
}

TEST_F(CListDlgTest, BadValueSelectsItsPageAndWritesNothing)
{
    Exec("INSERT INTO CIB001 (SETITEMCODE, SETITEMNAME, LISTMAX) VALUES ('1', 'Set', 2)");
    CListDlg& window = Open(7);
    bool stayed = false;
    WhenModal<CTabDlg>([&stayed](CTabDlg& editor) {
        auto* min = qobject_cast<QLineEdit*>(FindControlById(editor.Pages()[0], 23137));
        ASSERT_NE(min, nullptr);
        // Enter in a combo box does not close the editor.
        QWidget* type = FindControlById(editor.Pages()[0], 23135);
        type->setFocus();
        QTest::keyClick(type, Qt::Key_Return);
        EXPECT_TRUE(editor.isVisible());
        min->setText(QStringLiteral("1.5"));
        qobject_cast<QPushButton*>(FindControlById(&editor, 1))->click();
        stayed = editor.isVisible() && editor.focusWidget() == min;
        editor.reject();
    });
    window.accept();
    EXPECT_TRUE(stayed);
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_CMN_ERR_INPUT"});
    EXPECT_EQ(Rows("CIB001", {"LISTMIN"}), (QList<QStringList>{{""}}));
}

TEST_F(CListDlgTest, CancelInTheConfirmationKeepsTheEditorOpen)
{
    Exec("INSERT INTO CIA003 (ITEMGRPCODE, ITEMGRPNAME) VALUES ('000001', 'Old')");
    platform::setMessageResponder([this](const platform::MessageRequest& request) {
        m_suite.messages() << request.key;
        return int(platform::IDCANCEL);
    });
    CListDlg& window = Open(3);
    bool stayed = false;
    WhenModal<CTabDlg>([&stayed](CTabDlg& editor) {
        auto* name = qobject_cast<QLineEdit*>(FindControlById(editor.Pages()[0], 20007));
        name->setText(QStringLiteral("New"));
        // Enter in the name does not close the editor either.
        QTest::keyClick(name, Qt::Key_Return);
        qobject_cast<QPushButton*>(FindControlById(&editor, 1))->click();
        stayed = editor.isVisible();
        editor.reject();
    });
    window.accept();
    EXPECT_TRUE(stayed);
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_CMN_COMFIRM_SAVE"});
    EXPECT_EQ(Rows("CIA003", {"ITEMGRPNAME"}), (QList<QStringList>{{"Old"}}));
}

TEST_F(CListDlgTest, RestaurantItemAndItsSetPriceAreSavedTogetherOrNotAtAll)
{
    Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME) VALUES ('0001', 'Soup')");
    Exec("INSERT INTO CIB003 (ITEMCODE, SETPRICE1) VALUES ('0001', '100')");
    Exec("CREATE TRIGGER refuse BEFORE UPDATE ON CIB003 BEGIN SELECT RAISE(ABORT, 'no'); END");
    CListDlg& window = Open(14);
    bool stayed = false;
    WhenModal<CTabDlg>([&stayed](CTabDlg& editor) {
        ASSERT_EQ(editor.Pages().size(), 2u);
        auto* name = qobject_cast<QLineEdit*>(FindControlById(editor.Pages()[0], 20007));
        auto* price = qobject_cast<QLineEdit*>(FindControlById(editor.Pages()[1], 23198));
        ASSERT_TRUE(name && price);
        EXPECT_EQ(GetWindowText(FindControlById(editor.Pages()[1], 23197)), "0001");
        name->setText(QStringLiteral("Stew"));
        qobject_cast<QPushButton*>(FindControlById(&editor, 1))->click();
        stayed = editor.isVisible();
        editor.reject();
    });
    window.accept();
    EXPECT_TRUE(stayed);
    EXPECT_EQ(m_suite.messages(), (QStringList{"CRDS_CMN_COMFIRM_SAVE", "CRDS_CMN_ERR_SAVE_FAILED",
                                               "CRDS_CMN_ERR_SETWRITE_FAILED"}));
    EXPECT_EQ(Rows("CIA001", {"ITEMNAME"}), (QList<QStringList>{{"Soup"}}));
    EXPECT_EQ(window.Model()->index(0, 2).data().toString(), "Soup"); // the cache too
}

TEST_F(CListDlgTest, SetPriceRowIsAddedAndDeletedAtOnce)
{
    Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, UPDATEDATETIME) VALUES ('0001', 'Soup', 'old')");
    CListDlg& window = Open(14);
    bool checked = false;
    WhenModal<CTabDlg>([&](CTabDlg& editor) {
        CPageDlg* page = editor.Pages()[1];
        QWidget* price = FindControlById(page, 23198);
        auto* add = qobject_cast<QPushButton*>(FindControlById(page, CPageDlg::IDC_SETPRICE_ADD));
        auto* remove =
            qobject_cast<QPushButton*>(FindControlById(page, CPageDlg::IDC_SETPRICE_DELETE));
        ASSERT_TRUE(price && add && remove);
        EXPECT_FALSE(price->isVisibleTo(page));
        EXPECT_FALSE(remove->isEnabled());
        add->click();
        EXPECT_EQ(Rows("CIB003", {"ITEMCODE"}), (QList<QStringList>{{"0001"}}));
        EXPECT_TRUE(price->isVisibleTo(page));
        EXPECT_FALSE(add->isEnabled());
        remove->click();
        EXPECT_TRUE(Rows("CIB003").isEmpty());
        EXPECT_FALSE(price->isVisibleTo(page));
        add->click();
        checked = true;
        editor.reject();
    });
    window.accept();
    EXPECT_TRUE(checked);
    EXPECT_EQ(m_suite.messages(), QStringList{"CRDS_PR_DELETE"});
    // Cancelling the editor keeps the added row; the item is not touched.
    EXPECT_EQ(Rows("CIB003", {"ITEMCODE"}), (QList<QStringList>{{"0001"}}));
    EXPECT_EQ(Rows("CIA001", {"ITEMNAME", "UPDATEDATETIME"}),
              (QList<QStringList>{{"Soup", "old"}}));
}

TEST_F(CListDlgTest, CleaningItemParameterHidesTheTypeRadiosWithTheirBox)
{
    Exec("INSERT INTO CSA001 (ITEMPARMCODE, ITEMPARMNAME, ITEMTYPE) VALUES ('000001', 'A', '1')");
    Exec("INSERT INTO CTT002 (TABLENAME, COLUMNNAME, REMARKS) VALUES "
         "('CSA001', 'ITEMTYPE', 'view=gone')");
    CListDlg& window = Open(9);
    bool checked = false;
    WhenModal<CTabDlg>([&checked](CTabDlg& editor) {
        CPageDlg* page = editor.Pages()[0];
        for (uint id : {14057u, 14058u, 14059u, 23195u, 14023u})
            EXPECT_FALSE(FindControlById(page, id)->isVisibleTo(page)) << id;
        EXPECT_TRUE(FindControlById(page, 23022)->isVisibleTo(page)); // the hash item radios stay
        checked = true;
        editor.reject();
    });
    window.accept();
    EXPECT_TRUE(checked);
}

TEST_F(CListDlgTest, MenuButtonCarriesTheTextFileCommandsOfTheMode)
{
    const struct
    {
        int entry;
        QList<uint> commands;
    } cases[] = {{1, {32, 48, 16, 64}},  {0, {32, 48, 16, 64}}, {3, {32, 48, 16}},
                 {10, {32, 48, 16, 64}}, {14, {32, 48, 16}},    {4, {}}};
    for (const auto& c : cases) {
        CListDlg& window = Open(c.entry);
        QList<uint> commands;
        for (const QAction* action : window.MenuButton()->menu()->actions())
            if (!action->isSeparator())
                commands << action->data().toUInt();
        EXPECT_EQ(commands, c.commands) << c.entry;
        EXPECT_EQ(window.MenuButton()->isVisibleTo(&window), !c.commands.isEmpty());
        m_window.reset();
    }
}

TEST_F(CListDlgTest, ClosingTheWindowActsAsBack)
{
    CListDlg& window = Open(0);
    window.close();
    EXPECT_EQ(window.result(), 2);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(CListDlgTest, MainWindowCarriesTheRegisteredClassName)
{
    ASSERT_TRUE(RegisterDialogClass(QStringLiteral("Lumo Setting Goods")));
    CListDlg& window = Open(0);
    EXPECT_EQ(window.objectName(), "Lumo Setting Goods");
    RegisterDialogClass(QStringLiteral("-"));
}

} // namespace
