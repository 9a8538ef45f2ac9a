// The header read and the folder and file exports around an import.

#include "archive/tests/CrxImportFixture.h"

#include "archive/tests/CrxTestSupport.h"

#include <QFile>
#include <QFileInfo>

namespace {

using crxtest::ImportFixture;
using korvane::test::readFile;
using korvane::test::writeFile;

class CrxImportHeaderTest : public ImportFixture
{
};

TEST_F(CrxImportHeaderTest, ReadsTheHeaderAndFlagsTheElementsPresent)
{
    struct Case
    {
        const char* what;
        QByteArray fileinfo;
        CrxFileInfo expected;
    };
    const Case cases[] = {
        {"all five",
         "<machinetype>M1</machinetype><crxver>2</crxver><regver>R &amp; 1</regver>"
         "<system>S</system><package>P</package>",
         {"M1", "2", "R & 1", "S", "P", 1, 1}},
        {"no regver, no package",
         "<machinetype>M1</machinetype><system>S</system>",
         {"M1", "", "", "S", "", 0, 0}},
        {"empty regver and package", "<regver></regver><package/>", {"", "", "", "", "", 1, 1}},
    };
    for (const Case& c : cases) {
        const QString archive =
            MakeArchive("<?xml version='1.0' encoding='utf-8'?>\n<crxparse><fileinfo>" +
                        c.fileinfo + "</fileinfo></crxparse>");
        CrxFileInfo info{"x", "x", "x", "x", "x", 7, 7};
        ASSERT_EQ(Header(archive, &info), CRX_OK) << c.what;
        EXPECT_EQ(info.machineType, c.expected.machineType) << c.what;
        EXPECT_EQ(info.crxVersion, c.expected.crxVersion) << c.what;
        EXPECT_EQ(info.regVersion, c.expected.regVersion) << c.what;
        EXPECT_EQ(info.system, c.expected.system) << c.what;
        EXPECT_EQ(info.package, c.expected.package) << c.what;
        EXPECT_EQ(info.regVersionFlags, c.expected.regVersionFlags) << c.what;
        EXPECT_EQ(info.packageFlags, c.expected.packageFlags) << c.what;
    }
}

TEST_F(CrxImportHeaderTest, EmptiesTheBaseFolderAndLeavesTheUnpackFolder)
{
    ASSERT_TRUE(writeFile(Base() + "/SETTING.DB", "old"));
    ASSERT_EQ(Header(MakeArchive(ArchiveXml(""), {{"Schema.txt", "CREATE TABLE T(A);"}})), CRX_OK);
    EXPECT_FALSE(QFile::exists(Base() + "/SETTING.DB"));
    // The archive XML is read from the archive as it is decompressed: only
    // its empty stand-in is written.
    EXPECT_TRUE(QFile::exists(Base() + "/Quorvin/Korvane_REG_DATA.xml"));
    EXPECT_EQ(QFileInfo(Base() + "/Quorvin/Korvane_REG_DATA.xml").size(), 0);
    EXPECT_TRUE(QFile::exists(Base() + "/Quorvin/Schema.txt"));
}

// A base folder that is a link to a folder once failed every open: the link
// could not be removed as a folder.
TEST_F(CrxImportHeaderTest, ABaseFolderBehindALinkOpensAnArchive)
{
    ASSERT_TRUE(writeFile(Path("real/SETTING.DB"), "old"));
    ASSERT_TRUE(QFile::link(Path("real"), Base()));
    const QByteArray rows = "<tabinfo tabname='T'><recinfo><datarec><A>1</A></datarec>"
                            "</recinfo></tabinfo>";
    const QString archive =
        MakeArchive(ArchiveXml("<dbinfo dbname='SETTING'>" + rows + "</dbinfo>"));
    ASSERT_EQ(Header(archive), CRX_OK);
    EXPECT_TRUE(QFileInfo(Base()).isSymLink());
    EXPECT_FALSE(QFile::exists(Path("real/SETTING.DB")));
    Exec(SettingDb(), {"CREATE TABLE T (A VARCHAR(2))"});
    ASSERT_EQ(Contents(archive), CRX_OK);
    EXPECT_EQ(Rows(Path("real/SETTING.DB"), "T"), QStringList{"1"});
}

TEST_F(CrxImportHeaderTest, MissingArchiveLeavesTheBaseFolderAlone)
{
    ASSERT_TRUE(writeFile(SettingDb(), "work"));
    CrxFileInfo info{"keep", "", "", "", "", 3, 0};
    EXPECT_EQ(Header(Path("none.crx"), &info), CRX_E_NO_ARCHIVE);
    EXPECT_EQ(Header(QString(), &info), CRX_E_NO_ARCHIVE);
    EXPECT_EQ(Header(Path("src"), &info), CRX_E_NO_ARCHIVE); // a folder
    EXPECT_EQ(readFile(SettingDb()), "work");
    EXPECT_EQ(info.machineType, "keep");
    EXPECT_EQ(info.regVersionFlags, 3);
}

TEST_F(CrxImportHeaderTest, RefusesAnArchiveInsideTheBaseFolder)
{
    const QString archive = MakeArchive(ArchiveXml(""));
    ASSERT_TRUE(QDir().mkpath(Base() + "/sub"));
    ASSERT_TRUE(QFile::copy(archive, Base() + "/sub/in.crx"));
    EXPECT_EQ(Header(Base() + "/sub/in.crx"), CRX_E_FILE_ACCESS);
    EXPECT_TRUE(QFile::exists(Base() + "/sub/in.crx"));
}

TEST_F(CrxImportHeaderTest, UnpackAndXmlFailures)
{
    // A failed unpack takes back the unpack folder it made; the base folder stays.
    ASSERT_TRUE(writeFile(Path("junk.crx"), "no tar at all"));
    EXPECT_EQ(Header(Path("junk.crx")), CRX_E_UNPACK);
    EXPECT_TRUE(QFileInfo(Base()).isDir());
    EXPECT_FALSE(QFile::exists(Base() + "/Quorvin"));

    QDir(Path("src")).removeRecursively();
    ASSERT_TRUE(writeFile(Path("src/other.xml"), "<crxparse/>"));
    CCrxArchiver archiver;
    ASSERT_EQ(archiver.Pack(Path("src"), Path("noxml.crx")), CRX_OK);
    EXPECT_EQ(Header(Path("noxml.crx")), CRX_E_NO_DATAXML);
    EXPECT_TRUE(QFile::exists(Base() + "/Quorvin/other.xml")) << "a full one stays for its owner";

    const CrxAbortFlag abort{1};
    QString text;
    int flags = 0;
    EXPECT_EQ(CrxImportHeader(MakeArchive(ArchiveXml("")), Base(), &abort, &text, &text, &text,
                              &text, &text, &flags, &flags),
              CRX_E_CANCELLED);
    EXPECT_FALSE(QFile::exists(Base() + "/Quorvin"));
}

TEST_F(CrxImportHeaderTest, MalformedXmlPassesTheHeaderAndFailsTheContents)
{
    const QString archive = MakeArchive("<crxparse><fileinfo><machinetype>M9</machinetype>"
                                        "<crxver>3</crxver><system>S</oops></fileinfo>");
    CrxFileInfo info;
    ASSERT_EQ(Header(archive, &info), CRX_OK);
    EXPECT_EQ(info.machineType, "M9");
    EXPECT_EQ(info.crxVersion, "3");
    EXPECT_EQ(info.system, "");

    Exec(SettingDb(), {"CREATE TABLE T(A VARCHAR(4) PRIMARY KEY)"});
    EXPECT_EQ(Contents(archive), CRX_E_SAX_FATAL);
    EXPECT_FALSE(QFile::exists(Base() + "/Quorvin"));
}

// The header read stops at the end of the first "fileinfo" under "crxparse"
// (one skipped inside another element does not count): nothing after it is
// read, not even a damaged tail.
TEST_F(CrxImportHeaderTest, StopsAfterTheHeader)
{
    const QString archive = MakeArchive(
        "<crxparse><junk><fileinfo><machinetype>SKIPPED</machinetype></fileinfo></junk>"
        "<fileinfo><machinetype>M1</machinetype></fileinfo>"
        "<fileinfo><machinetype>LATE</machinetype><regver>9</regver></fileinfo><oops></crxparse>");
    CrxFileInfo info;
    ASSERT_EQ(Header(archive, &info), CRX_OK);
    EXPECT_EQ(info.machineType, "M1");
    EXPECT_EQ(info.regVersion, "");
    EXPECT_EQ(info.regVersionFlags, 0);
}

TEST_F(CrxImportHeaderTest, ContentsWithoutAHeaderReadFindNoArchiveXml)
{
    const QString archive = MakeArchive(ArchiveXml(""));
    Exec(SettingDb(), {"CREATE TABLE T(A VARCHAR(4) PRIMARY KEY)"});
    EXPECT_EQ(Contents(archive), CRX_E_NO_DATAXML);

    struct Case
    {
        QString archive;
        QString base;
        CrxResult expected;
    };
    const Case cases[] = {
        {QString(), Base(), CRX_E_NO_ARCHIVE},
        {Path("none.crx"), Base(), CRX_E_NO_ARCHIVE},
        {archive, QString(), CRX_E_EMPTY_PATH},
        {archive, Path("nodb"), CRX_E_NO_SETTINGDB},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CrxImportContents(c.archive, c.base, nullptr, 0, QString(), nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
                  c.expected)
            << c.archive.toStdString() << " " << c.base.toStdString();
}

TEST_F(CrxImportHeaderTest, OpenBuildsTheWorkDatabaseFromTheArchiveSchema)
{
    crxtest::ScopedWait noPause;
    const QString archive =
        MakeArchive(ArchiveXml("<dbinfo><tabinfo tabname='T'><recinfo><datarec><A>1</A></datarec>"
                               "</recinfo></tabinfo></dbinfo>"),
                    {{"Schema.txt", "CREATE TABLE T(A VARCHAR(4) PRIMARY KEY);"}});
    Exec(Path("res/SETTING.DB"), {});
    ASSERT_EQ(Header(archive), CRX_OK);
    ASSERT_EQ(CrxImportInitSettingDB(archive, Base(), Path("res"), "MODEL1"), CRX_OK);
    ASSERT_EQ(Contents(archive), CRX_OK);
    EXPECT_EQ(Rows(SettingDb(), "T"), QStringList{"1"});
    EXPECT_EQ(readFile(Base() + "/Schema.txt"), "CREATE TABLE T(A VARCHAR(4) PRIMARY KEY);");

    // Without the schema text the model's template is needed.
    ASSERT_EQ(Header(MakeArchive(ArchiveXml(""))), CRX_OK);
    EXPECT_EQ(CrxImportInitSettingDB(archive, Base(), Path("res"), "MODEL1"), CRX_E_FILE_ACCESS);
}

TEST_F(CrxImportHeaderTest, FolderAndFileExports)
{
    crxtest::ScopedWait noPause;
    EXPECT_EQ(CrxCreateFolder(Path("made")), CRX_OK);
    EXPECT_EQ(CrxCreateFolder(Path("made")), CRX_OK);
    EXPECT_EQ(CrxCreateFolder(Path("no/parent")), CRX_E_CREATE_FOLDER);
    EXPECT_EQ(CrxCreateFolder(QString()), CRX_E_CREATE_FOLDER);

    ASSERT_TRUE(writeFile(Path("made/sub/f.txt"), "x"));
    EXPECT_EQ(CrxDeleteFolder(Path("made")), CRX_OK);
    EXPECT_FALSE(QFile::exists(Path("made")));
    EXPECT_EQ(CrxDeleteFolder(Path("made")), CRX_OK);
    EXPECT_EQ(CrxDeleteFolder(QString()), CRX_OK);
    ASSERT_TRUE(writeFile(Path("import/SETTING.DB"), "x"));
    EXPECT_EQ(AnotherCrxImportFinalize(Path("import")), CRX_OK);
    EXPECT_FALSE(QFile::exists(Path("import")));

    ASSERT_TRUE(writeFile(Path("work.db"), "work"));
    ASSERT_TRUE(QDir().mkpath(Path("import")));
    EXPECT_EQ(AnotherCrxImportInitialize(Path("work.db"), Path("import/SETTING.DB")), CRX_OK);
    EXPECT_EQ(readFile(Path("import/SETTING.DB")), "work");
    ASSERT_TRUE(writeFile(Path("import/SETTING.DB"), "imported"));
    EXPECT_EQ(AnotherCrxImportImportedDbCopy(Path("work.db"), Path("import/SETTING.DB")), CRX_OK);
    EXPECT_EQ(readFile(Path("work.db")), "imported");
    EXPECT_EQ(AnotherCrxImportInitialize(Path("none.db"), Path("import/SETTING.DB")),
              CRX_E_DB_COPY);
    EXPECT_EQ(AnotherCrxImportImportedDbCopy(Path("work.db"), Path("none.db")), CRX_E_DB_COPY);
}

} // namespace
