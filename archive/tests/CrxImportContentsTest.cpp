// Reading archives into the work databases: rows, blobs, media, table
// selection, the diff-base mode and the two databases.

#include "archive/tests/CrxImportFixture.h"

#include "archive/CCrxDirEnv.h"
#include "testsupport/ToolRun.h"

#include <QFile>

#include <atomic>
#include <thread>

namespace {

using korvane::test::readFile;
using korvane::test::writeFile;

const QStringList kSettingSchema = {
    "CREATE TABLE CSB001(CODE VARCHAR(4) NOT NULL, NAME VARCHAR(20), PRICE NUMERIC(8), "
    "IMG BLOB, PRIMARY KEY(CODE))",
    "CREATE TABLE CSB002(CODE VARCHAR(4) PRIMARY KEY, NAME VARCHAR(20))",
};

QByteArray Row(const QByteArray& code, const QByteArray& name)
{
    return "<datarec><CODE>" + code + "</CODE><NAME>" + name + "</NAME></datarec>";
}

QByteArray Table(const QByteArray& table, const QByteArray& rows)
{
    return "<tabinfo tabname='" + table + "' mainte='renew'><recinfo>" + rows +
           "</recinfo></tabinfo>\n";
}

QByteArray Setting(const QByteArray& tables)
{
    return "<dbinfo dbname='SETTING'>" + tables + "</dbinfo>\n";
}

class CrxImportContentsTest : public crxtest::ImportFixture
{
protected:
    // Header read, a fresh work database from the schema, then the contents.
    CrxResult Import(const QByteArray& datainfo, const QMap<QString, QByteArray>& files = {},
                     const QStringList* tables = nullptr,
                     const QStringList& schema = kSettingSchema)
    {
        const QString archive = MakeArchive(ArchiveXml(datainfo), files);
        EXPECT_EQ(Header(archive), CRX_OK);
        Exec(SettingDb(), schema);
        return Contents(archive, 0, tables);
    }
};

TEST_F(CrxImportContentsTest, ImportsRowsMediaAndStamp)
{
    const QByteArray datainfo =
        Setting("<tabinfo tabname='CSB001' mainte='renew'>\n\t<recinfo>\n"
                "\t\t<datarec>\n\t\t\t<CODE>0001</CODE>\n\t\t\t<NAME>Tea &amp; cake</NAME>\n"
                "\t\t\t<PRICE>120</PRICE>\n\t\t</datarec>\n"
                "\t\t<datarec><CODE>0002</CODE><COLOUR>red</COLOUR></datarec>\n"
                "\t\t<datarec><CODE>0003</CODE><NAME datatype='code'>line\nbreak</NAME>"
                "<other><x/></other></datarec>\n"
                "\t</recinfo>\n"
                "\t<recinfo mainte='del'><baserec><CODE>0009</CODE></baserec>"
                "<datarec><CODE>0004</CODE></datarec></recinfo>\n"
                "</tabinfo>\n" +
                Table("CSX999", Row("0001", "no such table")));
    // An unexpected element holding another inside "datarec" is refused;
    // take it out for the main road.
    QByteArray xml = datainfo;
    xml.replace("<other><x/></other>", "<other>skipped</other>");
    ASSERT_EQ(Import(xml, {{"additionals/Orbanel/Setting/pref.xml", "<p/>"}}), CRX_OK);

    EXPECT_EQ(Rows(SettingDb(), "CSB001", {"CODE", "NAME", "PRICE"}),
              QStringList({"0001|Tea & cake|120", "0002||", "0003|line\nbreak|", "0004||"}));
    EXPECT_EQ(readFile(Base() + "/additionals/Orbanel/Setting/pref.xml"), "<p/>");
    EXPECT_FALSE(QFile::exists(Base() + "/Quorvin"));

    CCrxDirEnv env;
    ASSERT_EQ(env.Init(Base()), CRX_OK);
    CrxTime stamp;
    CrxTime archiveTime;
    EXPECT_EQ(env.ReadTimestamp(CRX_STAMP_IMPORT, stamp), CRX_OK);
    ASSERT_EQ(ReadFileTime(Path("in.crx"), archiveTime), CRX_OK);
    EXPECT_EQ(stamp, archiveTime);
}

TEST_F(CrxImportContentsTest, EachRowTakesItsOwnValuesInAnyOrder)
{
    // Values out of column order, a name given twice (the last counts), a
    // row without the values the row before had, and a long value that the
    // parser hands over in many pieces.
    QByteArray longName;
    while (longName.size() < 300000)
        longName += "a&amp;\xc3\xa9<![CDATA[<c>]]>";
    const QByteArray rows =
        "<datarec><PRICE>5</PRICE><NAME>first</NAME><CODE>0001</CODE><NAME>second</NAME>"
        "</datarec>"
        "<datarec><CODE>0002</CODE></datarec>"
        "<datarec><NAME>" +
        longName + "</NAME><CODE>0003</CODE><PRICE></PRICE></datarec>";
    ASSERT_EQ(Import(Setting(Table("CSB001", rows))), CRX_OK);
    QString expected = QString::fromUtf8(longName);
    expected.replace("&amp;", "&").replace("<![CDATA[", "").replace("]]>", "");
    EXPECT_EQ(Rows(SettingDb(), "CSB001", {"CODE", "NAME", "PRICE"}),
              QStringList({"0001|second|5", "0002||", "0003|" + expected + "|"}));

    // A row that a failure cuts short is not stored; the rows before it are.
    EXPECT_EQ(Import(Setting(Table("CSB002", Row("0001", "a") +
                                                 "<datarec><CODE>0002</CODE><NAME>b<x/></NAME>"
                                                 "</datarec>"))),
              CRX_E_ELEMENT_STACK);
    EXPECT_EQ(Rows(SettingDb(), "CSB002"), QStringList{"0001|a"});
}

TEST_F(CrxImportContentsTest, FailuresStopTheImport)
{
    struct Case
    {
        const char* what;
        QByteArray datainfo;
        CrxResult expected;
    };
    const Case cases[] = {
        {"tabinfo without tabname", Setting("<tabinfo other='x'><recinfo/></tabinfo>"),
         CRX_E_NO_ATTRIBUTE},
        {"tabinfo without attributes", Setting("<tabinfo><recinfo/></tabinfo>"),
         CRX_E_NO_ATTRIBUTE},
        {"duplicate key", Setting(Table("CSB002", Row("0001", "a") + Row("0001", "b"))),
         CRX_E_WRITE_ROW},
        // Rows are written behind the parse: the failed row still wins over
        // what the parse meets after it.
        {"duplicate key, then a tabinfo without tabname",
         Setting(Table("CSB002", Row("0001", "a") + Row("0001", "b")) +
                 "<tabinfo other='x'><recinfo/></tabinfo>"),
         CRX_E_WRITE_ROW},
        {"duplicate key, then a broken tag",
         Setting(Table("CSB002", Row("0001", "a") + Row("0001", "b")) + "<a></b>"),
         CRX_E_WRITE_ROW},
        {"value holding an element",
         Setting(Table("CSB002", "<datarec><CODE>1<NAME>x</NAME></CODE></datarec>")),
         CRX_E_ELEMENT_STACK},
        {"doctype", "", CRX_E_SAX_FATAL},
    };
    for (const Case& c : cases) {
        QByteArray xml = ArchiveXml(c.datainfo);
        if (c.datainfo.isEmpty())
            xml.replace("<crxparse>", "<!DOCTYPE crxparse><crxparse>");
        const QString archive = MakeArchive(xml);
        ASSERT_EQ(Header(archive), CRX_OK) << c.what;
        Exec(SettingDb(), kSettingSchema);
        EXPECT_EQ(Contents(archive), c.expected) << c.what;
        EXPECT_FALSE(QFile::exists(Base() + "/SETTING.DB.INI")) << c.what;
        EXPECT_FALSE(QFile::exists(Base() + "/Quorvin")) << c.what;
    }
}

TEST_F(CrxImportContentsTest, TableListEmptiesAndRefillsOnlyTheNamedTables)
{
    const QByteArray datainfo =
        Setting(Table("CSB001", Row("0001", "new")) + Table("CSB002", Row("0002", "archive")));
    const QString archive = MakeArchive(ArchiveXml(datainfo));
    const QStringList schemaWithRows =
        kSettingSchema + QStringList{"INSERT INTO CSB001(CODE, NAME) VALUES('0009', 'old')",
                                     "INSERT INTO CSB002(CODE, NAME) VALUES('0009', 'kept')"};

    const QStringList selected{"CSB001"};
    ASSERT_EQ(Header(archive), CRX_OK);
    Exec(SettingDb(), schemaWithRows);
    ASSERT_EQ(Contents(archive, 0, &selected), CRX_OK);
    EXPECT_EQ(Rows(SettingDb(), "CSB001", {"CODE", "NAME"}), QStringList{"0001|new"});
    EXPECT_EQ(Rows(SettingDb(), "CSB002"), QStringList{"0009|kept"});

    // An empty list selects nothing (a lower-case name is no match either).
    for (const QStringList& list : {QStringList(), QStringList{"csb001"}}) {
        ASSERT_EQ(Header(archive), CRX_OK);
        Exec(SettingDb(), schemaWithRows);
        ASSERT_EQ(Contents(archive, 0, &list), CRX_OK);
        EXPECT_EQ(Rows(SettingDb(), "CSB001", {"CODE", "NAME"}), QStringList{"0009|old"});
        EXPECT_EQ(Rows(SettingDb(), "CSB002"), QStringList{"0009|kept"});
    }
}

TEST_F(CrxImportContentsTest, DiffBaseModeFillsTheBaseShadowTables)
{
    const QString archive = MakeArchive(ArchiveXml(
        Setting(Table("CSB001", Row("0001", "base")) + Table("CSB002", Row("0002", "base")))));
    // Mode 1 unpacks again: no header read before it.
    Exec(SettingDb(),
         kSettingSchema +
             QStringList{"CREATE TABLE CSB001_BASE_Tovanel(CODE VARCHAR(4) NOT NULL, "
                         "NAME VARCHAR(20), PRICE NUMERIC(8), IMG BLOB, PRIMARY KEY(CODE))",
                         "INSERT INTO CSB001(CODE, NAME) VALUES('0005', 'work')"});
    ASSERT_EQ(Contents(archive, CRX_IMPORT_DIFFBASE), CRX_OK);
    EXPECT_EQ(Rows(SettingDb(), "CSB001_BASE_Tovanel", {"CODE", "NAME"}), QStringList{"0001|base"});
    EXPECT_EQ(Rows(SettingDb(), "CSB001", {"CODE", "NAME"}), QStringList{"0005|work"});
    EXPECT_TRUE(Rows(SettingDb(), "CSB002").isEmpty());
    EXPECT_FALSE(QFile::exists(Base() + "/Quorvin"));
}

TEST_F(CrxImportContentsTest, RowsGoToTheDatabaseTheirDbinfoNames)
{
    // Both databases have a CSB002: the rows of each section stay in theirs.
    const QByteArray datainfo =
        "<dbinfo dbname='CUSTOMER'>" + Table("CUS001", Row("0001", "customer")) +
        Table("CSB002", Row("0002", "customer")) + "</dbinfo>\n" +
        Setting(Table("CSB002", Row("0003", "setting"))) + "<dbinfo dbname='setting'>" +
        Table("CSB002", Row("0004", "lower case")) + "</dbinfo><dbinfo>" +
        Table("CSB002", Row("0005", "no name")) + "</dbinfo>";
    const QString archive = MakeArchive(ArchiveXml(datainfo));
    ASSERT_EQ(Header(archive), CRX_OK);
    Exec(SettingDb(), kSettingSchema);
    Exec(CustomerDb(), {"CREATE TABLE CUS001(CODE VARCHAR(4) PRIMARY KEY, NAME VARCHAR(20))",
                        "CREATE TABLE CSB002(CODE VARCHAR(4) PRIMARY KEY, NAME VARCHAR(20))"});
    ASSERT_EQ(Contents(archive), CRX_OK);
    EXPECT_EQ(Rows(CustomerDb(), "CUS001"), QStringList{"0001|customer"});
    EXPECT_EQ(Rows(CustomerDb(), "CSB002"), QStringList{"0002|customer"});
    EXPECT_EQ(Rows(SettingDb(), "CSB002"),
              QStringList({"0003|setting", "0004|lower case", "0005|no name"}));
}

TEST_F(CrxImportContentsTest, BlobFilesLandByteForByte)
{
    QByteArray bytes("\x00\xff\x00\x01\xfe\xff\x00", 7);
    bytes += QByteArray(70000, '\xff');
    const QByteArray rows =
        "<datarec><CODE>0001</CODE><IMG datatype='file'>./blob/CSB001_0.blob</IMG></datarec>"
        "<datarec><CODE>0002</CODE><IMG datatype='file'>./blob/missing.blob</IMG></datarec>"
        "<datarec><CODE>0003</CODE><IMG datatype='file'></IMG></datarec>";
    ASSERT_EQ(Import(Setting(Table("CSB001", rows)), {{"blob/CSB001_0.blob", bytes}}), CRX_OK);

    Sqlite3(SettingDb(),
            "SELECT writefile('" + Path("out.bin") + "', IMG) FROM CSB001 WHERE CODE = '0001'");
    EXPECT_EQ(readFile(Path("out.bin")), bytes);
    EXPECT_EQ(Sqlite3(SettingDb(), "SELECT CODE, IMG IS NULL FROM CSB001 ORDER BY CODE"),
              "0001|0\n0002|1\n0003|1\n");
}

// A blob value that is no reference inside "blob" once failed the whole
// open; it stores no data, is counted for the caller, and nothing outside
// "blob" is ever read.
TEST_F(CrxImportContentsTest, BlobValuesThatAreNoReferencesStoreNoDataAndAreCounted)
{
    const QString outside = Path("secret.txt");
    ASSERT_TRUE(writeFile(outside, "secret"));
    const QString values[] = {
        "abc",
        "../x",
        "0A0B",
        "./blob/../../../secret.txt",
        outside,
        "./blob/../Korvane_REG_DATA.xml",
        "./blob/link.blob", // a link planted after unpacking is not followed
    };
    for (const QString& value : values) {
        const QByteArray rows = "<datarec><CODE>0001</CODE><IMG datatype='file'>" + value.toUtf8() +
                                "</IMG></datarec>" +
                                "<datarec><CODE>0002</CODE><IMG datatype='file'>"
                                "./blob/CSB001_1.blob</IMG></datarec>";
        const QString archive =
            MakeArchive(ArchiveXml(Setting(Table("CSB001", rows))), {{"blob/CSB001_1.blob", "b"}});
        ASSERT_EQ(Header(archive), CRX_OK);
        const bool planted =
            value.endsWith("link.blob") && QFile::link(outside, Base() + "/Quorvin/blob/link.blob");
        Exec(SettingDb(), kSettingSchema);
        // The planted link is no member of the archive: once the rows are in,
        // the open refuses the unpack folder and keeps nothing.
        EXPECT_EQ(Contents(archive), planted ? CRX_E_UNPACK : CRX_OK) << value.toStdString();
        EXPECT_EQ(CrxLastDetail().blobValuesNotReferences, 1) << value.toStdString();
        if (planted) {
            EXPECT_FALSE(QFile::exists(SettingDb())) << value.toStdString();
            continue;
        }
        EXPECT_EQ(Sqlite3(SettingDb(), "SELECT CODE, quote(IMG) FROM CSB001 ORDER BY CODE"),
                  "0001|NULL\n0002|X'62'\n")
            << value.toStdString();
    }
    // A reference inside "blob" to a file the archive lacks is no such value.
    const QByteArray missing =
        "<datarec><CODE>0001</CODE><IMG datatype='file'>./blob/none.blob</IMG></datarec>";
    ASSERT_EQ(Import(Setting(Table("CSB001", missing))), CRX_OK);
    EXPECT_EQ(CrxLastDetail().blobValuesNotReferences, 0);
}

TEST_F(CrxImportContentsTest, GnuTarArchiveEqualsTheSqlite3Build)
{
    // A hand-written archive folder packed by GNU tar.
    const QByteArray xml = ArchiveXml(Setting(
        Table("CSB001", "<datarec><CODE>0001</CODE><NAME>K\xc3\xa4se</NAME><PRICE>250</PRICE>"
                        "<IMG datatype='file'>./blob/CSB001_0.blob</IMG></datarec>"
                        "<datarec><CODE>0002</CODE><PRICE>0</PRICE></datarec>")));
    ASSERT_TRUE(writeFile(Path("hand/Korvane_REG_DATA.xml"), xml));
    ASSERT_TRUE(writeFile(Path("hand/blob/CSB001_0.blob"), QByteArray("\x00\x01\xff", 3)));
    ASSERT_EQ(korvane::test::RunTool(
                  "tar", {"-cjf", Path("hand.crx"), "Korvane_REG_DATA.xml", "blob"}, Path("hand"))
                  .exitCode,
              0);

    ASSERT_EQ(Header(Path("hand.crx")), CRX_OK);
    Exec(SettingDb(), kSettingSchema);
    ASSERT_EQ(Contents(Path("hand.crx")), CRX_OK);

    const QString expected = Path("expected.db");
    Sqlite3(expected, kSettingSchema.join(";\n") +
                          ";\nINSERT INTO CSB001 VALUES('0001', 'K\xc3\xa4se', 250, "
                          "readfile('" +
                          Path("hand/blob/CSB001_0.blob") +
                          "'));\n"
                          // A column without an element gets the empty value.
                          "INSERT INTO CSB001(CODE, NAME, PRICE) VALUES('0002', '', 0);");
    for (const char* table : {"CSB001", "CSB002"})
        EXPECT_EQ(Sqlite3(SettingDb(), QString(".dump ") + table).toStdString(),
                  Sqlite3(expected, QString(".dump ") + table).toStdString())
            << table;
}

TEST_F(CrxImportContentsTest, AbortDuringTheParseStopsAtTheNextStartTag)
{
    QByteArray rows;
    for (int i = 0; i < 200000; ++i)
        rows += Row(QByteArray::number(i), "n");
    const QString archive = MakeArchive(ArchiveXml(Setting(Table("CSB002", rows))));
    ASSERT_EQ(Header(archive), CRX_OK);
    Exec(SettingDb(), kSettingSchema);

    CrxAbortFlag abort{0};
    std::atomic<bool> done{false};
    std::thread watcher([&] {
        // Rows are being written once the database's journal appears.
        while (!done && !QFile::exists(SettingDb() + "-journal") &&
               !QFile::exists(SettingDb() + "-wal"))
            std::this_thread::yield();
        abort = 1;
    });
    const CrxResult rc = Contents(archive, 0, nullptr, &abort);
    done = true;
    watcher.join();
    EXPECT_EQ(rc, CRX_E_CANCELLED);
    EXPECT_FALSE(QFile::exists(Base() + "/SETTING.DB.INI"));
    EXPECT_FALSE(QFile::exists(Base() + "/Quorvin"));
    const qsizetype written = Rows(SettingDb(), "CSB002").size();
    EXPECT_GT(written, 0);
    EXPECT_LT(written, 200000);
}

} // namespace
