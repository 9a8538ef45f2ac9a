#include "archive/CCrxSchemaEnv.h"

#include "archive/CrxDetail.h"

#include "archive/tests/CrxTestSupport.h"
#include "stroven/Stroven.h"
#include "testsupport/TestFolders.h"

#include <QDir>

#include <gtest/gtest.h>

using korvane::test::readFile;
using korvane::test::writeFile;

namespace {

QStringList Tables(const QString& dbPath)
{
    if (PathKind(dbPath) != CRX_PATH_FILE)
        return {"<no file>"};
    CSQliteDB db;
    EXPECT_EQ(db.OpenDB(dbPath), 0);
    int err = 0;
    const QStringList* list = db.GetTableList(err);
    QStringList tables = list ? *list : QStringList{};
    tables.sort();
    db.CloseDB();
    return tables;
}

void MakeDb(const QString& path, const QString& sql)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    CSQliteDB db;
    ASSERT_EQ(db.OpenDB(path), 0);
    CSQliteSQL stmt(db, QString());
    ASSERT_EQ(stmt.ExecSQL(sql), 0);
    db.CloseDB();
}

class CCrxSchemaEnvTest : public ::testing::Test
{
protected:
    korvane::test::TestFolders folders;
    QString base = folders.scratch() + "/work/base";
    QString resources = folders.scratch() + "/RESOURCE";
    crxtest::ScopedWait noWait;

    void SetUp() override
    {
        MakeDb(resources + "/SETTING.DB", "CREATE TABLE BLANK (X VARCHAR(1))");
        MakeDb(resources + "/QT6100/SETTING.DB", "CREATE TABLE MODEL (X VARCHAR(1))");
    }
    void Unpacked(const char* name, const QByteArray& text)
    {
        ASSERT_TRUE(writeFile(base + "/Quorvin/" + name, text));
    }
};

TEST_F(CCrxSchemaEnvTest, InitialDatabasesComeFromTheModelOrTheArchiveSchemas)
{
    // No schema in the archive: the model's template, no customer database.
    ASSERT_EQ(CCrxSchemaEnv::InitSettingDbFiles(base, resources, "QT6100"), 1);
    EXPECT_EQ(Tables(base + "/SETTING.DB"), QStringList{"MODEL"});
    EXPECT_EQ(PathKind(base + "/CUSTOMER.DB"), CRX_PATH_MISSING);

    // "Schema.txt" only: the blank template plus the schema.
    QDir(base).removeRecursively();
    Unpacked("Schema.txt",
             "CREATE TABLE CSB008 (CODE VARCHAR(4) PRIMARY KEY,\n NAME VARCHAR(20));\n"
             "CREATE INDEX IX1 ON CSB008 (NAME);\n");
    ASSERT_EQ(CCrxSchemaEnv::InitSettingDbFiles(base, resources, "QT6100"), 1);
    EXPECT_EQ(Tables(base + "/SETTING.DB"), (QStringList{"BLANK", "CSB008"}));
    EXPECT_EQ(PathKind(base + "/CUSTOMER.DB"), CRX_PATH_MISSING);
    EXPECT_EQ(readFile(base + "/Schema.txt"), readFile(base + "/Quorvin/Schema.txt"));

    // Both texts: the customer database too.
    QFile::remove(base + "/SETTING.DB");
    Unpacked("CUSTOMER.txt", "CREATE TABLE CUS001 (ID VARCHAR(8));\n");
    ASSERT_EQ(CCrxSchemaEnv::InitSettingDbFiles(base, resources, "QT6100"), 1);
    EXPECT_EQ(Tables(base + "/SETTING.DB"), (QStringList{"BLANK", "CSB008"}));
    EXPECT_EQ(Tables(base + "/CUSTOMER.DB"), (QStringList{"BLANK", "CUS001"}));
    EXPECT_EQ(readFile(base + "/CUSTOMER.txt"), "CREATE TABLE CUS001 (ID VARCHAR(8));\n");
}

TEST_F(CCrxSchemaEnvTest, InitFailsWithoutItsTemplatesOrOnABadSchema)
{
    EXPECT_EQ(CCrxSchemaEnv::InitSettingDbFiles(base, resources, "NOMODEL"), 0);
    EXPECT_EQ(CCrxSchemaEnv::InitSettingDbFiles(base, resources, ""), 0);
    EXPECT_EQ(CCrxSchemaEnv::InitSettingDbFiles("relative", resources, "QT6100"), 0);
    Unpacked("Schema.txt", "CREATE TABLE A (X);\nATTACH 'x.db' AS x;\n");
    EXPECT_EQ(CCrxSchemaEnv::InitSettingDbFiles(base, resources, "QT6100"), 0);
    EXPECT_EQ(CCrxSchemaEnv::InitSettingDbFiles(base, folders.scratch() + "/none", "QT6100"), 0);
}

TEST_F(CCrxSchemaEnvTest, AFailingStatementFailsTheRunAndLeavesTheDatabaseAsItWas)
{
    MakeDb(base + "/SETTING.DB", "CREATE TABLE KEEP (X)");
    Unpacked("Schema.txt", "CREATE TABLE A (X);\nCREATE TABLE KEEP (Y);\nCREATE TABLE C (X);\n");
    CCrxSchemaEnv env;
    EXPECT_EQ(env.ApplySchemaFile(base, CRX_SCHEMA_SETTING), CRX_E_FILE_ACCESS);
    EXPECT_EQ(Tables(base + "/SETTING.DB"), QStringList{"KEEP"});
}

TEST_F(CCrxSchemaEnvTest, ANulInTheSchemaFailsTheRunInsteadOfHanging)
{
    MakeDb(base + "/SETTING.DB", "CREATE TABLE KEEP (X)");
    Unpacked("Schema.txt", QByteArray("CREATE TABLE A (X);\0CREATE TABLE B (X);\n", 40));
    CCrxSchemaEnv env;
    EXPECT_EQ(env.ApplySchemaFile(base, CRX_SCHEMA_SETTING), CRX_E_FILE_ACCESS);
    EXPECT_EQ(Tables(base + "/SETTING.DB"), QStringList{"KEEP"});
}

// Each refused statement is named by its first line: the caller shows it.
TEST_F(CCrxSchemaEnvTest, OnlyTablesIndexesAndViewsMayBeCreated)
{
    const QString outside = folders.scratch() + "/stolen.db";
    for (const QString& sql :
         {"ATTACH '" + outside + "' AS x;", "VACUUM INTO '" + outside + "';",
          QString("DROP TABLE KEEP;"), QString("INSERT INTO KEEP VALUES (1);"),
          QString("CREATE TRIGGER T AFTER INSERT ON KEEP\nBEGIN DELETE FROM KEEP; END;"),
          QString("CREATE TEMP TABLE T (X);"), QString("CREATE TEMP VIEW V AS SELECT 1;"),
          QString("CREATE TABLE C AS SELECT * FROM KEEP;"), QString("EXPLAIN CREATE TABLE E (X);"),
          QString("ROLLBACK;"), QString("SAVEPOINT S;"), QString("DETACH x;"),
          // Archives name blob files after their tables.
          QString("CREATE TABLE \"../../outside/pwn\" (X);"), QString("CREATE TABLE \"a\\b\" (X);"),
          QString("CREATE TABLE \"..\" (X);"), QString("CREATE TABLE \".\" (X);")}) {
        MakeDb(base + "/SETTING.DB", "CREATE TABLE IF NOT EXISTS KEEP (X)");
        Unpacked("Schema.txt", "-- refused\nCREATE TABLE FIRST (X);\n\n-- here\n" + sql.toUtf8());
        CCrxSchemaEnv env;
        CrxResetDetail();
        EXPECT_EQ(env.ApplySchemaFile(base, CRX_SCHEMA_SETTING), CRX_E_FILE_ACCESS)
            << sql.toStdString();
        EXPECT_EQ(CrxLastDetail().statement, sql.section('\n', 0, 0));
        EXPECT_EQ(Tables(base + "/SETTING.DB"), QStringList{"KEEP"}) << sql.toStdString();
        EXPECT_EQ(PathKind(outside), CRX_PATH_MISSING) << sql.toStdString();
    }
}

// What harmless schema texts hold (a dump of the sqlite3 shell: PRAGMA,
// BEGIN TRANSACTION, COMMIT; views) builds the tables instead of refusing
// the archive.
TEST_F(CCrxSchemaEnvTest, TransactionControlAndPragmasArePassedOverAndViewsApplied)
{
    MakeDb(base + "/SETTING.DB", "CREATE TABLE KEEP (X)");
    Unpacked("Schema.txt", "PRAGMA foreign_keys=OFF;\nPRAGMA writable_schema = 1;\n"
                           "BEGIN TRANSACTION;\nCREATE TABLE A (X VARCHAR(4));\n"
                           "CREATE INDEX IA ON A (lower(X));\n"
                           "CREATE VIEW VA AS SELECT upper(A.X) AS U FROM A JOIN KEEP;\n"
                           "COMMIT;\nBEGIN;\nCREATE TABLE B (Y);\nEND;\n");
    CCrxSchemaEnv env;
    ASSERT_EQ(env.ApplySchemaFile(base, CRX_SCHEMA_SETTING), CRX_OK);
    EXPECT_EQ(Tables(base + "/SETTING.DB"), (QStringList{"A", "B", "KEEP"}));
    CSQliteDB db;
    ASSERT_EQ(db.OpenDB(base + "/SETTING.DB"), 0);
    CSQliteSQL sql(db, "VA");
    EXPECT_EQ(sql.SetSQLForRead({"U"}, QString(), QString(), 0), 0) << "the view exists";
}

TEST_F(CCrxSchemaEnvTest, StatementsEndWhereSqliteSaysTheyAreComplete)
{
    // ";" inside a literal, a quoted name and a comment cuts nothing; two
    // statements on one line both run; text after the last ";" never runs.
    Unpacked("Schema.txt", "-- settings; version 2\r\n"
                           "CREATE TABLE \"T;1\" (A VARCHAR(4) DEFAULT ';',\r\n"
                           "  B INTEGER); CREATE TABLE T2 (X);\r\n"
                           "/* a; b */ CREATE UNIQUE INDEX I2 ON T2 (X);\r\n"
                           "CREATE TABLE NEVER (X)");
    CCrxSchemaEnv env;
    ASSERT_EQ(env.ApplySchemaFile(base, CRX_SCHEMA_SETTING), CRX_OK);
    EXPECT_EQ(Tables(base + "/SETTING.DB"), (QStringList{"T2", "T;1"}));
}

TEST_F(CCrxSchemaEnvTest, SchemaFilesAreFoundAndCarriedOn)
{
    CCrxSchemaEnv env;
    EXPECT_EQ(env.HasSchemaFile(base, CRX_SCHEMA_SETTING), 0);
    EXPECT_EQ(env.HasSchemaFile(QString(), CRX_SCHEMA_SETTING), 0);
    // No unpacked text: nothing to run, nothing opened.
    EXPECT_EQ(env.ApplySchemaFile(base, CRX_SCHEMA_CUSTOMER), CRX_OK);
    EXPECT_EQ(PathKind(base + "/CUSTOMER.DB"), CRX_PATH_MISSING);

    QDir().mkpath(base + "/Quorvin");
    EXPECT_EQ(env.CopySchemaFile(base, CRX_SCHEMA_CUSTOMER), CRX_OK); // none in the base folder
    ASSERT_TRUE(writeFile(base + "/CUSTOMER.txt", "CREATE TABLE C (X);"));
    EXPECT_EQ(env.CopySchemaFile(base, CRX_SCHEMA_CUSTOMER), CRX_OK);
    EXPECT_EQ(readFile(base + "/Quorvin/CUSTOMER.txt"), "CREATE TABLE C (X);");
    EXPECT_EQ(env.HasSchemaFile(base, CRX_SCHEMA_CUSTOMER), 1);
    EXPECT_EQ(env.CopySchemaFile(QString(), CRX_SCHEMA_CUSTOMER), CRX_E_EMPTY_PATH);
    QDir(base + "/Quorvin").removeRecursively();
    EXPECT_EQ(env.CopySchemaFile(base, CRX_SCHEMA_CUSTOMER), CRX_E_SCHEMA_COPY);
}

} // namespace
