// The setting detail list: which rows it shows, the texts of its cells, the
// editor each row opens, sorting by title and what a save writes.
#include "bases/CBsMainListCtrl.h"
#include "bases/CSettingDetailList.h"
#include "bases/CSettingDetailModel.h"
#include "bases/CTabDlg.h"
#include "bases/CPageDlg.h"
#include "bases/DetailRows.h"
#include "bases/DunmarelButtonTable.h"
#include "bases/tests/BaseDbFixture.h"

#include "shared/controls/CEcrEdit.h"
#include "shared/controls/FindControlById.h"
#include "shared/dialogs/CSubItemSetDlg.h"
#include "testsupport/ModalDriver.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QListWidget>
#include <QPointer>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

using namespace dunmarel;
using korvane::test::RunModal;
using korvane::test::WhenModal;

namespace {

const QString kLongValue = QStringLiteral("a value far longer than any digit count would allow");

} // namespace

class SettingDetailListTest : public BaseDbFixture
{
protected:
    void SetUp() override
    {
        BaseDbFixture::SetUp();
        CMainDlg::SetButtonTable(DunmarelButtonTable());
        // Settings of every editor kind, with their definitions.
        const struct
        {
            const char* code;
            const char* title;
            const char* value;
            const char* remarks;
            const char* type; // nullptr: no definition
            const char* defCode;
        } rows[] = {
            {"T.PERCENT", "Percent", "12.50", "", "00030200000000000000", "T.PERCENT"},
            {"T.TEXT", "Text", "abc", "", "01000000000000000000", "T.TEXT"},
            {"T.PRICE", "Price", "100", "", "02070000000000000000", "T.PRICE"},
            {"T.DATE", "Date", "20250101", "", "03", "T.DATE"},
            {"T.TIME", "Time", "1230", "", "04xx", "T.TIME"},
            {"T.CODED", "Coded", "2", "", "10010000000000000000", "t.coded"},
            {"T.NONAMES", "No names", "1", "", "10010000000000000000", "T.NONAMES"},
            {"T.EMPTYLIST", "Empty list", "1", "", "14", "T.EMPTYLIST"},
            {"T.OTHER", "Other", "x", "", "77050100000000000000", "T.OTHER"},
            {"T.NODEF", "Undefined", "", "", nullptr, nullptr},
            {"T.HIDDEN", "Hidden", "1", "abc; View = Gone ;x", nullptr, nullptr},
            {"T.SHOWN", "Shown", "1", "view=gone2", nullptr, nullptr},
            {"report.x.batch.default", "Lower batch", "", "", nullptr, nullptr},
        };
        int id = 900;
        for (const auto& r : rows) {
            Exec(QStringLiteral("INSERT INTO CSB001 VALUES ('%1', '%2', '%3', '', '', '%4', "
                                "'20240101000000', '20240101000000')")
                     .arg(QLatin1String(r.code), QLatin1String(r.title),
                          QLatin1String(r.code) == u"T.NODEF" ? kLongValue : QLatin1String(r.value),
                          QLatin1String(r.remarks)));
            if (r.type)
                Exec(QStringLiteral("INSERT INTO CSM017 (TABLENAME, SETCODEID, SETCODE, TITLE, "
                                    "SETVALUETYPE) VALUES ('CSB001', '%1', '%2', '', '%3')")
                         .arg(++id)
                         .arg(QLatin1String(r.defCode), QLatin1String(r.type)));
        }
        const int coded = 906;
        for (const auto& [number, name, value] :
             {std::tuple{"001", "One", "1"}, {"002", "Two", "2"}, {"003", "Three", "3"}})
            Exec(QStringLiteral("INSERT INTO CSM016 (TABLENAME, SETCODEID, LISTNUMBER, SETNAME, "
                                "SETVALUE) VALUES ('CSB001', '%1', '%2', '%3', '%4')")
                     .arg(coded)
                     .arg(QLatin1String(number), QLatin1String(name), QLatin1String(value)));
    }
    void TearDown() override
    {
        ClosePage();
        BaseDbFixture::TearDown();
    }
    // The page goes first, as in the dialog (which hides its pages before
    // they go): a shown page hides its list as it closes, and the list's
    // model asks the detail list for the headers.
    void ClosePage()
    {
        m_page.reset();
        m_list.reset();
    }

    // The detail manager of a form, read as the start-up reads it, and a
    // page with the list on it.
    CDataManager* OpenDetail(bool cleaning)
    {
        ClosePage();
        CDataManager* entry = OpenMode(cleaning ? MODE_AS_CL : MODE_AS_RES);
        m_detail = cleaning ? m_modes->DetailCleaning() : m_modes->DetailRestaurant();
        EXPECT_TRUE(cleaning ? LoadDetailRowsCleaning(*m_detail, *entry->m_pSQliteDB)
                             : LoadDetailRowsRestaurant(*m_detail, *entry->m_pSQliteDB));
        m_page = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(m_page.get());
        auto* control = new CBsMainListCtrl(m_page.get());
        SetControlId(control, CSettingDetailList::kListId);
        layout->addWidget(control);
        m_page->resize(400, 300);
        m_list = std::make_unique<CSettingDetailList>(m_page.get());
        EXPECT_TRUE(m_list->LoadValueNames(*m_detail));
        EXPECT_TRUE(m_list->LoadDefinitions(*m_detail));
        EXPECT_TRUE(m_list->Fill(*m_detail));
        return m_detail;
    }
    QStringList Codes() const
    {
        QStringList codes;
        for (const CRecord* row : m_detail->m_arrRecords)
            codes << row->value(0);
        return codes;
    }
    QStringList Titles() const
    {
        QStringList titles;
        for (int row = 0; row < m_list->RowCount(); ++row)
            titles << m_list->GetCellText(row, 0);
        return titles;
    }
    int RowOf(const QString& code) const { return int(Codes().indexOf(code)); }
    QString ValueCell(const char* code) const
    {
        return m_list->GetCellText(RowOf(QLatin1String(code)), 1);
    }
    void Select(const char* code) { m_list->ListCtrl()->selectRow(RowOf(QLatin1String(code))); }
    static QAbstractButton* Find(QWidget& dialog, uint id)
    {
        return qobject_cast<QAbstractButton*>(FindControlById(&dialog, id));
    }
    void ClickHeader(int section)
    {
        QHeaderView* header = m_list->ListCtrl()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(section) + 5, 5));
    }

    CDataManager* m_detail = nullptr;
    std::unique_ptr<QWidget> m_page;
    std::unique_ptr<CSettingDetailList> m_list;
};

TEST_F(SettingDetailListTest, HiddenRows)
{
    const struct
    {
        const char* code;
        const char* remarks;
        bool hiddenCleaning;
        bool hiddenRestaurant;
    } cases[] = {
        {"A", "abc; View = Gone ;x", true, true},
        {"A", "VIEW=GONE", true, true},
        {"A", "view=gone2", false, false},
        {"A", "view = gone x", false, false},
        {"REPORT.X.BATCH.DEFAULT", "", true, false},
        {"Report.Z.Batch.Default", "", true, false},
        {"REPORT.Y.BATCH.DEFAULT", "", false, false},
    };
    for (const auto& c : cases) {
        const QStringList row = {QLatin1String(c.code), "", "", "", "", QLatin1String(c.remarks)};
        EXPECT_EQ(IsHiddenDetailRow(row, true), c.hiddenCleaning) << c.code << c.remarks;
        EXPECT_EQ(IsHiddenDetailRow(row, false), c.hiddenRestaurant) << c.code << c.remarks;
    }

    OpenDetail(true);
    QStringList cleaning = Codes();
    EXPECT_FALSE(cleaning.contains(QStringLiteral("T.HIDDEN")));
    EXPECT_TRUE(cleaning.contains(QStringLiteral("T.SHOWN")));
    for (const char* batch :
         {"REPORT.X.BATCH.DEFAULT", "REPORT.Z.BATCH.DEFAULT", "report.x.batch.default"})
        EXPECT_FALSE(cleaning.contains(QLatin1String(batch))) << batch;
    QStringList sorted = cleaning;
    sorted.sort();
    EXPECT_EQ(cleaning, sorted); // by code

    OpenDetail(false);
    const QStringList restaurant = Codes();
    EXPECT_EQ(restaurant.size(), cleaning.size() + 3);
    for (const char* batch :
         {"REPORT.X.BATCH.DEFAULT", "REPORT.Z.BATCH.DEFAULT", "report.x.batch.default"})
        EXPECT_TRUE(restaurant.contains(QLatin1String(batch))) << batch;
}

TEST_F(SettingDetailListTest, ModelAndCells)
{
    OpenDetail(false);
    QAbstractItemModelTester tester(m_list->Model(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    CSettingDetailModel& model = *m_list->Model();
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.rowCount(), int(m_detail->m_arrRecords.GetSize()));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Title"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Value"));
    EXPECT_EQ(model.data(model.index(RowOf("T.TEXT"), 0)).toString(), QStringLiteral("Text"));

    EXPECT_EQ(ValueCell("T.CODED"), QStringLiteral("Two")); // definition code in other case
    EXPECT_EQ(ValueCell("T.NONAMES"), QString());           // a coded value without name
    EXPECT_EQ(ValueCell("T.TEXT"), QStringLiteral("abc"));
    EXPECT_EQ(ValueCell("T.NODEF"), kLongValue);
    // The seeds name the coded general features.
    EXPECT_EQ(ValueCell("APP.REG.STYLE"), QStringLiteral("Standard"));
    EXPECT_EQ(ValueCell("APP.CHECK.STYLE"), QStringLiteral("Table"));
    m_detail->m_arrRecords.GetAt(RowOf(QStringLiteral("APP.CHECK.STYLE")))->replace(2, "9");
    EXPECT_EQ(ValueCell("APP.CHECK.STYLE"), QString());

    // An edit reaches the view through the model.
    m_list->SetRowValue(RowOf("T.CODED"), QStringLiteral("3"));
    EXPECT_EQ(m_list->Model()->data(m_list->Model()->index(RowOf("T.CODED"), 1)).toString(),
              QStringLiteral("Three"));
}

// The model answers every cell from the list, so it goes with the list: a
// page drops its detail list before its controls, and the list control must
// not ask a list that is gone while the page closes.
TEST_F(SettingDetailListTest, ModelGoesWithTheList)
{
    OpenDetail(false);
    m_page->show();
    const QPointer<QAbstractItemModel> model = m_list->Model();
    ASSERT_FALSE(model.isNull());
    m_list.reset();
    EXPECT_TRUE(model.isNull());
    m_page->hide();
}

TEST_F(SettingDetailListTest, EditorOfEachValueType)
{
    OpenDetail(false);
    m_detail->m_arrRecords.GetAt(RowOf(QStringLiteral("REPORT.Z.BATCH.DEFAULT")))->replace(2, "");
    m_detail->m_arrRecords.GetAt(RowOf(QStringLiteral("REPORT.X.BATCH.DEFAULT")))
        ->replace(2, QStringLiteral("101000001111"));
    using T = SubItemDlgType;
    const struct
    {
        const char* code;
        bool open;
        int type;
        int digits;
        int decimals;
        int choices;
    } cases[] = {
        {"T.PERCENT", true, T::DLGTYPE_PERCENT, 5, 2, 0},
        {"T.TEXT", true, T::DLGTYPE_EDIT, 0, 0, 0},
        {"T.PRICE", true, T::DLGTYPE_PRICE, 7, 0, 0},
        {"T.DATE", true, T::DLGTYPE_DATE, 0, 0, 0},
        {"T.TIME", true, T::DLGTYPE_TIME, 0, 0, 0},
        {"T.CODED", true, T::DLGTYPE_LIST, 1, 0, 3},
        {"T.NONAMES", false, T::DLGTYPE_LIST, 1, 0, 0},
        {"T.EMPTYLIST", true, T::DLGTYPE_LIST, 0, 0, 0},
        {"T.OTHER", true, T::DLGTYPE_EDIT, 6, 1, 0},
        {"T.NODEF", true, T::DLGTYPE_EDIT, 0, 0, 0},
        {"REPORT.X.BATCH.DEFAULT", true, T::DLGTYPE_CHECKLIST, 0, 0, 12},
        {"REPORT.Z.BATCH.DEFAULT", false, T::DLGTYPE_CHECKLIST, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const CSettingDetailList::Editor editor = m_list->EditorOf(RowOf(QLatin1String(c.code)));
        EXPECT_EQ(editor.open, c.open) << c.code;
        EXPECT_EQ(editor.type, c.type) << c.code;
        EXPECT_EQ(editor.digits, c.digits) << c.code;
        EXPECT_EQ(editor.decimals, c.decimals) << c.code;
        EXPECT_EQ(editor.choices.size(), c.choices) << c.code;
    }
    const CSettingDetailList::Editor coded = m_list->EditorOf(RowOf(QStringLiteral("T.CODED")));
    EXPECT_EQ(coded.choices.value(1), (QStringList{"2", "Two"}));
    const CSettingDetailList::Editor checks =
        m_list->EditorOf(RowOf(QStringLiteral("REPORT.X.BATCH.DEFAULT")));
    QString marks;
    for (const QStringList& choice : checks.choices)
        marks += choice.value(0);
    EXPECT_EQ(marks, QStringLiteral("101000001111"));
    EXPECT_EQ(checks.choices.value(11).value(1), QStringLiteral("Report 12"));
    // Characters past a short value count as off.
    m_detail->m_arrRecords.GetAt(RowOf(QStringLiteral("REPORT.X.BATCH.DEFAULT")))
        ->replace(2, QStringLiteral("11"));
    marks.clear();
    for (const QStringList& choice :
         m_list->EditorOf(RowOf(QStringLiteral("REPORT.X.BATCH.DEFAULT"))).choices)
        marks += choice.value(0);
    EXPECT_EQ(marks, QStringLiteral("110000000000"));
}

TEST_F(SettingDetailListTest, DoubleClickEditsTheSelectedRow)
{
    OpenDetail(false);
    m_page->show();
    EXPECT_FALSE(m_list->EditSelectedRow()); // nothing selected
    Select("T.NONAMES");
    EXPECT_FALSE(m_list->EditSelectedRow()); // no names: no editor

    // Without a definition the whole value is in the text editor.
    Select("T.NODEF");
    QString shown;
    WhenModal<CSubItemSetDlg>([&](CSubItemSetDlg& d) {
        auto* edit = qobject_cast<CEcrEdit*>(FindControlById(&d, CSubItemSetDlg::IDC_TEXT));
        ASSERT_TRUE(edit);
        shown = edit->text();
        d.reject();
    });
    EXPECT_FALSE(m_list->EditSelectedRow());
    EXPECT_EQ(shown, kLongValue);

    Select("T.CODED");
    WhenModal<CSubItemSetDlg>([&](CSubItemSetDlg& d) {
        auto* list = qobject_cast<QListWidget*>(FindControlById(&d, CSubItemSetDlg::IDC_LIST));
        ASSERT_TRUE(list);
        EXPECT_EQ(list->count(), 3);
        list->setCurrentRow(2);
        qobject_cast<QAbstractButton*>(FindControlById(&d, 1))->click();
    });
    const QModelIndex coded = m_list->Model()->index(RowOf("T.CODED"), 0);
    m_list->ListCtrl()->scrollTo(coded);
    const QPoint at = m_list->ListCtrl()->visualRect(coded).center();
    QTest::mouseClick(m_list->ListCtrl()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(m_list->ListCtrl()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(ValueCell("T.CODED"), QStringLiteral("Three"));
    const CRecord* row = m_detail->m_arrRecords.GetAt(RowOf(QStringLiteral("T.CODED")));
    EXPECT_EQ(row->value(2), QStringLiteral("3"));
    EXPECT_EQ(row->value(7), m_list->EditMarker());
}

TEST_F(SettingDetailListTest, TitleHeaderSortsBothWaysAndValueHeaderNot)
{
    OpenDetail(false);
    m_page->show();
    QStringList ascending = Titles();
    std::sort(ascending.begin(), ascending.end(),
              [](const QString& a, const QString& b) { return QString::compare(a, b) < 0; });
    ClickHeader(0);
    EXPECT_EQ(Titles(), ascending);
    ClickHeader(0);
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    EXPECT_EQ(Titles(), descending);
    ClickHeader(1);
    EXPECT_EQ(Titles(), descending);
    ClickHeader(0);
    EXPECT_EQ(Titles(), ascending);
}

// The marker decides: a value edited and edited back is written; a row not
// edited is not.
TEST_F(SettingDetailListTest, SaveWritesTheMarkedRows)
{
    OpenDetail(false);
    const int row = RowOf(QStringLiteral("T.TEXT"));
    m_list->SetRowValue(row, QStringLiteral("changed"));
    m_list->SetRowValue(row, QStringLiteral("abc"));
    m_list->SetRowValue(RowOf(QStringLiteral("T.PRICE")), QStringLiteral("250"));
    ClickHeader(0); // the rows' order changes; their keys go with them
    int status = -1;
    ASSERT_TRUE(m_list->SaveChanges(*m_detail, status));
    EXPECT_EQ(status, 0);
    const QString updated = QStringLiteral("UPDATEDATETIME");
    EXPECT_EQ(Value("CSB001", updated, "OPSETCODE = 'T.TEXT'"), QLatin1String(kNow));
    EXPECT_EQ(Value("CSB001", "VALUE", "OPSETCODE = 'T.TEXT'"), QStringLiteral("abc"));
    EXPECT_EQ(Value("CSB001", "VALUE", "OPSETCODE = 'T.PRICE'"), QStringLiteral("250"));
    EXPECT_EQ(Value("CSB001", updated, "OPSETCODE = 'T.DATE'"), QStringLiteral("20240101000000"));
}

// Through the tab dialog of the cleaning form: Cancel writes nothing; a
// failed save fails the OK and a second OK writes the edit.
TEST_F(SettingDetailListTest, CleaningFormCancelAndFailedSave)
{
    CDataManager* entry = OpenMode(MODE_AS_CL);
    CDataManager* detail = m_modes->DetailCleaning();
    ASSERT_TRUE(LoadDetailRowsCleaning(*detail, *entry->m_pSQliteDB));
    const QStringList before = AllRows();
    QStringList messages;
    platform::setMessageResponder([&](const platform::MessageRequest& request) {
        messages << request.key;
        return int(platform::IDOK);
    });
    auto editText = [](CTabDlg& d) {
        CPageDlg* page = d.Pages().at(1);
        CSettingDetailList* list = page->DetailList();
        int row = -1;
        for (int i = 0; i < list->RowCount(); ++i)
            if (list->GetCellText(i, 0) == u"Text")
                row = i;
        list->SetRowValue(row, QStringLiteral("edited"));
    };
    {
        CTabDlg dialog(entry, IDD_TABDLG, MODE_AS_CL, detail);
        const int result = RunModal<CTabDlg>(dialog, [&](CTabDlg& d) {
            ASSERT_EQ(d.TabControl()->count(), 2);
            EXPECT_FALSE(FindControlById(d.Pages().at(0), 1078)->isVisibleTo(d.Pages().at(0)));
            editText(d);
            Find(d, 2)->click();
        });
        EXPECT_EQ(result, platform::IDCANCEL);
        EXPECT_EQ(AllRows(), before);
    }
    Exec("CREATE TRIGGER refuse BEFORE UPDATE ON CSB001 WHEN NEW.OPSETCODE = 'T.TEXT' "
         "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    CTabDlg dialog(entry, IDD_TABDLG, MODE_AS_CL, detail);
    QStringList afterFailure;
    const int result = RunModal<CTabDlg>(dialog, [&](CTabDlg& d) {
        editText(d);
        Find(d, 1)->click();
        afterFailure = AllRows();
        EXPECT_TRUE(d.isVisible());
        Exec("DROP TRIGGER refuse");
        Find(d, 1)->click();
    });
    platform::setMessageResponder({});
    EXPECT_EQ(afterFailure, before);
    EXPECT_EQ(result, platform::IDOK);
    EXPECT_EQ(messages, (QStringList{"CRDS_CMN_COMFIRM_SAVE", "CRDS_CMN_ERR_SAVE_FAILED",
                                     "CRDS_CMN_ERR_SETWRITE_FAILED", "CRDS_CMN_COMFIRM_SAVE"}));
    EXPECT_EQ(Value("CSB001", "VALUE", "OPSETCODE = 'T.TEXT'"), QStringLiteral("edited"));
}

TEST_F(SettingDetailListTest, CleaningFormHasTwoTabsAndRestaurantOne)
{
    const struct
    {
        const char* option;
        QStringList tabs;
    } cases[] = {{"/AS_CL", {"Check", "Detail"}}, {"/AS_RES", {"Detail"}}};
    for (const auto& c : cases) {
        QStringList tabs;
        int rows = -1;
        const int result =
            RunProgram(QLatin1String(c.option), "[PRODUCT]\nPRODUCTKEY=TESTKEY\n", [&](CTabDlg& d) {
                for (int i = 0; i < d.TabControl()->count(); ++i)
                    tabs << d.TabControl()->tabText(i);
                rows = d.Pages().back()->DetailList()->RowCount();
                d.reject();
            });
        EXPECT_EQ(result, platform::IDCANCEL) << c.option;
        EXPECT_EQ(tabs, c.tabs) << c.option;
        EXPECT_GT(rows, 20) << c.option;
    }
}

// Title and Value share the list's width at the size the program shows it.
TEST_F(SettingDetailListTest, TitleAndValueEachTakeHalfTheList)
{
    for (const char* option : {"/AS_CL", "/AS_RES"}) {
        int title = 0;
        int list = 0;
        RunProgram(QLatin1String(option), "[PRODUCT]\nPRODUCTKEY=TESTKEY\n", [&](CTabDlg& d) {
            d.TabControl()->setCurrentIndex(d.TabControl()->count() - 1);
            QCoreApplication::processEvents();
            const CBsMainListCtrl* control = d.Pages().back()->DetailList()->ListCtrl();
            title = control->columnWidth(0);
            list = control->viewport()->width();
            d.reject();
        });
        EXPECT_NEAR(title, list / 2, 1) << option;
        EXPECT_GT(title, 150) << option;
    }
}
