// The archive library's schema runner builds exactly the tables the sqlite3
// shell builds from the same default schema text.

#include "resources/tests/SchemaFixture.h"
#include "testsupport/TestFolders.h"

#include "archive/CCrxDirEnv.h"
#include "archive/CCrxSchemaEnv.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace korvane::test;

TEST(SchemaRunner, BuildsTheSameTablesAsTheSqliteShell)
{
    TestFolders folders;
    const QString base = folders.scratch() + QStringLiteral("/base");
    CCrxDirEnv env;
    ASSERT_EQ(env.Init(base), CRX_OK);
    ASSERT_TRUE(writeFile(env.UnpackedSettingSchema(), [] {
        QFile schema(schemaFile());
        return schema.open(QIODevice::ReadOnly) ? schema.readAll() : QByteArray();
    }()));

    CCrxSchemaEnv runner;
    ASSERT_EQ(runner.ApplySchemaFile(base, CRX_SCHEMA_SETTING), CRX_OK);

    const QString shellBuilt = folders.scratch() + QStringLiteral("/shell.db");
    ASSERT_TRUE(runSqlite(shellBuilt, QStringLiteral(".read '%1'\n").arg(schemaFile())));
    QString ours, theirs;
    ASSERT_TRUE(runSqlite(env.SettingDbPath(), QStringLiteral(".schema\n"), &ours));
    ASSERT_TRUE(runSqlite(shellBuilt, QStringLiteral(".schema\n"), &theirs));
    EXPECT_FALSE(ours.trimmed().isEmpty());
    EXPECT_EQ(ours.toStdString(), theirs.toStdString());
}
