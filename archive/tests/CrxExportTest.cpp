#include "archive/tests/CrxImportFixture.h"
#include "archive/tests/CrxTableFill.h"
#include "archive/tests/CrxTestSupport.h"
#include "archive/QuorvinExport.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/ToolRun.h"

#include <QDateTime>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

using korvane::test::readFile;
using korvane::test::writeFile;

namespace {

class CrxExportTest : public crxtest::ImportFixture
{
protected:
    void SetUp() override
    {
        Exec(SettingDb(),
             {"CREATE TABLE CIA001 (PLUCODE VARCHAR(13) NOT NULL, NAME VARCHAR(40), "
              "PRICE NUMERIC(8,0), PRIMARY KEY (PLUCODE))",
              "INSERT INTO CIA001 VALUES ('000123', 'A<&>''\"' || char(13, 10) || 'b', 100)",
              "INSERT INTO CIA001 VALUES ('000200', NULL, NULL)",
              "CREATE TABLE CSB008 (CODE VARCHAR(4) PRIMARY KEY, IMG BLOB, NOTE VARCHAR(10))",
              "INSERT INTO CSB008 VALUES ('0001', x'00FF0D0A', 'n')",
              "INSERT INTO CSB008 VALUES ('0002', NULL, 'm')",
              "INSERT INTO CSB008 VALUES ('0003', x'41', NULL)",
              "CREATE TABLE csb050 (X VARCHAR(4))", "INSERT INTO csb050 VALUES (NULL)",
              "CREATE TABLE CTT001 (TABLENAME VARCHAR(6) PRIMARY KEY)",
              "CREATE TABLE CIA001_BASE_Tovanel (PLUCODE VARCHAR(13) PRIMARY KEY)",
              "INSERT INTO CIA001_BASE_Tovanel VALUES ('999')"});
        Exec(CustomerDb(), {"CREATE TABLE CCU001 (CUSTNO VARCHAR(8) PRIMARY KEY, PIC BLOB)",
                            "INSERT INTO CCU001 VALUES ('00000001', x'CC')"});
    }

    CrxResult Export(const QString& target, int kind, const QStringList* add = nullptr,
                     const QStringList* replace = nullptr, const QStringList* diff = nullptr,
                     int noDataInfo = 0, const CrxAbortFlag* abort = nullptr,
                     const QString& extra = QString())
    {
        return CrxExport(Base(), target, abort, kind, extra, add, replace, diff, "LUMO500", "1.00",
                         QString(), "STD", QString(), 1, 0, 1, 1, 1, 1, 1, noDataInfo);
    }
    // Unpacks with GNU tar; the archive XML.
    QByteArray Unpack(const QString& archive, const QString& folder)
    {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        EXPECT_EQ(korvane::test::RunTool("tar", {"-xjf", archive, "-C", folder}).exitCode, 0);
        return readFile(folder + "/Korvane_REG_DATA.xml");
    }
    // The members as GNU tar lists them, sorted, folders without their "/".
    static QStringList Members(const QString& archive)
    {
        QStringList members =
            QString::fromUtf8(korvane::test::RunTool("tar", {"-tjf", archive}).out)
                .split('\n', Qt::SkipEmptyParts);
        for (QString& member : members)
            if (member.endsWith('/'))
                member.chop(1);
        members.sort();
        return members;
    }
    QByteArray ExportXml(int kind, const QStringList* add = nullptr,
                         const QStringList* replace = nullptr, const QStringList* diff = nullptr,
                         int noDataInfo = 0)
    {
        EXPECT_EQ(Export(Path("out.crx"), kind, add, replace, diff, noDataInfo), CRX_OK);
        return Unpack(Path("out.crx"), Path("x"));
    }
};

const char kGoldenFull[] = R"(<?xml version='1.0' encoding='utf-8'?>
<crxparse>
	<fileinfo>
		<machinetype>LUMO500</machinetype>
		<crxver>1.00</crxver>
		<regver></regver>
		<system>STD</system>
	</fileinfo>
	<datainfo>
		<dbinfo dbname="SETTING">
			<tabinfo tabname="CIA001" mainte="renew">
				<recinfo>
					<datarec>
						<PLUCODE>000123</PLUCODE>
						<NAME>A&lt;&amp;&gt;&apos;&quot;
b</NAME>
						<PRICE>100</PRICE>
					</datarec>
					<datarec>
						<PLUCODE>000200</PLUCODE>
					</datarec>
				</recinfo>
			</tabinfo>
			<tabinfo tabname="CSB008" mainte="renew">
				<recinfo>
					<datarec>
						<CODE>0001</CODE>
						<NOTE>n</NOTE>
						<IMG datatype="file">./blob/CSB008_0.blob</IMG>
					</datarec>
					<datarec>
						<CODE>0002</CODE>
						<NOTE>m</NOTE>
					</datarec>
					<datarec>
						<CODE>0003</CODE>
						<IMG datatype="file">./blob/CSB008_2.blob</IMG>
					</datarec>
				</recinfo>
			</tabinfo>
			<tabinfo tabname="csb050" mainte="renew">
				<recinfo>
					<datarec />
				</recinfo>
			</tabinfo>
		</dbinfo>
		<dbinfo dbname="CUSTOMER">
			<tabinfo tabname="CCU001" mainte="renew">
				<recinfo>
					<datarec>
						<CUSTNO>00000001</CUSTNO>
						<PIC datatype="file">./blob/CCU001_0.blob</PIC>
					</datarec>
				</recinfo>
			</tabinfo>
		</dbinfo>
	</datainfo>
</crxparse>
)";

TEST_F(CrxExportTest, FullExportWritesTheGoldenXmlBlobFilesAndExactlyTheMembers)
{
    ASSERT_TRUE(writeFile(Base() + "/Schema.txt", "CREATE TABLE T (A);\n"));
    ASSERT_TRUE(writeFile(Base() + "/additionals/Orbanel/Setting/pref.xml", "<pref/>"));
    ASSERT_TRUE(writeFile(Path("oes.dat"), "oes"));
    ASSERT_EQ(Export(Path("out.crx"), 1, nullptr, nullptr, nullptr, 0, nullptr, Path("oes.dat")),
              CRX_OK);
    EXPECT_EQ(Unpack(Path("out.crx"), Path("x")), QByteArray(kGoldenFull));

    const korvane::test::ToolResult lint =
        korvane::test::RunTool("xmllint", {"--noout", Path("x/Korvane_REG_DATA.xml")});
    EXPECT_EQ(lint.exitCode, 0) << lint.err.toStdString();

    EXPECT_EQ(Members(Path("out.crx")),
              (QStringList{"FILE092P.092", "Korvane_REG_DATA.xml", "Schema.txt", "additionals",
                           "additionals/Orbanel", "additionals/Orbanel/Setting",
                           "additionals/Orbanel/Setting/pref.xml", "blob", "blob/CCU001_0.blob",
                           "blob/CSB008_0.blob", "blob/CSB008_2.blob"}));
    EXPECT_EQ(readFile(Path("x/blob/CSB008_0.blob")), QByteArray("\x00\xff\r\n", 4));
    EXPECT_EQ(readFile(Path("x/blob/CSB008_2.blob")), "A");
    EXPECT_EQ(readFile(Path("x/blob/CCU001_0.blob")), "\xcc");
    EXPECT_EQ(readFile(Path("x/FILE092P.092")), "oes");
    EXPECT_FALSE(QFileInfo::exists(Base() + "/Quorvin")) << "the unpack folder goes";
}

// The database layer resolves blob files against the database's folder, the
// export walk named them against the working folder: a relative base folder
// once gave an archive without a single blob, and success.
TEST_F(CrxExportTest, ARelativeBaseFolderKeepsEveryBlob)
{
    {
        CSQliteDB db;
        ASSERT_EQ(db.OpenDB(SettingDb()), 0);
        CSQliteSQL sql(db, "CGR001");
        ASSERT_EQ(sql.ExecSQL("CREATE TABLE CGR001 (CODE VARCHAR(4) PRIMARY KEY, BMP BLOB)"), 0);
        ASSERT_EQ(crxtest::FillTable(db, "CGR001", 1000, 1), 0);
    }
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir));
    const CrxResult rc =
        CrxExport("base", "rel.crx", nullptr, 1, QString(), nullptr, nullptr, nullptr, "LUMO500",
                  "1.00", QString(), "STD", QString(), 0, 0, 1, 1, 1, 1, 1, 0);
    QDir::setCurrent(previous);
    ASSERT_EQ(rc, CRX_OK);
    const QStringList blobs = Members(Path("rel.crx")).filter(QRegularExpression("^blob/.+"));
    EXPECT_EQ(blobs.size(), 1000 + 3);
    EXPECT_TRUE(blobs.contains("blob/CGR001_999.blob"));
    const QByteArray xml = Unpack(Path("rel.crx"), Path("x"));
    EXPECT_EQ(xml.count("datatype=\"file\""), 1000 + 3);
}

TEST_F(CrxExportTest, PartialKindsFollowTheLists)
{
    Exec(SettingDb(), {"CREATE TABLE CSB008_NEW_Tovanel AS SELECT * FROM CSB008 WHERE 0",
                       "CREATE TABLE CSB008_DEL_Tovanel (CODE VARCHAR(4) PRIMARY KEY)",
                       "INSERT INTO CSB008_DEL_Tovanel VALUES ('0007'), ('0008')"});
    const QStringList add{"CIA001", "CTT001", "CIA001_BASE_Tovanel"};
    const QStringList replace{"csb050"};
    const QStringList diff{"CSB008"};
    const QString xml = QString::fromUtf8(ExportXml(2, &add, &replace, &diff));
    EXPECT_TRUE(xml.contains("<tabinfo tabname=\"CIA001\">\n")) << "add/update: no mainte";
    EXPECT_TRUE(xml.contains("<tabinfo tabname=\"csb050\" mainte=\"renew\">"));
    EXPECT_FALSE(xml.contains("CTT001")) << "a table without rows is left out";
    EXPECT_FALSE(xml.contains("_Tovanel")) << "shadow tables are never written";
    EXPECT_FALSE(xml.contains("CCU001"));
    // Only deleted keys: just the "del" section.
    EXPECT_TRUE(
        xml.contains("\t\t\t<tabinfo tabname=\"CSB008\">\n"
                     "\t\t\t\t<recinfo mainte=\"del\">\n"
                     "\t\t\t\t\t<baserec>\n\t\t\t\t\t\t<CODE>0007</CODE>\n\t\t\t\t\t</baserec>\n"
                     "\t\t\t\t\t<baserec>\n\t\t\t\t\t\t<CODE>0008</CODE>\n\t\t\t\t\t</baserec>\n"
                     "\t\t\t\t</recinfo>\n\t\t\t</tabinfo>\n"))
        << xml.toStdString();
    // The customer database has no listed table: an empty "dbinfo".
    EXPECT_TRUE(xml.contains("<dbinfo dbname=\"CUSTOMER\" />"));

    // Changed rows come from the new-rows shadow table, with its blob names.
    Exec(SettingDb(), {"INSERT INTO CSB008_NEW_Tovanel VALUES ('0009', x'09', 'new')"});
    const QString changed = QString::fromUtf8(ExportXml(2, nullptr, nullptr, &diff));
    EXPECT_TRUE(changed.contains("<CODE>0009</CODE>"));
    EXPECT_TRUE(changed.contains("./blob/CSB008_NEW_Tovanel_0.blob"));
    EXPECT_LT(changed.indexOf("<recinfo>"), changed.indexOf("<recinfo mainte=\"del\">"));

    // A table in the replace and the difference list is a difference table.
    const QStringList both{"CSB008"};
    const QString diffWins = QString::fromUtf8(ExportXml(2, nullptr, &both, &diff));
    EXPECT_EQ(diffWins, changed);
    EXPECT_FALSE(diffWins.contains("renew"));

    const QString noData = QString::fromUtf8(ExportXml(2, &add, nullptr, nullptr, 1));
    EXPECT_FALSE(noData.contains("datainfo"));
    EXPECT_TRUE(noData.contains("<machinetype>LUMO500</machinetype>"));
    // Other kinds: header and databases, no rows.
    const QString other = QString::fromUtf8(ExportXml(3));
    EXPECT_TRUE(other.contains("<dbinfo dbname=\"SETTING\" />"));
    EXPECT_FALSE(other.contains("tabinfo"));
}

TEST_F(CrxExportTest, BlobsOfKeylessTablesAndBlobOnlyTablesAreKept)
{
    Exec(SettingDb(), {"CREATE TABLE CGR001 (NAME VARCHAR(8), BMP BLOB)",
                       "INSERT INTO CGR001 VALUES ('a', x'0102'), ('a', x'0304')",
                       "CREATE TABLE CGR002 (BMP BLOB)", "INSERT INTO CGR002 VALUES (x'AA')",
                       "INSERT INTO CGR002 VALUES (NULL)",
                       "CREATE TABLE CCU001 (CUSTNO VARCHAR(8) PRIMARY KEY, PIC BLOB)",
                       "INSERT INTO CCU001 VALUES ('00000009', x'5E')"});
    const QByteArray xml = ExportXml(1);
    EXPECT_TRUE(xml.contains(
        "<NAME>a</NAME>\n\t\t\t\t\t\t<BMP datatype=\"file\">./blob/CGR001_0.blob</BMP>"));
    EXPECT_EQ(readFile(Path("x/blob/CGR001_0.blob")), "\x01\x02");
    EXPECT_EQ(readFile(Path("x/blob/CGR001_1.blob")), "\x03\x04");
    EXPECT_TRUE(
        xml.contains("<datarec>\n\t\t\t\t\t\t<BMP datatype=\"file\">./blob/CGR002_0.blob</BMP>"));
    EXPECT_TRUE(xml.contains("<datarec />")) << "the NULL row of CGR002";
    EXPECT_EQ(readFile(Path("x/blob/CGR002_0.blob")), "\xaa");
    // The same table in both databases: each row keeps its own blob file.
    EXPECT_TRUE(xml.contains("./blob/CCU001_0.blob"));
    EXPECT_TRUE(xml.contains("./blob/CCU001_1.blob"));
    EXPECT_EQ(readFile(Path("x/blob/CCU001_0.blob")), "\x5e");
    EXPECT_EQ(readFile(Path("x/blob/CCU001_1.blob")), "\xcc");
}

// The format leaves an empty blob out; a 0-byte file with a reference once
// went into the archive.
TEST_F(CrxExportTest, AnEmptyBlobHasNoElementAndNoFile)
{
    Exec(SettingDb(), {"INSERT INTO CSB008 VALUES ('0004', x'', 'e')"});
    const QByteArray xml = ExportXml(1);
    EXPECT_TRUE(xml.contains("\t\t\t\t\t\t<CODE>0004</CODE>\n\t\t\t\t\t\t<NOTE>e</NOTE>\n"
                             "\t\t\t\t\t</datarec>\n"))
        << xml.toStdString();
    EXPECT_FALSE(xml.contains("CSB008_3.blob"));
    EXPECT_EQ(Members(Path("out.crx")).filter("blob/CSB008"),
              (QStringList{"blob/CSB008_0.blob", "blob/CSB008_2.blob"}));
}

// A table name from a schema text becomes part of a blob file's name: one
// holding "/" once wrote a file beside the user's own and reported success.
TEST_F(CrxExportTest, ATableNameThatIsNoFileNameFailsTheSaveAndWritesNothingOutside)
{
    const auto tree = [this] {
        QStringList entries;
        for (const QString& folder : {dir, QFileInfo(dir).path()}) {
            QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                            folder == dir ? QDirIterator::Subdirectories
                                          : QDirIterator::NoIteratorFlags);
            while (it.hasNext())
                entries << it.next();
        }
        entries.sort();
        return entries;
    };
    for (const QString& name : QStringList{"../../../outside/pwn", "..\\..\\pwn"}) {
        Exec(SettingDb(),
             {QString("CREATE TABLE \"%1\" (K VARCHAR(4) PRIMARY KEY, B BLOB)").arg(name),
              QString("INSERT INTO \"%1\" VALUES ('0001', x'EE')").arg(name)});
        const QStringList before = tree();
        EXPECT_EQ(Export(Path("out.crx"), 1), CRX_E_READ_BLOB) << name.toStdString();
        EXPECT_EQ(tree(), before) << name.toStdString();
        EXPECT_EQ(CrxLastDetail().table, name);
        EXPECT_EQ(CrxLastDetail().key, "0001");
        EXPECT_EQ(CrxLastDetail().column, "B");
        Exec(SettingDb(), {QString("DROP TABLE \"%1\"").arg(name)});
    }
}

// A value the archive cannot carry fails the save and says where it lies:
// a character XML 1.0 cannot hold, or text that is not UTF-8 (once written
// as replacement characters, with success).
TEST_F(CrxExportTest, AValueTheArchiveCannotCarryFailsTheSaveAndNamesWhereItLies)
{
    Exec(SettingDb(), {"ALTER TABLE CIA001 ADD COLUMN ITEMNAME VARCHAR(40)",
                       "CREATE TABLE CSB001 (A VARCHAR(4), B VARCHAR(4), NOTE VARCHAR(8), "
                       "PRIMARY KEY (A, B))"});
    struct Case
    {
        const char* name;
        QString sql;
        QString table;
        QString key;
        QString column;
    };
    const Case cases[] = {
        {"U+0001", "UPDATE CIA001 SET ITEMNAME = 'a' || char(1) WHERE PLUCODE = '000123'", "CIA001",
         "000123", "ITEMNAME"},
        {"CP932 bytes as text",
         "UPDATE CIA001 SET ITEMNAME = CAST(x'83548393' AS TEXT) WHERE PLUCODE = '000123'",
         "CIA001", "000123", "ITEMNAME"},
        {"a key of two columns", "INSERT INTO CSB001 VALUES ('01', '02', char(65, 2))", "CSB001",
         "01, 02", "NOTE"},
        {"in a key column", "INSERT INTO CSB001 VALUES (CAST(x'FF' AS TEXT), '03', NULL)", "CSB001",
         "\uFFFD, 03", "A"},
    };
    for (const Case& c : cases) {
        Exec(SettingDb(), {"UPDATE CIA001 SET ITEMNAME = NULL", "DELETE FROM CSB001", c.sql});
        ASSERT_TRUE(writeFile(Path("old.crx"), "previous archive"));
        EXPECT_EQ(Export(Path("old.crx"), 1), CRX_E_XML_UTF8) << c.name;
        EXPECT_EQ(readFile(Path("old.crx")), "previous archive") << c.name;
        EXPECT_EQ(CrxLastDetail().table, c.table) << c.name;
        EXPECT_EQ(CrxLastDetail().key, c.key) << c.name;
        EXPECT_EQ(CrxLastDetail().column, c.column) << c.name;
    }
    // The next call starts without the detail of the last.
    Exec(SettingDb(), {"UPDATE CIA001 SET ITEMNAME = NULL", "DELETE FROM CSB001"});
    EXPECT_EQ(Export(Path("old.crx"), 1), CRX_OK);
    EXPECT_TRUE(CrxLastDetail().table.isEmpty());
}

// A media file is never left out: a name the open would read back as
// another, or not at all, fails the save and names the file.
TEST_F(CrxExportTest, AMediaNameTheArchiveCannotCarryFailsTheSaveNamingTheFile)
{
    const QString movie = Base() + "/additionals/Orbanel/Movie";
    const QString te = QString::fromUtf8("\u30c6.mp4");
    const struct
    {
        const char* what;
        QList<QByteArray> names; // below "Movie"
        QString shown;
    } cases[] = {
        {"neither UTF-8 nor CP932", {"a\x82.mp4"}, "a\uFFFD.mp4"},
        // Read as one CP932 name, the folder would come back as "\uFF83\uFF7C".
        {"CP932 in a UTF-8 folder", {"\xc3\xbc/\x83\x65.mp4"}, "\u00fc/" + te},
        {"two names read back alike", {"\x83\x65.mp4", te.toUtf8()}, te},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // QDir passes over names that are no UTF-8.
        std::filesystem::remove_all(QFile::encodeName(Base() + "/additionals").toStdString());
        for (const QByteArray& name : c.names) {
            const qsizetype slash = name.lastIndexOf('/');
            const QString folder =
                slash < 0 ? movie : movie + '/' + QFile::decodeName(name.left(slash));
            WriteNativeFile(folder, name.mid(slash + 1), "data");
        }
        ASSERT_TRUE(writeFile(Path("old.crx"), "previous archive"));
        EXPECT_EQ(Export(Path("old.crx"), 1), CRX_E_MEMBER_NAME);
        EXPECT_EQ(readFile(Path("old.crx")), "previous archive");
        EXPECT_EQ(CrxLastDetail().file, "additionals/Orbanel/Movie/" + c.shown);
    }
}

// A table large enough to be written in row id ranges on several threads
// reads as the save on one core writes it, between the tables around it.
TEST_F(CrxExportTest, AWideTableSavedOnEveryCoreReadsAsSavedOnOne)
{
    {
        CSQliteDB db;
        ASSERT_EQ(db.OpenDB(SettingDb()), 0);
        ASSERT_EQ(crxtest::FillTable(db, "CIA001", 5000), 0);
        db.CloseDB();
    }
    QByteArray single;
    {
        crxtest::ScopedOneCore oneCore;
        ASSERT_TRUE(oneCore.Held());
        single = ExportXml(1);
    }
    const QByteArray many = ExportXml(1);
    EXPECT_EQ(single.count("<datarec>"), 5000 + 2 + 3 + 1);
    EXPECT_EQ(many, single);
}

TEST_F(CrxExportTest, AbortLeavesTheTargetAndNoTemporaryArchive)
{
    ASSERT_TRUE(writeFile(Path("out/old.crx"), "previous archive"));
    CrxAbortFlag abort{1};
    EXPECT_EQ(Export(Path("out/old.crx"), 1, nullptr, nullptr, nullptr, 0, &abort),
              CRX_E_CANCELLED);
    EXPECT_EQ(readFile(Path("out/old.crx")), "previous archive");
    EXPECT_EQ(QDir(Path("out")).entryList(QDir::Files | QDir::Hidden), QStringList{"old.crx"});
    EXPECT_FALSE(QFileInfo::exists(Base() + "/Quorvin"));
    EXPECT_FALSE(QFileInfo::exists(Base() + "/SETTING.DB.INI")) << "no export stamp";
}

// Blobs go from the database straight into the archive: one that spans
// several bzip2 blocks still gives one stream every common reader takes,
// and an abort in the middle of them leaves the target as it was.
TEST_F(CrxExportTest, BlobsStreamedIntoTheArchiveReadEverywhereAndAbortMidwayKeepsTheTarget)
{
    QByteArray noise(3 << 20, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
    {
        CSQliteDB db;
        ASSERT_EQ(db.OpenDB(SettingDb()), 0);
        CSQliteSQL sql(db, "CGR001");
        ASSERT_EQ(sql.ExecSQL("CREATE TABLE CGR001 (CODE VARCHAR(4) PRIMARY KEY, BMP BLOB)"), 0);
        ASSERT_EQ(sql.SetSQLForWrite({"CODE"}, {}, {"BMP"}), 0);
        ASSERT_TRUE(writeFile(Path("noise.bin"), noise));
        for (const char* code : {"0001", "0002", "0003"})
            ASSERT_EQ(sql.ExecWrite({code}, {}, {Path("noise.bin")}, SQLWRITE_INSERT), 0);
    }
    ASSERT_EQ(Export(Path("big.crx"), 1), CRX_OK);
    EXPECT_EQ(korvane::test::RunTool("bzip2", {"-t", Path("big.crx")}).exitCode, 0);
    EXPECT_EQ(crxtest::PythonTarMembers(Path("big.crx"), "CGR"),
              "[('blob/CGR001_0.blob', 3145728), ('blob/CGR001_1.blob', 3145728), "
              "('blob/CGR001_2.blob', 3145728)]");
    Unpack(Path("big.crx"), Path("x"));
    EXPECT_EQ(readFile(Path("x/blob/CGR001_2.blob")), noise);

    // Aborted once the temporary archive beside the target has grown.
    ASSERT_TRUE(writeFile(Path("out/old.crx"), "previous archive"));
    CrxAbortFlag abort{0};
    QElapsedTimer sinceAbort;
    std::thread watcher([this, &abort, &sinceAbort] {
        for (int i = 0; i < 20000 && abort == 0; ++i) {
            for (const QFileInfo& file :
                 QDir(Path("out")).entryInfoList({".Trennic01*"}, QDir::Files | QDir::Hidden))
                if (file.size() > 0) {
                    sinceAbort.start();
                    abort = 1;
                }
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    });
    const CrxResult rc = Export(Path("out/old.crx"), 1, nullptr, nullptr, nullptr, 0, &abort);
    watcher.join();
    EXPECT_EQ(rc, CRX_E_CANCELLED);
    ASSERT_TRUE(sinceAbort.isValid());
    EXPECT_LT(sinceAbort.elapsed(), 2000);
    EXPECT_EQ(readFile(Path("out/old.crx")), "previous archive");
    EXPECT_EQ(QDir(Path("out")).entryList(QDir::Files | QDir::Hidden), QStringList{"old.crx"});
}

TEST_F(CrxExportTest, CompareDateTimeFollowsTheLastImportAndExport)
{
    const QString archive = Path("out.crx");
    EXPECT_EQ(CrxCompareDateTime(archive, Base(), 2), 0);
    ASSERT_EQ(Export(archive, 1), CRX_OK);
    EXPECT_EQ(CrxCompareDateTime(archive, Base(), 2), 1);
    EXPECT_EQ(CrxCompareDateTime(archive, Base(), 1), 0) << "no import stamp yet";
    EXPECT_EQ(CrxCompareDateTime(archive, QString(), 2), 0);
    EXPECT_EQ(CrxCompareDateTime(QString(), Base(), 2), 0);

    QFile file(archive);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(CrxCompareDateTime(archive, Base(), 2), 0) << "touched";

    // An import of the same archive stamps kind 1.
    const QString other = Path("other");
    ASSERT_EQ(CrxImportHeader(archive, other, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr),
              CRX_OK);
    Exec(other + "/SETTING.DB", {"CREATE TABLE CIA001 (PLUCODE VARCHAR(13) PRIMARY KEY, "
                                 "NAME VARCHAR(40), PRICE NUMERIC(8,0))"});
    ASSERT_EQ(CrxImportContents(archive, other, nullptr, 0, QString(), nullptr, nullptr, nullptr,
                                nullptr, nullptr, nullptr, nullptr, nullptr),
              CRX_OK);
    EXPECT_EQ(CrxCompareDateTime(archive, other, 1), 1);
}

} // namespace
