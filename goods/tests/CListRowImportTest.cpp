// Rows of column texts checked as the record page takes them, written into
// the records.
#include "goods/CListRowImport.h"

#include "goods/CListFileReader.h"
#include "goods/CPageDlg.h"
#include "goods/CResDispDlg.h"
#include "goods/CSetGrpPageDlg.h"
#include "goods/CTextImpExp.h"
#include "goods/GoodsDialogIds.h"
#include "goods/ListFileTables.h"

#include "goods/tests/ListDlgFixture.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/WindowText.h"
#include "shared/lang/FormatLangText.h"
#include "shared/textfiles/CErrDataInfo.h"
#include "testsupport/FixedClock.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace brelkin;

namespace {

class CListRowImportTest : public ListDlgFixture
{
protected:
    void SetUp() override
    {
        ListDlgFixture::SetUp();
        InsertDepartmentsAndTaxes();
        Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, UNITPRICE, ITEMDEPTCODE, TAXCODE_1, "
             "CREATEDATETIME, UPDATEDATETIME) VALUES "
             "('0000000000000005', 'Tea', '100', '000001', '00', '20200101000000', "
             "'20200101000000'), "
             "('0000000000000009', 'Cake', '250', '000002', '01', '20200101000000', "
             "'20200101000000')");
    }

    void TearDown() override
    {
        m_log.reset(); // a child of the window
        ListDlgFixture::TearDown();
    }

    // The easy item list open, and a run of rows under the labels of keys.
    bool Run(const QStringList& labelKeys, const QList<QStringList>& rows, int batchRows = 500,
             int entry = kPluEasy)
    {
        if (!m_window)
            Open(entry);
        CTextImpExp data;
        for (const QString& key : labelKeys)
            data.m_arrHeader << (key.startsWith("CRD") ? GetLangString(key) : key);
        for (int i = 0; i < rows.size(); ++i)
            *data.GetRow(i) = rows[i];
        CListRowImport import(m_modes->Entry(entry));
        import.SetBatchRows(batchRows);
        m_log = std::make_unique<CResDispDlg>();
        m_log->CreateModeless(m_window.get());
        return import.RunInLog(data, *m_log);
    }
    // A list file of these bytes imported into the easy item list.
    bool RunFile(const QByteArray& bytes)
    {
        if (!m_window)
            Open(kPluEasy);
        const QString path = m_dir.filePath("list.txt");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        CTextImpExp data;
        EXPECT_TRUE(data.OpenListFile(path));
        CListRowImport import(m_modes->Entry(kPluEasy));
        m_log.reset();
        m_log = std::make_unique<CResDispDlg>();
        m_log->CreateModeless(m_window.get());
        return import.RunInLog(data, *m_log);
    }
    // Text as a list file holds it: UTF-16LE.
    static QByteArray ListBytes(const QString& text)
    {
        return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    }
    // The marked header line of code and name, in UTF-16LE.
    static QByteArray CodeNameHeader()
    {
        return QByteArray("\xFF\xFE", 2) +
               ListBytes(GetLangString("CRDS_PR_CLMN_PLUCODE") + "\t" +
                         GetLangString("CRDS_PR_CLMN_PLUNAME") + "\r\n");
    }
    // A language text that exists: a test must not pass on a missing one.
    static QString Text(const char* key)
    {
        const QString text = GetLangString(QLatin1String(key));
        EXPECT_FALSE(text.isEmpty()) << key;
        return text;
    }
    QStringList LogLines() const
    {
        QStringList lines;
        for (const QString& line : m_log->LogText().split(QLatin1Char(0x0A), Qt::SkipEmptyParts))
            lines << line.trimmed();
        return lines;
    }
    QString Item(const QString& code, const char* column)
    {
        return Value("CIA001", column, QStringLiteral("ITEMCODE = '%1'").arg(code));
    }
    static QString Code(int n) { return QStringLiteral("%1").arg(n, 16, 10, QLatin1Char('0')); }

    const QStringList kCodeName{"CRDS_PR_CLMN_PLUCODE", "CRDS_PR_CLMN_PLUNAME"};
    std::unique_ptr<CResDispDlg> m_log;
    QTemporaryDir m_dir;
};

TEST_F(CListRowImportTest, ParseMemoryNumber)
{
    const QList<std::pair<QString, qint64>> cases = {
        {"7", 7},
        {"0007", 7},
        {"000", 0},
        {"", -1},
        {"abc", -1},
        {"12abc", -1},
        {"-5", -1},
        {"1.5", -1},
        {"+5", -1},
        {" 5", -1},
        {"123456789012", 123456789012LL},
    };
    for (const auto& [text, number] : cases)
        EXPECT_EQ(CListRowImport::ParseMemoryNumber(text), number) << text.toStdString();
    EXPECT_GT(CListRowImport::ParseMemoryNumber("99999999999999999999999"), 9999999999999999LL);
}

TEST_F(CListRowImportTest, UnknownHeaderSavesNothing)
{
    EXPECT_FALSE(Run({"CRDS_PR_CLMN_PLUCODE", "Colour", "CRDS_PR_CLMN_PLUNAME"},
                     {{"5", "red", "Milk"}, {"7", "blue", "Egg"}}));
    const QStringList lines = LogLines();
    ASSERT_EQ(lines.size(), 4) << lines.join('|').toStdString();
    EXPECT_EQ(lines[0], GetLangString("CRDS_ERR_NORMALSTART"));
    EXPECT_TRUE(lines[1].contains("Colour")) << lines[1].toStdString();
    EXPECT_EQ(lines[2], GetLangString("CRDS_ERR_ABORTPROC"));
    EXPECT_TRUE(lines[3].startsWith(GetLangString("CRDS_ERR_ERRORLEND").section('%', 0, 0)))
        << lines[3].toStdString();
    EXPECT_EQ(Item(Code(5), "ITEMNAME"), "Tea");
    EXPECT_EQ(Rows("CIA001").size(), 2);
}

TEST_F(CListRowImportTest, CodesFindOrCreateTheirRecord)
{
    korvane::test::FixedClock clock(QDateTime(QDate(2026, 5, 4), QTime(3, 2, 1)));
    ASSERT_TRUE(Run(kCodeName, {{"5", "Milk"},
                                {"7 ", "Egg"},
                                {"12345678901234567", "Long"},
                                {"abc", "A"},
                                {"-5", "B"},
                                {"1.5", "C"},
                                {"12abc", "D"},
                                {"0000000000000009", "Pie"}}));
    EXPECT_EQ(Rows("CIA001", {"ITEMCODE", "ITEMNAME", "CREATEDATETIME", "UPDATEDATETIME"}, {},
                   "ITEMCODE"),
              (QList<QStringList>{{Code(5), "Milk", "20200101000000", "20260504030201"},
                                  {Code(7), "Egg", "20260504030201", "20260504030201"},
                                  {Code(9), "Pie", "20200101000000", "20260504030201"}}));
    const QString log = m_log->LogText();
    EXPECT_EQ(log.count(GetLangString("CRDS_ERR_OUTOF_MEMNO")), 1);
    EXPECT_TRUE(log.contains("12345678901234567"));
    EXPECT_EQ(log.count(GetLangString("CRDS_ERR_INVALID_MEMNO")), 4) << log.toStdString();
    for (const char* code : {"abc", "-5", "1.5", "12abc"})
        EXPECT_TRUE(log.contains(QString::fromLatin1(code))) << code;
    // Every data line counts, refused ones too.
    EXPECT_TRUE(log.contains(FormatLangText(GetLangString("CRDS_ERR_TARGETMEMNO"), 8)))
        << log.toStdString();
    EXPECT_TRUE(log.contains(FormatLangText(GetLangString("CRDS_ERR_ROWSUMMARY"), 3, 0, 5)))
        << log.toStdString();
    EXPECT_TRUE(log.contains(FormatLangText(GetLangString("CRDS_ERR_LINECODE"), 5, "abc")))
        << log.toStdString();
    EXPECT_FALSE(log.contains(GetLangString("CRDS_ERR_NORMALEND")));
}

TEST_F(CListRowImportTest, AddedRecordJoinsTheCacheWithoutARead)
{
    Open(kPluEasy);
    CDataManager* manager = m_modes->Entry(kPluEasy);
    const CRecord* tea = manager->m_arrRecords.GetAt(0);
    CListRowImport import(manager);
    CErrDataInfo errors;
    int index = -1;
    ASSERT_TRUE(import.FindOrAddRecordByNumber(Code(7), nullptr, index, errors));
    EXPECT_EQ(index, 2); // after 000009: the table was not read again in key order
    EXPECT_EQ(manager->m_arrRecords.GetAt(index)->value(0), Code(7));
    EXPECT_EQ(manager->m_arrRecords.GetAt(0), tea);
    EXPECT_EQ(import.FindRecordByNumber(7), 2);
    EXPECT_EQ(import.FindRecordByNumber(9), 1);
    EXPECT_EQ(import.FindRecordByNumber(8), -1);
    EXPECT_EQ(Item(Code(7), "ITEMCODE"), Code(7));
}

// The list shows after an import what the table holds, added records and
// updated ones alike, without reading it again.
TEST_F(CListRowImportTest, CacheHoldsWhatTheTableHolds)
{
    // A new record's quantity is stored as a number: 2.5, not the 2.50 written.
    ASSERT_TRUE(
        Run({"CRDS_PR_CLMN_PLUCODE", "CRDS_PR_CLMN_PLUNAME", "CRDS_PR_CLMN_PRICE",
             "CRDS_PR_CLMN_UNITQTY"},
            {{"5", "Milk", "120"}, {"7", "Egg", "30", "2.50"}, {"12", "Pie"}, {"0007", "Egg 2"}}));
    CDataManager* manager = m_modes->Entry(kPluEasy);
    QStringList columns;
    manager->GetColumnDataList()->SetReadColumnsData(columns);
    QList<QStringList> cached;
    for (const CRecord* record : manager->m_arrRecords)
        cached << record->toList();
    std::sort(cached.begin(), cached.end(),
              [](const QStringList& a, const QStringList& b) { return a.value(0) < b.value(0); });
    EXPECT_EQ(cached, Rows("CIA001", columns, {}, "ITEMCODE"));
    EXPECT_EQ(cached.size(), 4);
}

TEST_F(CListRowImportTest, CombosChooseByEntryText)
{
    const QStringList header{"CRDS_PR_CLMN_PLUCODE", "CRDS_PR_CLMN_SECTIONNAME",
                             "CRDS_PR_CLMN_TAX1"};
    ASSERT_TRUE(Run(header, {{"5", "drINK", "std"}, {"9", "Wine", "No tax"}, {"7", "", "No tax"}}));
    EXPECT_EQ(Item(Code(5), "ITEMDEPTCODE"), "000002");
    EXPECT_EQ(Item(Code(5), "TAXCODE_1"), "01");
    // Two departments share the name: refused, the row keeps its department.
    EXPECT_EQ(Item(Code(9), "ITEMDEPTCODE"), "000002");
    EXPECT_TRUE(m_log->LogText().contains(GetLangString("CRDS_ERR_INPUT")));
    EXPECT_TRUE(m_log->LogText().contains("Wine"));
    // An empty value clears a column that may be empty.
    EXPECT_EQ(Item(Code(7), "ITEMDEPTCODE"), "");
}

TEST_F(CListRowImportTest, RadioPairTakesOnlyItsTwoTexts)
{
    Exec("INSERT INTO CSA001 (ITEMPARMCODE, ITEMPARMNAME, HASHITEMFLG) VALUES "
         "('000001', 'A', '0'), ('000002', 'B', '0'), ('000003', 'C', '1')");
    Open(2);
    QString texts[2];
    {
        CPageDlg* page = NewPageDlg(IDD_PAGE_ITEMPARM);
        page->BindPage(m_modes->Entry(2), 1, false);
        ASSERT_TRUE(page->Create(IDD_PAGE_ITEMPARM, nullptr));
        for (int i = 0; i < 2; ++i)
            texts[i] = GetWindowText(FindControlById(page, 23022 + uint(i)));
        delete page;
    }
    ASSERT_NE(texts[0], texts[1]);
    ASSERT_TRUE(Run({"CRDS_PR_CLMN_ITEMPARMCODE", "CRDS_PR_CLMN_HASHITEMFLG"},
                    {{"1", texts[1]}, {"2", texts[0]}, {"3", texts[0].toUpper() + "x"}}, 500, 2));
    EXPECT_EQ(Rows("CSA001", {"ITEMPARMCODE", "HASHITEMFLG"}, {}, "ITEMPARMCODE"),
              (QList<QStringList>{{"000001", "0"}, {"000002", "1"}, {"000003", "1"}}))
        << m_log->LogText().toStdString();
    EXPECT_EQ(m_log->LogText().count(GetLangString("CRDS_ERR_INPUT")), 1);
}

TEST_F(CListRowImportTest, BadValueIsLoggedAndThePageDecides)
{
    ASSERT_TRUE(Run({"CRDS_PR_CLMN_PLUCODE", "CRDS_PR_CLMN_PLUNAME", "CRDS_PR_CLMN_TAX1"},
                    {{"5", QString(41, 'x'), "Std"}, {"9", "Bun", "Nothing"}}));
    const QString log = m_log->LogText();
    EXPECT_TRUE(log.contains(GetLangString("CRDS_ERR_CHAR_TOOLENGTH"))) << log.toStdString();
    EXPECT_TRUE(log.contains(GetLangString("CRDS_ERR_INPUT"))) << log.toStdString();
    // A refused value keeps the stored one: the row saves the rest.
    EXPECT_EQ(Item(Code(5), "ITEMNAME"), "Tea");
    EXPECT_EQ(Item(Code(5), "TAXCODE_1"), "01");
    EXPECT_EQ(Item(Code(9), "ITEMNAME"), "Bun");
    EXPECT_EQ(Item(Code(9), "TAXCODE_1"), "01");
}

TEST_F(CListRowImportTest, BadValuesAreRefusedNeverChanged)
{
    // Each bad value once in an item that exists and once in a new one.
    const QList<std::pair<int, QString>> bad = {
        {2, "1.2.3"}, {2, "12.50"},          {2, "12,50"},   {2, "12abc"},
        {2, "1 2"},   {1, QString(41, 'x')}, {3, "Nothing"},
    };
    QList<QStringList> rows;
    for (int i = 0; i < bad.size(); ++i) {
        Exec(QStringLiteral("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, UNITPRICE, TAXCODE_1) "
                            "VALUES ('%1', 'Old', '7', '00')")
                 .arg(Code(100 + i)));
        for (const int code : {100 + i, 200 + i}) {
            QStringList row{QString::number(code), "Milk", "150", "Std"};
            row[bad[i].first] = bad[i].second;
            rows << row;
        }
    }
    ASSERT_TRUE(Run(
        {"CRDS_PR_CLMN_PLUCODE", "CRDS_PR_CLMN_PLUNAME", "CRDS_PR_CLMN_PRICE", "CRDS_PR_CLMN_TAX1"},
        rows));
    const QString log = m_log->LogText();
    for (int i = 0; i < bad.size(); ++i) {
        const QString old = bad[i].first == 1 ? "Old" : "Milk";
        const QString price = bad[i].first == 2 ? "7" : "150";
        const QString tax = bad[i].first == 3 ? "00" : "01";
        EXPECT_EQ(Rows("CIA001", {"ITEMNAME", "UNITPRICE", "TAXCODE_1"},
                       QStringLiteral("ITEMCODE = '%1'").arg(Code(100 + i))),
                  (QList<QStringList>{{old, price, tax}}))
            << bad[i].second.toStdString();
        EXPECT_TRUE(
            Rows("CIA001", {"ITEMCODE"}, QStringLiteral("ITEMCODE = '%1'").arg(Code(200 + i)))
                .isEmpty())
            << bad[i].second.toStdString();
        // Lines 2, 3, ... in the file: the existing item, then the new one.
        const QString existing =
            FormatLangText(GetLangString("CRDS_ERR_LINECODE"), 2 + 2 * i, Code(100 + i));
        const QString added =
            FormatLangText(GetLangString("CRDS_ERR_LINECODE"), 3 + 2 * i, Code(200 + i));
        EXPECT_TRUE(log.contains(existing + " " + GetLangString("CRDS_ERR_ROW_PARTLY")))
            << log.toStdString();
        EXPECT_TRUE(log.contains(added + " " + GetLangString("CRDS_ERR_ROW_NOTCREATED")))
            << log.toStdString();
        EXPECT_TRUE(log.contains(bad[i].second)) << bad[i].second.toStdString();
    }
    EXPECT_TRUE(log.contains(FormatLangText(GetLangString("CRDS_ERR_TARGETMEMNO"), 14)));
    EXPECT_TRUE(log.contains(FormatLangText(GetLangString("CRDS_ERR_ROWSUMMARY"), 0, 7, 7)))
        << log.toStdString();
}

TEST_F(CListRowImportTest, SameCodeTwiceIsNamedByBothLines)
{
    ASSERT_TRUE(Run(kCodeName, {{"5", "Milk"}, {"7", "Egg"}, {"0005", "Pie"}}));
    EXPECT_EQ(Item(Code(5), "ITEMNAME"), "Pie");
    const QString log = m_log->LogText();
    EXPECT_TRUE(log.contains(FormatLangText(GetLangString("CRDS_ERR_LINECODE"), 4, Code(5)) + " " +
                             FormatLangText(GetLangString("CRDS_ERR_DUPLICATE_CODE"), 2)))
        << log.toStdString();
    EXPECT_TRUE(log.contains(GetLangString("CRDS_CMN_ERR_IMPWARNING")));
    EXPECT_TRUE(log.contains(FormatLangText(GetLangString("CRDS_ERR_ROWSUMMARY"), 3, 0, 0)));
}

TEST_F(CListRowImportTest, FailingRowIsUndoneAloneInItsBatch)
{
    // A failing statement, and a failure that ends the batch's transaction.
    for (const char* raise : {"ABORT", "ROLLBACK"}) {
        Exec("DELETE FROM CIA001");
        Exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON CIA001 WHEN NEW.ITEMCODE = "
                            "'%1' BEGIN SELECT RAISE(%2, 'no'); END")
                 .arg(Code(600), QLatin1String(raise)));
        QList<QStringList> rows;
        for (int i = 1; i <= 1000; ++i)
            rows << QStringList{QString::number(i), QStringLiteral("Item %1").arg(i)};
        m_window.reset();
        ASSERT_TRUE(Run(kCodeName, rows, 500));
        EXPECT_TRUE(m_suite.messages().isEmpty()) << m_suite.messages().join(' ').toStdString();
        EXPECT_EQ(Value("CIA001", "COUNT(*)", "ITEMNAME = 'Item ' || CAST(ITEMCODE AS INTEGER)"),
                  "999")
            << raise;
        EXPECT_EQ(Item(Code(600), "ITEMCODE"), "<no row>");
        const QString log = m_log->LogText();
        EXPECT_TRUE(
            log.contains(FormatLangText(GetLangString("CRDS_ERR_LINECODE"), 601, Code(600)) + " " +
                         GetLangString("CRDS_CMN_ERR_INSERT_FAILED").section('(', 0, 0)))
            << log.toStdString();
        EXPECT_TRUE(log.contains(FormatLangText(GetLangString("CRDS_ERR_ROWSUMMARY"), 999, 0, 1)))
            << log.toStdString();
        Exec("DROP TRIGGER refuse");
        m_log.reset();
    }
}

TEST_F(CListRowImportTest, FailingSaveOfAnItemKeepsTheOthers)
{
    Exec("CREATE TRIGGER refuse BEFORE UPDATE ON CIA001 WHEN NEW.ITEMCODE = '0000000000000009' "
         "BEGIN SELECT RAISE(ABORT, 'no'); END");
    ASSERT_TRUE(Run(kCodeName, {{"5", "Milk"}, {"7", "Egg"}, {"9", "Pie"}, {"11", "Jam"}}));
    // The failure is the log's, not a message for each row.
    EXPECT_TRUE(m_suite.messages().isEmpty());
    EXPECT_EQ(Rows("CIA001", {"ITEMCODE", "ITEMNAME"}, {}, "ITEMCODE"),
              (QList<QStringList>{
                  {Code(5), "Milk"}, {Code(7), "Egg"}, {Code(9), "Cake"}, {Code(11), "Jam"}}));
    const QString log = m_log->LogText();
    EXPECT_TRUE(log.contains(FormatLangText(GetLangString("CRDS_ERR_LINECODE"), 4, Code(9)) + " " +
                             GetLangString("CRDS_CMN_ERR_SAVE_FAILED").section('(', 0, 0)))
        << log.toStdString();
}

TEST_F(CListRowImportTest, AbortUndoesTheRowInWork)
{
    // The abort button is pressed while the first row's log is pumped.
    for (const int batch : {1, 500}) {
        Exec("DELETE FROM CIA001 WHERE ITEMCODE NOT IN ('0000000000000005', '0000000000000009')");
        Exec("UPDATE CIA001 SET ITEMNAME = 'old'");
        QTimer::singleShot(
            0, [this] { qobject_cast<QPushButton*>(FindControlById(m_log.get(), 2))->click(); });
        ASSERT_TRUE(Run(kCodeName, {{"5", "Milk"}, {"7", "Egg"}, {"9", "Pie"}}, batch));
        // No half-made item 7.
        EXPECT_EQ(Rows("CIA001", {"ITEMCODE", "ITEMNAME"}, {}, "ITEMCODE"),
                  (QList<QStringList>{{Code(5), "Milk"}, {Code(9), "old"}}));
        const QStringList lines = LogLines();
        ASSERT_EQ(lines.size(), 4) << lines.join('|').toStdString();
        EXPECT_EQ(lines[1], FormatLangText(GetLangString("CRDS_ERR_ABORTLINE"), 3));
        EXPECT_EQ(lines[2], FormatLangText(GetLangString("CRDS_ERR_TARGETMEMNO"), 1));
        EXPECT_EQ(lines[3], FormatLangText(GetLangString("CRDS_ERR_ROWSUMMARY"), 1, 0, 0));
        m_log.reset();
    }
}

TEST_F(CListRowImportTest, ExportedListImportsBackUnchanged)
{
    Exec("INSERT INTO CSA001 (ITEMPARMCODE, ITEMPARMNAME) VALUES ('000001', 'Hot'), "
         "('000002', 'Cold')");
    Exec("INSERT INTO CIB001 (SETITEMCODE, SETITEMNAME) VALUES ('0000000000000001', 'Menu')");
    Exec("UPDATE CIA001 SET SCANCODE1 = '', ITEMNAME2 = 'T2', ITEMPARMCODE = '000002', "
         "SETITEMCODE = '0000000000000001', TAXCODE_2 = '01', TAXCODE_3 = '', "
         "UNITWEIGHT = '1.25', UNITQTY = '2.5', UNITPRICENAME = 'each', UNUSABLEFLG = '1', "
         "UNITPRICE2 = '-30', UNITPRICENAME3 = 'big' WHERE ITEMCODE = '0000000000000005'");
    // A first pass makes every empty value an empty text (NULL becomes "").
    Open(kPluEasy);
    CDataManager* manager = m_modes->Entry(kPluEasy);
    CTextImpExp exported;
    BuildExportTable(manager, exported, 1, 2, QString());
    QTemporaryDir dir;
    const QString path = dir.filePath("PLU.txt");
    ASSERT_TRUE(exported.WriteListFile(path));
    CTextImpExp first;
    ASSERT_TRUE(first.ReadListFile(path));
    ASSERT_TRUE(Run(first.m_arrHeader, [&] {
        QList<QStringList> rows;
        for (int i = 0; i < first.GetRowCount(); ++i)
            rows << *first.GetRow(i);
        return rows;
    }()));
    EXPECT_EQ(Rows("CIA001",
                   {"ITEMCODE", "ITEMNAME", "UNITPRICE", "ITEMDEPTCODE", "TAXCODE_1", "TAXCODE_2",
                    "ITEMPARMCODE", "SETITEMCODE", "UNITWEIGHT", "UNITQTY", "UNUSABLEFLG",
                    "UNITPRICE2", "UNITPRICENAME3"},
                   "ITEMCODE = '0000000000000005'"),
              (QList<QStringList>{{Code(5), "Tea", "100", "000001", "00", "01", "000002",
                                   "0000000000000001", "1.25", "2.5", "1", "-30", "big"}}))
        << m_log->LogText().toStdString();
    const QList<QStringList> before = Rows("CIA001", {}, {}, "ITEMCODE");

    // Everything but the codes and creation times changed, then imported back.
    Exec("UPDATE CIA001 SET ITEMNAME = 'x', UNITPRICE = '1', ITEMDEPTCODE = '000002', "
         "TAXCODE_1 = '01', TAXCODE_2 = '', ITEMPARMCODE = '000001', SETITEMCODE = '', "
         "UNITWEIGHT = '0', UNITQTY = '0', UNUSABLEFLG = '0', UNITPRICE2 = '7', "
         "UNITPRICENAME3 = '', ITEMNAME2 = '', UNITPRICENAME = ''");
    int err = 0;
    manager->m_arrRecords.RemoveAll(); // read again, as the list does
    manager->GetColumnDataList()->ReadRecords(err, QString());
    m_log.reset();
    CTextImpExp again;
    ASSERT_TRUE(again.ReadListFile(path));
    CListRowImport import(manager);
    m_log = std::make_unique<CResDispDlg>();
    m_log->CreateModeless(m_window.get());
    ASSERT_TRUE(import.RunInLog(again, *m_log));
    const QList<QStringList> after = Rows("CIA001", {}, {}, "ITEMCODE");
    ASSERT_EQ(after.size(), before.size());
    const int updated = int(before[0].size()) - 1; // UPDATEDATETIME is the last column
    for (int r = 0; r < before.size(); ++r)
        EXPECT_EQ(after[r].mid(0, updated), before[r].mid(0, updated))
            << r << m_log->LogText().toStdString();
    EXPECT_TRUE(m_log->LogText().contains(GetLangString("CRDS_ERR_NORMALEND")))
        << m_log->LogText().toStdString();

    // The part export of items ends at the usable flag.
    CTextImpExp part;
    BuildExportTable(manager, part, 1, 2, QStringLiteral("UNUSABLEFLG"));
    EXPECT_EQ(part.m_arrHeader.last(), GetLangString("CRDC_PR_CLMN_UNUSABLEFLG"));
    EXPECT_EQ(part.GetColumnCount(), part.m_arrHeader.size());
    EXPECT_LT(part.m_arrHeader.size(), exported.m_arrHeader.size());
}

TEST_F(CListRowImportTest, CopyAndPasteTables)
{
    Exec("INSERT INTO CIA001 (ITEMCODE, ITEMNAME, UNITPRICE) VALUES "
         "('0000000000000011', 'Jam', '5'), ('0000000000000012', 'Egg', '6'), "
         "('0000000000000013', 'Oil', '7'), ('0000000000000014', 'Rye', '8'), "
         "('0000000000000015', 'Nut', '9')");
    Open(kPluEasy);
    CDataManager* manager = m_modes->Entry(kPluEasy);
    // List columns as the column list: code, scan code, name, price, ...
    QList<int> map;
    for (int i = 0; i < 6; ++i)
        map << i;
    CTextImpExp copy;
    BuildCopyTable(manager, copy, 1, 3, map, 2, 3);
    ASSERT_TRUE(copy.CopyRowsToClipboard(nullptr));
    EXPECT_EQ(QGuiApplication::clipboard()->text().count("\r\n"), 3);
    EXPECT_EQ(copy.GetColumnCount(), 2);
    EXPECT_EQ(copy.GetRow(0)->value(0), "Tea");
    EXPECT_EQ(copy.GetRow(2)->value(0), "Jam");

    // Two rows of three cells at list row 5 (record 5), list column 2.
    QGuiApplication::clipboard()->setText("Fig\t10\tStd\r\nPea\t20\tStd\r\n");
    CTextImpExp paste;
    ASSERT_TRUE(paste.PasteRowsFromClipboard(nullptr));
    QRect selection(2, 4, 1, 1);
    PreparePasteRows(manager, paste, selection);
    EXPECT_EQ(selection, QRect(QPoint(2, 4), QPoint(4, 5)));
    ASSERT_EQ(paste.GetRowCount(), 2);
    EXPECT_EQ(*paste.GetRow(0), (QStringList{Code(13), "Fig", "10", "Std"}));
    EXPECT_EQ(*paste.GetRow(1), (QStringList{Code(14), "Pea", "20", "Std"}));
    EXPECT_EQ(
        paste.m_arrHeader,
        (QStringList{GetLangString("CRDS_PR_CLMN_PLUCODE"), GetLangString("CRDS_PR_CLMN_PLUNAME"),
                     GetLangString("CRDS_PR_CLMN_PRICE"), GetLangString("CRDS_PR_CLMN_TAX1")}));
    CListRowImport import(manager);
    m_log = std::make_unique<CResDispDlg>();
    m_log->CreateModeless(m_window.get());
    ASSERT_TRUE(import.RunInLog(paste, *m_log));
    EXPECT_EQ(Rows("CIA001", {"ITEMCODE", "ITEMNAME", "UNITPRICE", "TAXCODE_1"},
                   "ITEMCODE > '0000000000000012'", "ITEMCODE"),
              (QList<QStringList>{{Code(13), "Fig", "10", "01"},
                                  {Code(14), "Pea", "20", "01"},
                                  {Code(15), "Nut", "9", ""}}))
        << m_log->LogText().toStdString();

    // At column 0 the pasted codes give way to the records' own; rows past
    // the last record are dropped.
    QGuiApplication::clipboard()->setText("1\tA\n2\tB\n3\tC");
    CTextImpExp codes;
    ASSERT_TRUE(codes.PasteRowsFromClipboard(nullptr));
    QRect last(0, 5, 1, 1);
    PreparePasteRows(manager, codes, last);
    ASSERT_EQ(codes.GetRowCount(), 2);
    EXPECT_EQ(*codes.GetRow(0), (QStringList{Code(14), "A"}));
    EXPECT_EQ(*codes.GetRow(1), (QStringList{Code(15), "B"}));
    EXPECT_EQ(codes.m_arrHeader, (QStringList{GetLangString("CRDS_PR_CLMN_PLUCODE"),
                                              GetLangString("CRDS_PR_CLMN_SCANCODE")}));
}

// Bytes that are no text, and characters a setting cannot carry, are refused
// as a bad price is: logged with their line and column, the stored value kept,
// no record made for them.
TEST_F(CListRowImportTest, ValueThatIsNoTextIsRefusedAndTheStoredValueStays)
{
    const QByteArray name = ListBytes("A");
    const QByteArray end = ListBytes("B\r\n");
    const struct
    {
        const char* name;
        QByteArray bytes; // the file after its header
        const char* reason;
    } cases[] = {
        {"lone high surrogate", ListBytes("5\t") + name + QByteArray("\x00\xD8", 2) + end,
         "CRDS_ERR_VALUE_CHARSET"},
        {"lone low surrogate", ListBytes("5\t") + name + QByteArray("\x00\xDC", 2) + end,
         "CRDS_ERR_VALUE_CHARSET"},
        {"odd last byte", ListBytes("5\t") + name + "B", "CRDS_ERR_VALUE_CHARSET"},
        {"NUL", ListBytes("5\t") + name + QByteArray(2, '\0') + end, "CRDS_ERR_VALUE_CONTROL"},
        {"control character",
         ListBytes("5\tA\x01"
                   "B\r\n"),
         "CRDS_ERR_VALUE_CONTROL"},
        {"NUL in a new record", ListBytes("7\t") + name + QByteArray(2, '\0') + end,
         "CRDS_ERR_VALUE_CONTROL"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(RunFile(CodeNameHeader() + c.bytes)) << c.name;
        EXPECT_EQ(Item(Code(5), "ITEMNAME"), "Tea") << c.name;
        EXPECT_EQ(Item(Code(7), "ITEMNAME"), "<no row>") << c.name;
        const QString log = m_log->LogText();
        const bool added = c.bytes.startsWith(ListBytes("7"));
        const QString code = Code(added ? 7 : 5);
        EXPECT_TRUE(log.contains(FormatLangText(Text("CRDS_ERR_LINECODE"), 2, code)))
            << c.name << log.toStdString();
        EXPECT_TRUE(log.contains(Text(c.reason) + " " + Text("CRDS_PR_CLMN_PLUNAME")))
            << c.name << log.toStdString();
        EXPECT_TRUE(log.contains(
            FormatLangText(Text("CRDS_ERR_ROWSUMMARY"), 0, added ? 0 : 1, added ? 1 : 0)))
            << c.name << log.toStdString();
        EXPECT_FALSE(log.contains(Text("CRDS_ERR_NORMALEND"))) << c.name;
    }

    // A UTF-8 file with its mark: a byte that is no UTF-8.
    const QByteArray utf8 = "\xEF\xBB\xBF" +
                            (GetLangString("CRDS_PR_CLMN_PLUCODE") + "\t" +
                             GetLangString("CRDS_PR_CLMN_PLUNAME") + "\n")
                                .toUtf8() +
                            "9\tPie\n5\tA\xFF"
                            "B\n";
    ASSERT_TRUE(RunFile(utf8));
    EXPECT_EQ(Item(Code(9), "ITEMNAME"), "Pie");
    EXPECT_EQ(Item(Code(5), "ITEMNAME"), "Tea");
    EXPECT_TRUE(m_log->LogText().contains(FormatLangText(Text("CRDS_ERR_LINECODE"), 3, Code(5)) +
                                          " " + Text("CRDS_ERR_VALUE_CHARSET")))
        << m_log->LogText().toStdString();
}

// The data ends at a blank line, as it always did; the log says where, and
// how many lines after it were not read.
TEST_F(CListRowImportTest, BlankLineEndsTheDataAndTheLogSaysSo)
{
    ASSERT_TRUE(RunFile(CodeNameHeader() + ListBytes("5\tMilk\r\n\r\n7\tEgg\r\n9\tPie\r\n")));
    EXPECT_EQ(Item(Code(5), "ITEMNAME"), "Milk");
    EXPECT_EQ(Item(Code(7), "ITEMNAME"), "<no row>");
    EXPECT_EQ(Item(Code(9), "ITEMNAME"), "Cake");
    QString log = m_log->LogText();
    EXPECT_TRUE(log.contains(FormatLangText(Text("CRDS_ERR_DATAEND"), 3, 2))) << log.toStdString();
    EXPECT_FALSE(log.contains(Text("CRDS_ERR_NORMALEND")));

    // Blank lines at the end leave nothing unread.
    ASSERT_TRUE(RunFile(CodeNameHeader() + ListBytes("5\tJam\r\n\r\n\r\n")));
    EXPECT_EQ(Item(Code(5), "ITEMNAME"), "Jam");
    log = m_log->LogText();
    EXPECT_TRUE(log.contains(Text("CRDS_ERR_NORMALEND"))) << log.toStdString();
}

// Lines read that store nothing never end in "finished without errors".
TEST_F(CListRowImportTest, LogEndsWithoutErrorsOnlyWhenEveryLineWasStored)
{
    const struct
    {
        const char* name;
        QByteArray bytes;
        const char* entry; // an entry the log shows
    } cases[] = {
        {"no data line", CodeNameHeader(), "CRDS_ERR_NODATAEND"},
        {"line without values", CodeNameHeader() + ListBytes("5\tMilk\r\nMilk\r\n"),
         "CRDS_ERR_LINE_NOVALUES"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(RunFile(c.bytes)) << c.name;
        const QString log = m_log->LogText();
        EXPECT_TRUE(log.contains(Text(c.entry))) << c.name << log.toStdString();
        EXPECT_FALSE(log.contains(Text("CRDS_ERR_NORMALEND"))) << c.name << log.toStdString();
    }
}

// A line longer than any row of the list is refused as it is read, and the
// lines after it are read on; a log line shows only the start of a value.
TEST_F(CListRowImportTest, OverlongLineIsRefusedAndValuesAreQuotedShort)
{
    const QString huge = "9\t" + QString(CListFileReader::MaxLineBytes / 2, 'x');
    ASSERT_TRUE(RunFile(CodeNameHeader() + ListBytes("5\tMilk\r\n" + huge + "\r\n7\tEgg\r\n11\t" +
                                                     QString(1000, 'y') + "\r\n")));
    EXPECT_EQ(Item(Code(5), "ITEMNAME"), "Milk");
    EXPECT_EQ(Item(Code(7), "ITEMNAME"), "Egg");
    EXPECT_EQ(Item(Code(9), "ITEMNAME"), "Cake");
    EXPECT_EQ(Item(Code(11), "ITEMNAME"), "<no row>");
    const QStringList lines = LogLines();
    for (const QString& line : lines)
        EXPECT_LT(line.size(), 300) << line.left(300).toStdString();
    const QString log = lines.join('\n');
    EXPECT_TRUE(log.contains(
        FormatLangText(Text("CRDS_ERR_LINE"), 3) + " " +
        FormatLangText(Text("CRDS_ERR_LINE_TOOLONG"), int(CListFileReader::MaxLineBytes))))
        << log.toStdString();
    // The value too long for the name column is named by its start and length.
    EXPECT_TRUE(log.contains(FormatLangText(Text("CRDS_ERR_VALUESTART"), QString(64, 'y'), 1000)))
        << log.toStdString();

    // A control character shows as its picture.
    ASSERT_TRUE(RunFile(CodeNameHeader() + ListBytes("5\tA\x01"
                                                     "B\r\n")));
    EXPECT_TRUE(m_log->LogText().contains(QString::fromUtf8("A\u2401B")))
        << m_log->LogText().toStdString();
}

} // namespace
