#include "archive/tests/CrxImportFixture.h"
#include "archive/tests/CrxTableFill.h"
#include "archive/QuorvinExport.h"
#include "platform/LegacyCodePage.h"

#include <gtest/gtest.h>

#include <archive.h>
#include <archive_entry.h>

using korvane::test::readFile;
using korvane::test::writeFile;

namespace {

// The member names of an archive, byte for byte as stored.
QList<QByteArray> StoredNames(const QString& path)
{
    QList<QByteArray> names;
    archive* reader = archive_read_new();
    archive_read_support_filter_bzip2(reader);
    archive_read_support_format_tar(reader);
    if (archive_read_open_filename(reader, QFile::encodeName(path).constData(), 1 << 16) ==
        ARCHIVE_OK) {
        archive_entry* entry = nullptr;
        while (archive_read_next_header(reader, &entry) >= ARCHIVE_WARN)
            names << QByteArray(archive_entry_pathname(entry));
    }
    archive_read_free(reader);
    return names;
}

// Open, save, open again: nothing an archive carries may change on the way.
class CrxRoundTripTest : public crxtest::ImportFixture
{
protected:
    QString Folder(const QString& name) const { return Path(name); }

    CrxResult Save(const QString& base, const QString& archive)
    {
        return CrxExport(base, archive, nullptr, 1, QString(), nullptr, nullptr, nullptr, "LUMO500",
                         "1.00", QString(), "STD", QString(), 0, 0, 1, 1, 1, 1, 1, 0);
    }
    void Open(const QString& archive, const QString& base)
    {
        CrxFileInfo info;
        ASSERT_EQ(CrxImportHeader(archive, base, nullptr, &info.machineType, &info.crxVersion,
                                  &info.regVersion, &info.system, &info.package,
                                  &info.regVersionFlags, &info.packageFlags),
                  CRX_OK);
        EXPECT_EQ(info.machineType, "LUMO500");
        ASSERT_EQ(CrxImportInitSettingDB(archive, base, Path("RESOURCE"), "Lumo500"), CRX_OK);
        ASSERT_EQ(CrxImportContents(archive, base, nullptr, 0, QString(), &info.machineType,
                                    &info.crxVersion, &info.regVersion, &info.system, &info.package,
                                    &info.regVersionFlags, &info.packageFlags, nullptr),
                  CRX_OK);
    }
};

TEST_F(CrxRoundTripTest, OpenSaveOpenKeepsBothDatabasesEqual)
{
    const QString first = Folder("first");
    const QString schema = QStringLiteral(KORVANE_SOURCE_DIR "/resources/schema/Schema.txt");
    const QByteArray customerSchema = "CREATE TABLE CCU001 (\nCUSTNO VARCHAR(8) NOT NULL,\nNAME "
                                      "VARCHAR(40),\nPOINTS NUMERIC(8,2),\n"
                                      "PHOTO BLOB,\nPRIMARY KEY (CUSTNO)\n);\n";
    ASSERT_TRUE(QDir().mkpath(first));
    ASSERT_TRUE(QFile::copy(schema, first + "/Schema.txt"));
    ASSERT_TRUE(writeFile(first + "/CUSTOMER.txt", customerSchema));
    ASSERT_TRUE(writeFile(Path("RESOURCE/SETTING.DB"), QByteArray())); // blank template
    Sqlite3(first + "/SETTING.DB", ".read " + first + "/Schema.txt");
    Sqlite3(first + "/CUSTOMER.DB", ".read " + first + "/CUSTOMER.txt");
    {
        CSQliteDB db;
        ASSERT_EQ(db.OpenDB(first + "/SETTING.DB"), 0);
        ASSERT_EQ(crxtest::FillTable(db, "CIA001", 300), 0);
        ASSERT_EQ(crxtest::FillTable(db, "CSB008", 40, 3), 0);
        CSQliteSQL sql(db, "CIA002");
        ASSERT_EQ(sql.ExecSQL("INSERT INTO CIA002 VALUES ('000001', 'A & <B> \"C\" ''D''', "
                              "'000010', '20240102030405', '20240102030405')"),
                  0);
        db.CloseDB();
        ASSERT_EQ(db.OpenDB(first + "/CUSTOMER.DB"), 0);
        ASSERT_EQ(crxtest::FillTable(db, "CCU001", 25, 2), 0);
        db.CloseDB();
    }

    ASSERT_EQ(Save(first, Path("a.crx")), CRX_OK);
    const QString second = Folder("second");
    Open(Path("a.crx"), second);
    ASSERT_EQ(Save(second, Path("b.crx")), CRX_OK);
    const QString third = Folder("third");
    Open(Path("b.crx"), third);

    for (const char* db : {"/SETTING.DB", "/CUSTOMER.DB"}) {
        const QByteArray original = Sqlite3(first + db, ".dump");
        EXPECT_TRUE(original.contains("X'")) << "the fixture has blobs";
        EXPECT_EQ(Sqlite3(second + db, ".dump"), original) << db;
        EXPECT_EQ(Sqlite3(third + db, ".dump"), original) << db;
    }
}

// Blobs are read again by row id: a REAL key once failed the whole save (its
// text form found no row), and so did a NULL in a key column.
TEST_F(CrxRoundTripTest, BlobsOfAnyKeySurviveASaveAndAnOpen)
{
    const QString first = Folder("first");
    const QByteArray schema =
        "CREATE TABLE CGR010 (K REAL PRIMARY KEY, B BLOB);\n"
        "CREATE TABLE CGR011 (K VARCHAR(4), K2 VARCHAR(4), B BLOB, PRIMARY KEY (K, K2));\n"
        "CREATE TABLE CGR012 (K VARCHAR(4) PRIMARY KEY, B BLOB) WITHOUT ROWID;\n";
    ASSERT_TRUE(writeFile(first + "/Schema.txt", schema));
    ASSERT_TRUE(writeFile(Path("RESOURCE/SETTING.DB"), QByteArray()));
    Exec(first + "/SETTING.DB",
         {schema.split(';')[0], schema.split(';')[1], schema.split(';')[2],
          "INSERT INTO CGR010 VALUES (1.5, x'01'), (2.25, x'0202')",
          "INSERT INTO CGR011 VALUES ('0001', NULL, x'11'), ('0002', 'b', x'12')",
          "INSERT INTO CGR012 VALUES ('0001', x'21')"});

    ASSERT_EQ(Save(first, Path("a.crx")), CRX_OK);
    const QString second = Folder("second");
    Open(Path("a.crx"), second);
    for (const char* table : {"CGR010", "CGR012"})
        EXPECT_EQ(Sqlite3(second + "/SETTING.DB", QString("SELECT * FROM %1").arg(table)),
                  Sqlite3(first + "/SETTING.DB", QString("SELECT * FROM %1").arg(table)))
            << table;
    EXPECT_EQ(Sqlite3(second + "/SETTING.DB", "SELECT quote(K), quote(B) FROM CGR010"),
              "1.5|X'01'\n2.25|X'0202'\n");
    // An empty value is no element: the NULL key part comes back empty, its
    // blob whole.
    EXPECT_EQ(Sqlite3(second + "/SETTING.DB", "SELECT K, quote(K2), quote(B) FROM CGR011"),
              "0001|''|X'11'\n0002|'b'|X'12'\n");
}

// A file copied from the register's own system keeps its name in the legacy
// code page, which is no UTF-8: a save once left it out and reported success.
TEST_F(CrxRoundTripTest, AMediaFileWithALegacyNameComesBackUnderItsName)
{
    const QString first = Folder("first");
    const QByteArray schema = "CREATE TABLE CGR010 (K VARCHAR(4) PRIMARY KEY, V VARCHAR(4));\n";
    ASSERT_TRUE(writeFile(first + "/Schema.txt", schema));
    ASSERT_TRUE(writeFile(Path("RESOURCE/SETTING.DB"), QByteArray()));
    Exec(first + "/SETTING.DB", {schema, "INSERT INTO CGR010 VALUES ('0001', 'a')"});
    const QByteArray cp932("\x83\x65\x83\x58\x83\x67.mp4"); // "テスト.mp4"
    const QString name = QString::fromUtf8("\u30c6\u30b9\u30c8.mp4");
    ASSERT_EQ(platform::LegacyCodePage::decode(cp932), name);
    const QByteArray movie("\x00\x00\x00\x18"
                           "ftypmp42",
                           12);
    WriteNativeFile(first + "/additionals/Orbanel/Movie", cp932, movie);

    ASSERT_EQ(Save(first, Path("a.crx")), CRX_OK);
    EXPECT_TRUE(StoredNames(Path("a.crx")).contains("additionals/Orbanel/Movie/" + cp932));
    const QString second = Folder("second");
    Open(Path("a.crx"), second);
    EXPECT_EQ(readFile(second + "/additionals/Orbanel/Movie/" + name), movie);
    ASSERT_EQ(Save(second, Path("b.crx")), CRX_OK);
    const QString third = Folder("third");
    Open(Path("b.crx"), third);
    EXPECT_EQ(QDir(third + "/additionals/Orbanel/Movie").entryList(QDir::Files), QStringList{name});
    EXPECT_EQ(readFile(third + "/additionals/Orbanel/Movie/" + name), movie);
}

} // namespace
