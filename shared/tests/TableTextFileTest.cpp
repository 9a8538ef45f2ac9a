#include "shared/config/CBasePath.h"
#include "shared/lang/CResourceLangDatas.h"
#include "shared/lang/CSarvikApp.h"
#include "shared/textfiles/CTextFileDeleter.h"
#include "shared/textfiles/CTextFileExporter.h"
#include "shared/textfiles/CTextFileImporter.h"
#include "shared/textfiles/CTextFileWriter.h"
#include "shared/textfiles/CTextRecordFile.h"

#include "testsupport/QtPrinters.h"

#include "testsupport/WorkDbFixture.h"
#include "testsupport/FixedClock.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

using namespace korvane::test;

namespace {

const QString kStampOld = QStringLiteral("20000101000000");

class TableTextFileTest : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override
    {
        korvane::test::WorkDbFixture::SetUp();
        ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        Exec("CREATE TABLE CIA001 (PLUCODE VARCHAR(6) PRIMARY KEY, NAME VARCHAR(40), "
             "PRICE INTEGER, CREATEDATETIME VARCHAR(14), UPDATEDATETIME VARCHAR(14))");
    }

    void Insert(const QString& code, const QString& name, const QString& price)
    {
        CSQliteSQL sql(*m_db, "CIA001");
        ASSERT_EQ(sql.SetSQLForWrite({"PLUCODE"},
                                     {"NAME", "PRICE", "CREATEDATETIME", "UPDATEDATETIME"}, {}),
                  0);
        ASSERT_EQ(sql.ExecWrite({code}, {name, price, kStampOld, kStampOld}, {}, SQLWRITE_INSERT),
                  0);
    }

    void TearDown() override { CSarvikApp::Instance().ReleaseLangDatas(); }

    QList<QStringList> Table(const QString& columns = "PLUCODE, NAME, PRICE")
    {
        return Rows("CIA001", columns.split(", "), {}, "PLUCODE");
    }

    QString File(const QString& name = "CIA001.txt") const
    {
        return m_folders.scratch() + '/' + name;
    }

    // Imports bytes; on failure the key and the message come back through out.
    bool Import(const QByteArray& bytes, int mode, QString* key = nullptr,
                QString* message = nullptr)
    {
        EXPECT_TRUE(writeFile(File(), bytes));
        CTextFileImporter importer(m_db.get(), "CIA001", "PLUCODE", File(), mode);
        const bool ok = importer.ExecuteImport();
        if (key)
            *key = importer.GetErrMsgId();
        if (message)
            importer.GetErrorMessage(*message);
        return ok;
    }
};

} // namespace

TEST_F(TableTextFileTest, ExportWritesExactBytes)
{
    CTextFileExporter empty(m_db.get(), "CIA001", {}, File());
    ASSERT_TRUE(empty.ExecuteExport());
    EXPECT_EQ(readFile(File()), "PLUCODE\tNAME\tPRICE\tCREATEDATETIME\tUPDATEDATETIME\n");

    Insert("000001", "Apple", "120");
    Insert("000002", "", "0");
    Insert("000003", QString::fromUtf8("Kaffee \xE2\x98\x95"), "-5");
    Insert("000004", "a\tb", "1");
    Insert("000005", "\"Best\" tea", "2");
    Insert("000006", "tab\tand \"x\"", "3");
    Insert("000007", " 12 ", "4");
    CTextFileExporter exporter(m_db.get(), "CIA001", {}, File());
    ASSERT_TRUE(exporter.ExecuteExport());
    EXPECT_EQ(readFile(File()),
              "PLUCODE\tNAME\tPRICE\tCREATEDATETIME\tUPDATEDATETIME\n"
              "000001\tApple\t120\t20000101000000\t20000101000000\n"
              "000002\t\t0\t20000101000000\t20000101000000\n"
              "000003\tKaffee \xE2\x98\x95\t-5\t20000101000000\t20000101000000\n"
              "000004\t\"a\tb\"\t1\t20000101000000\t20000101000000\n"
              "000005\t\"\"\"Best\"\" tea\"\t2\t20000101000000\t20000101000000\n"
              "000006\t\"tab\tand \"\"x\"\"\"\t3\t20000101000000\t20000101000000\n"
              "000007\t\" 12 \"\t4\t20000101000000\t20000101000000\n");
}

TEST_F(TableTextFileTest, ExportMatchesTheSqliteShell)
{
    const QString shell = QStandardPaths::findExecutable("sqlite3");
    if (shell.isEmpty())
        GTEST_SKIP() << "the sqlite3 shell is not installed";
    for (int i = 1; i <= 25; ++i)
        Insert(QString("%1").arg(i, 6, 10, QChar('0')), QString("Item %1").arg(i),
               QString::number(i * 10));
    Insert("000099", "", "");
    CTextFileExporter exporter(m_db.get(), "CIA001", {}, File());
    ASSERT_TRUE(exporter.ExecuteExport());

    QProcess process;
    process.start(shell, {"-header", "-separator", "\t", DbPath(), "SELECT * FROM CIA001;"});
    ASSERT_TRUE(process.waitForFinished(10000));
    ASSERT_EQ(process.exitCode(), 0);
    EXPECT_EQ(readFile(File()), process.readAllStandardOutput());
}

TEST_F(TableTextFileTest, FailedExportLeavesNoFileAndNamesItsCause)
{
    Exec("CREATE TABLE CSB008 (CODE VARCHAR(4), STAMP BLOB)");
    ASSERT_TRUE(writeFile(File(), "old"));
    CTextFileExporter blob(m_db.get(), "CSB008", {}, File());
    EXPECT_FALSE(blob.ExecuteExport());
    EXPECT_EQ(blob.GetErrMsgId(), "CRDS_PR_ERROR_BLOBCOLUMN");
    QString message;
    blob.GetErrorMessage(message);
    EXPECT_TRUE(message.contains("STAMP")) << message.toStdString();
    EXPECT_EQ(readFile(File()), "old"); // the old file stays whole

    // A value that cannot stay on its line refuses the table, naming the
    // table, the row's key and the column.
    for (const char* name : {"line\nbreak", "crlf\r\n", "lone\rcr", "ctrl\x1Az"}) {
        Exec("DELETE FROM CIA001");
        Insert("000001", "fine", "1");
        Insert("000002", name, "2");
        CTextFileExporter breaks(m_db.get(), "CIA001", {}, File());
        EXPECT_FALSE(breaks.ExecuteExport()) << name;
        EXPECT_EQ(breaks.GetErrMsgId(), "CRDS_PR_ERROR_TXTVALUE");
        breaks.GetErrorMessage(message);
        for (const char* part : {"CIA001", "000002", "NAME"})
            EXPECT_TRUE(message.contains(part)) << message.toStdString();
        EXPECT_EQ(readFile(File()), "old");
    }

    CTextFileExporter missing(m_db.get(), "NOTABLE", {}, File("none.txt"));
    EXPECT_FALSE(missing.ExecuteExport());
    EXPECT_EQ(missing.GetErrMsgId(), "CRDS_PR_ERROR_READDATA");
    EXPECT_FALSE(QFile::exists(File("none.txt")));

    CTextFileExporter badPath(m_db.get(), "CIA001", {}, File("no/such/folder.txt"));
    EXPECT_FALSE(badPath.ExecuteExport());
    EXPECT_EQ(badPath.GetErrMsgId(), "CRDS_PR_ERROR_TXTOPEN");

    CTextFileExporter noDb(nullptr, "CIA001", {}, File());
    EXPECT_FALSE(noDb.ExecuteExport());
    EXPECT_FALSE(noDb.GetErrMsgId().isEmpty());
}

TEST_F(TableTextFileTest, ExportThenImportGivesTheSameTable)
{
    const QStringList names = {
        "plain",
        "",
        "a\tb",
        "\ttab first",
        "\"quoted\"",
        "\"",
        "say \"hi\"",
        "\"12 inch",
        "x\t\"y",
        " 12 ",
        "  ab ",
        "007",
        "1E5",
        "-1.5",
        "'apos",
        QString::fromUtf8("\xE3\x80\x80"
                          "wide blank\xE3\x80\x80"),
        QString::fromUtf8("\xF0\x9F\x8D\x8E apple"),
    };
    for (int i = 0; i < names.size(); ++i)
        Insert(QString("%1").arg(i, 6, 10, QChar('0')), names[i], QString::number(i));
    const QList<QStringList> before = Table("PLUCODE, NAME, PRICE, CREATEDATETIME");

    CTextFileExporter exporter(m_db.get(), "CIA001", {}, File());
    ASSERT_TRUE(exporter.ExecuteExport());
    Exec("UPDATE CIA001 SET NAME = 'changed'");
    CTextFileImporter importer(m_db.get(), "CIA001", "PLUCODE", File(), 0);
    ASSERT_TRUE(importer.ExecuteImport()) << importer.GetErrMsgId().toStdString();
    EXPECT_EQ(Table("PLUCODE, NAME, PRICE, CREATEDATETIME"), before);
}

TEST_F(TableTextFileTest, ImportModesAndTimeStamps)
{
    const QByteArray file = "PLUCODE\tNAME\tPRICE\n000002\tNew two\t22\n000003\tThree\t30\n";
    const auto load = [&] {
        Exec("DELETE FROM CIA001");
        Insert("000001", "One", "10");
        Insert("000002", "Two", "20");
    };
    korvane::test::FixedClock clock(QDateTime(QDate(2025, 1, 2), QTime(3, 4, 5)));

    load(); // mode 0 replaces the table
    ASSERT_TRUE(Import(file, 0));
    EXPECT_EQ(Table(),
              (QList<QStringList>{{"000002", "New two", "22"}, {"000003", "Three", "30"}}));

    load(); // mode 1 updates existing keys and adds the others
    ASSERT_TRUE(Import(file, 1));
    EXPECT_EQ(Table(), (QList<QStringList>{{"000001", "One", "10"},
                                           {"000002", "New two", "22"},
                                           {"000003", "Three", "30"}}));
    const QList<QStringList> stamps = Table("PLUCODE, CREATEDATETIME, UPDATEDATETIME");
    EXPECT_EQ(stamps[0], (QStringList{"000001", kStampOld, kStampOld}));
    const QString stamp = QStringLiteral("20250102030405");
    EXPECT_EQ(stamps[1], (QStringList{"000002", stamp, stamp})); // updated: both stamps
    EXPECT_EQ(stamps[2], (QStringList{"000003", stamp, stamp}));

    load(); // mode 2 only adds: an existing key fails the whole file
    QString key;
    EXPECT_FALSE(Import(file, 2, &key));
    EXPECT_EQ(key, "CRDS_PR_ERROR_TXTDUPKEY");
    EXPECT_EQ(Table().size(), 2);
    ASSERT_TRUE(Import("PLUCODE\tNAME\n000007\tSeven\n", 2));
    EXPECT_EQ(Table().size(), 3);

    // A file with its own stamps keeps them.
    load();
    ASSERT_TRUE(Import("PLUCODE\tCREATEDATETIME\tUPDATEDATETIME\tNAME\n"
                       "000002\t20240101000000\t20240202000000\tTwo\n",
                       1));
    EXPECT_EQ(Table("PLUCODE, CREATEDATETIME, UPDATEDATETIME")[1],
              (QStringList{"000002", "20240101000000", "20240202000000"}));
}

TEST_F(TableTextFileTest, HeaderOnlyAndBlankLines)
{
    Insert("000001", "One", "10");
    ASSERT_TRUE(Import("PLUCODE\tNAME\n", 1));
    EXPECT_EQ(Table().size(), 1);
    ASSERT_TRUE(Import("PLUCODE\tNAME\r\n\r\n000005\tFive\r\n\n", 1));
    EXPECT_EQ(Table().size(), 2); // no row with an empty key
    ASSERT_TRUE(Import("PLUCODE\tNAME\n", 0));
    EXPECT_TRUE(Table().isEmpty());
}

TEST_F(TableTextFileTest, ImportFailuresLeaveTheTableAsItWas)
{
    Insert("000001", "One", "10");
    const QList<QStringList> before = Table();
    const struct
    {
        const char* name;
        QByteArray bytes;
        int mode;
        const char* key;
        const char* inMessage;
    } cases[] = {
        {"no key column", "NAME\tPRICE\nx\t1\n", 1, "CRDS_PR_ERROR_NOPRIMARYKEY", ""},
        {"unknown column", "PLUCODE\tNAME\tCOLOUR\n000002\tx\tred\n", 0,
         "CRDS_PR_ERROR_INVALIDFILED", "COLOUR"},
        {"empty column name", "PLUCODE\t\tNAME\n", 0, "CRDS_PR_ERROR_NOFIELDNAME", ""},
        {"short row", "PLUCODE\tNAME\tPRICE\n000002\tx\t1\n000003\ty\n", 0,
         "CRDS_PR_ERROR_FIELDCOUNT", "3"},
        // A key twice names the second line and the key, not only a status.
        {"duplicate key", "PLUCODE\tNAME\n000002\tx\n000002\ty\n", 0, "CRDS_PR_ERROR_TXTDUPKEY",
         "3"},
        {"duplicate key updating", "PLUCODE\tNAME\n000003\tx\n000003\ty\n", 1,
         "CRDS_PR_ERROR_TXTDUPKEY", "000003"},
        {"key already in the table", "PLUCODE\tNAME\n000002\tx\n000001\ty\n", 2,
         "CRDS_PR_ERROR_TXTDUPKEY", "000001"},
        {"invalid text", "PLUCODE\tNAME\n000002\tx\n000003\t\xC3\x28\n", 0,
         "CRDS_PR_ERROR_TXTCHARSET", "3"},
        {"NUL in the middle", QByteArray("PLUCODE\tNAME\n000002\tx\n") + '\0' + "\n000003\ty\n", 0,
         "CRDS_PR_ERROR_TXTCONTROL", "3"},
        // One line is one record: an unclosed quote ends with its line, never
        // merges the following rows into one value.
        {"open quote",
         "PLUCODE\tNAME\tPRICE\n000002\t\"12 inch\t100\n000003\tb\t30\n"
         "000004\t\"quoted\"\t40\n",
         0, "CRDS_PR_ERROR_FIELDCOUNT", "2"},
        {"control character", "PLUCODE\tNAME\n000002\tx\n000003\ta\x01b\n", 0,
         "CRDS_PR_ERROR_TXTCHAR", "3"},
        {"quoted end-of-file mark",
         "PLUCODE\tNAME\n000002\t\"a\x1A"
         "b\"\n",
         0, "CRDS_PR_ERROR_TXTCHAR", "2"},
        {"lone CR", "PLUCODE\tNAME\n000002\ta\rb\n", 0, "CRDS_PR_ERROR_TXTCHAR", "2"},
        {"line too long",
         "PLUCODE\tNAME\n000002\t" + QByteArray(CTextRecordFile::MaxLineBytes, 'x') + "\n", 0,
         "CRDS_PR_ERROR_TXTLINELONG", "2"},
        {"empty file", "", 0, "CRDS_PR_ERROR_TXTOPEN", ""},
    };
    for (const auto& c : cases) {
        QString key, message;
        EXPECT_FALSE(Import(c.bytes, c.mode, &key, &message)) << c.name;
        EXPECT_EQ(key, c.key) << c.name;
        EXPECT_FALSE(message.isEmpty()) << c.name;
        EXPECT_FALSE(message.contains('%')) << c.name << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(c.inMessage)) << c.name << ": " << message.toStdString();
        EXPECT_EQ(Table(), before) << c.name;
    }

    CTextFileImporter noDb(nullptr, "CIA001", "PLUCODE", File(), 0);
    EXPECT_FALSE(noDb.ExecuteImport());
    EXPECT_FALSE(noDb.GetErrMsgId().isEmpty());
}

TEST_F(TableTextFileTest, DeleterEmptiesTheTableOrSaysWhy)
{
    Insert("000001", "One", "10");
    Insert("000002", "Two", "20");
    CTextFileDeleter deleter(m_db.get(), "CIA001", {}, {});
    ASSERT_TRUE(deleter.ExecuteDelete());
    EXPECT_TRUE(Table().isEmpty());

    CTextFileDeleter missing(m_db.get(), "NOTABLE");
    EXPECT_FALSE(missing.ExecuteDelete());
    EXPECT_EQ(missing.GetErrMsgId(), "CRDS_PR_ERROR_DELETE");
    QString message;
    missing.GetErrorMessage(message);
    EXPECT_FALSE(message.isEmpty());
    EXPECT_FALSE(message.contains('%'));
    EXPECT_FALSE(m_db->InTransaction());
}

TEST(ExistCodeBinarySearch, FindsOnlyExactCodes)
{
    const QStringList codes = {"000001", "000003", "000010", "00A"};
    const struct
    {
        const char* code;
        int index;
    } cases[] = {{"000001", 0},  {"000003", 1}, {"000010", 2}, {"00A", 3},
                 {"000002", -1}, {"1", -1},     {"", -1},      {"00a", -1}};
    for (const auto& c : cases)
        EXPECT_EQ(CTextFileImporter::ExistCodeBinarySearch(codes, c.code), c.index) << c.code;
    EXPECT_EQ(CTextFileImporter::ExistCodeBinarySearch(QStringList(), "1"), -1);
}

TEST_F(TableTextFileTest, UpdateFindsKeysOfANumericKeyColumn)
{
    // The column sorts 9 before 10; the search must still find both.
    Exec("CREATE TABLE CSB014 (HOUR INTEGER PRIMARY KEY, TARGET TEXT)");
    Exec("INSERT INTO CSB014 VALUES (9, 'a'), (10, 'b'), (100, 'c')");
    ASSERT_TRUE(writeFile(File(), "HOUR\tTARGET\n9\tx\n10\ty\n100\tz\n"));
    CTextFileImporter importer(m_db.get(), "CSB014", "HOUR", File(), 1);
    ASSERT_TRUE(importer.ExecuteImport()) << importer.GetErrMsgId().toStdString();
    EXPECT_EQ(Rows("CSB014", {"TARGET"}, {}, "HOUR"), (QList<QStringList>{{"x"}, {"y"}, {"z"}}));
}

TEST_F(TableTextFileTest, ReplacingModeSaysItReplacesTheTable)
{
    // Mode 0 empties the table first: its choice must not read as adding.
    const QString text = LoadCommonString(QStringLiteral("CRDC_CMN_RADIO_IMST_INSERT"));
    EXPECT_TRUE(text.contains("replace", Qt::CaseInsensitive)) << text.toStdString();
    EXPECT_FALSE(text.contains("add", Qt::CaseInsensitive)) << text.toStdString();
}

TEST_F(TableTextFileTest, ValueTheColumnCannotHoldRefusesTheFile)
{
    Exec("CREATE TABLE CIA002 (ITEMDEPTCODE VARCHAR(6) NOT NULL, ITEMDEPTNAME VARCHAR(40), "
         "ITEMGRPCODE VARCHAR(6), RATE NUMERIC(6,2), LIMITAMT NUMERIC(10,0), "
         "CONSTRAINT CIA002_PRIMARY PRIMARY KEY (ITEMDEPTCODE))");
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000009', 'Kept')");
    const QList<QStringList> before = Rows("CIA002", {"ITEMDEPTCODE", "ITEMDEPTNAME"});
    const QByteArray header = "ITEMDEPTCODE\tITEMDEPTNAME\tITEMGRPCODE\tRATE\tLIMITAMT\n";
    const QByteArray good = "000001\t" + QByteArray(40, 'n') + "\t000002\t12.5\t-120\n";
    const auto import = [&](const QByteArray& bytes, QString* key, QString* message) {
        EXPECT_TRUE(writeFile(File(), bytes));
        CTextFileImporter importer(m_db.get(), "CIA002", "ITEMDEPTCODE", File(), 0);
        importer.SetCodeColumns({"ITEMDEPTCODE", "ITEMGRPCODE"});
        const bool ok = importer.ExecuteImport();
        *key = importer.GetErrMsgId();
        importer.GetErrorMessage(*message);
        return ok;
    };
    QString key, message;
    // Values every column can hold, empty ones too.
    ASSERT_TRUE(
        import(header + good + "000003\t\t\t3.10\t0012\n" + "000004\tx\t\t\t\n", &key, &message))
        << message.toStdString();
    EXPECT_EQ(Rows("CIA002", {"ITEMDEPTCODE", "RATE", "LIMITAMT"}, {}, "ITEMDEPTCODE"),
              (QList<QStringList>{
                  {"000001", "12.5", "-120"}, {"000003", "3.1", "12"}, {"000004", "", ""}}));

    Exec("DELETE FROM CIA002");
    Exec("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000009', 'Kept')");
    const struct
    {
        const char* column;
        QByteArray line; // the third line of the file
        const char* value;
    } cases[] = {
        {"ITEMDEPTCODE", "ABC\tx\t\t\t\n", "ABC"},
        {"ITEMDEPTCODE", "12\tx\t\t\t\n", "12"},
        {"ITEMDEPTCODE", "1234567\tx\t\t\t\n", "1234567"},
        {"ITEMDEPTCODE", "-00001\tx\t\t\t\n", "-00001"},
        {"ITEMDEPTCODE", "\tx\t\t\t\n", ""},
        {"ITEMGRPCODE", "000005\tx\t00001A\t\t\n", "00001A"},
        {"ITEMDEPTNAME", "000005\t" + QByteArray(41, 'n') + "\t\t\t\n", "nnnnnnnnnn"},
        {"LIMITAMT", "000005\tx\t\t\t12.50\n", "12.50"},
        {"LIMITAMT", "000005\tx\t\t\t1.2.3\n", "1.2.3"},
        {"LIMITAMT", "000005\tx\t\t\t12abc\n", "12abc"},
        {"LIMITAMT", "000005\tx\t\t\t12345678901\n", "12345678901"},
        {"RATE", "000005\tx\t\t1.234\t\n", "1.234"},
        {"RATE", "000005\tx\t\t10000.5\t\n", "10000.5"},
        {"RATE", "000005\tx\t\t1E2\t\n", "1E2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        EXPECT_FALSE(import(header + good + c.line, &key, &message));
        EXPECT_EQ(key, "CRDS_PR_ERROR_TXTCOLUMNVALUE");
        for (const QString& part : {QString("3"), QString(c.column), QString(c.value)})
            EXPECT_TRUE(message.contains(part)) << message.toStdString();
        EXPECT_EQ(Rows("CIA002", {"ITEMDEPTCODE", "ITEMDEPTNAME"}), before); // nothing imported
    }
}
