#include "archive/tests/CrxImportFixture.h"
#include "archive/tests/CrxTableFill.h"
#include "archive/QuorvinExport.h"

#include <gtest/gtest.h>

using korvane::test::writeFile;

namespace {

// Open, save, open again: nothing an archive carries may change on the way.
class CrxRoundTripTest : public crxtest::ImportFixture
{
protected:
    QString Folder(const QString& name) const { return Path(name); }

    CrxResult Save(const QString& base, const QString& archive)
    {
        return CrxExport(base, archive, nullptr, 1, QString(), nullptr, nullptr, nullptr,
                         "LUMO500", "1.00", QString(), "STD", QString(), 0, 0, 1, 1, 1, 1, 1, 0);
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
                                    &info.crxVersion, &info.regVersion, &info.system,
                                    &info.package, &info.regVersionFlags, &info.packageFlags,
                                    nullptr),
                  CRX_OK);
    }
};

TEST_F(CrxRoundTripTest, OpenSaveOpenKeepsBothDatabasesEqual)
{
    const QString first = Folder("first");
    const QString schema = QStringLiteral(KORVANE_SOURCE_DIR "/resources/schema/Schema.txt");
    const QByteArray customerSchema =
        "CREATE TABLE CCU001 (\nCUSTNO VARCHAR(8) NOT NULL,\nNAME VARCHAR(40),\nPOINTS NUMERIC(8,2),\n"
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

} // namespace
