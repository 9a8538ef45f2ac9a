#include "testsupport/WorkDbFixture.h"

#include <QDir>
#include <QFile>

using korvane::test::writeFile;

TEST(CSQliteDBOpen, MissingFileGivesEmptyWritableDatabase)
{
    korvane::test::TestFolders folders;
    const QString path = folders.scratch() + QStringLiteral("/NEW.DB");
    ASSERT_FALSE(QFile::exists(path));
    CSQliteDB db;
    ASSERT_EQ(db.OpenDB(path), 0);
    int err = -1;
    const QStringList* tables = db.GetTableList(err);
    ASSERT_NE(tables, nullptr);
    EXPECT_EQ(err, 0);
    EXPECT_TRUE(tables->isEmpty());

    CSQliteSQL stmt(db, QStringLiteral("T"));
    EXPECT_EQ(stmt.ExecSQL(QStringLiteral("CREATE TABLE T (A VARCHAR(4))")), 0);
    EXPECT_EQ(stmt.ExecSQL(QStringLiteral("INSERT INTO T VALUES ('0001')")), 0);
    EXPECT_EQ(db.CloseDB(), 0);
    EXPECT_EQ(db.CloseDB(), 0); // harmless twice
    EXPECT_TRUE(QFile::exists(path));
}

TEST(CSQliteDBOpen, FailuresAreReported)
{
    korvane::test::TestFolders folders;
    const QString notDb = folders.scratch() + QStringLiteral("/NOTADB.DB");
    ASSERT_TRUE(writeFile(notDb, QByteArray(4096, 'x')));

    for (const QString& path :
         {notDb, folders.scratch() + QStringLiteral("/no/such/folder/X.DB"), QString()}) {
        CSQliteDB db;
        EXPECT_NE(db.OpenDB(path), 0) << path.toStdString();
        EXPECT_EQ(db.Handle(), nullptr);
        EXPECT_EQ(db.CloseDB(), 0);
    }
    // The refused file is left as it was.
    EXPECT_EQ(korvane::test::readFile(notDb), QByteArray(4096, 'x'));
}

TEST(CSQliteDBOpen, StatementsOnClosedConnectionFail)
{
    CSQliteDB db;
    CSQliteSQL stmt(db, QStringLiteral("T"));
    EXPECT_EQ(stmt.ExecSQL(QStringLiteral("SELECT 1")), SQLERR_NOT_OPEN);
    EXPECT_EQ(stmt.SetSQLForRead({}, {}, {}, 0), SQLERR_NOT_OPEN);
    EXPECT_EQ(stmt.StartTransaction(), SQLERR_NOT_OPEN);
    int status = 0;
    EXPECT_EQ(stmt.ExecReadNext(status), nullptr);
    EXPECT_NE(status, 0);
    int err = 0;
    EXPECT_NE(db.GetTableList(err), nullptr);
    EXPECT_EQ(err, SQLERR_NOT_OPEN);
}

using CSQliteDBTables = korvane::test::WorkDbFixture;

TEST_F(CSQliteDBTables, ListLeavesOutSQLiteTables)
{
    Exec(QStringLiteral("CREATE TABLE CSB002 (A INTEGER PRIMARY KEY AUTOINCREMENT, B TEXT)"));
    Exec(QStringLiteral("CREATE TABLE sqliteX (A)")); // only the "sqlite_" prefix is SQLite's
    Exec(QStringLiteral("CREATE TABLE CIA001 (A)"));
    Exec(QStringLiteral("CREATE INDEX IX ON CIA001 (A)"));
    Exec(QStringLiteral("INSERT INTO CSB002 (B) VALUES ('x')")); // fills sqlite_sequence
    Exec(QStringLiteral("ANALYZE"));                             // makes sqlite_stat1
    int err = -1;
    const QStringList* tables = m_db->GetTableList(err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(*tables, (QStringList{"CSB002", "sqliteX", "CIA001"}));
}

TEST_F(CSQliteDBTables, BlobNamesResolveAgainstTheFolder)
{
    const QString folder = m_folders.scratch();
    EXPECT_EQ(m_db->ResolveBlobPath(QStringLiteral("A.BIN")), folder + "/A.BIN");
    EXPECT_EQ(m_db->ResolveBlobPath(QStringLiteral("BTNIMG/A.PNG")), folder + "/BTNIMG/A.PNG");
    EXPECT_EQ(m_db->ResolveBlobPath(QStringLiteral("/abs/A.BIN")), QStringLiteral("/abs/A.BIN"));
    EXPECT_EQ(m_db->ResolveBlobPath(QString()), QString());

    // Without a folder of its own, the connection uses the database's folder.
    QDir().mkpath(folder + "/sub");
    CSQliteDB db;
    ASSERT_EQ(db.OpenDB(folder + "/sub/X.DB"), 0);
    EXPECT_EQ(db.ResolveBlobPath(QStringLiteral("A.BIN")), folder + "/sub/A.BIN");
}
