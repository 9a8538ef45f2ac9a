// The template databases the build makes from the SQL texts.

#include "SchemaFixture.h"
#include "TestFolders.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace korvane::test;

#ifdef KORVANE_HAS_TEMPLATES

namespace {

QString resourceFolder()
{
    return QStringLiteral(KORVANE_SUITE_DIR "/RESOURCE");
}

QString schemaOf(const QString& database)
{
    QString out;
    EXPECT_TRUE(runSqlite(database, QStringLiteral(".schema\n"), &out));
    return out;
}

} // namespace

TEST(Templates, ModelTemplateHasExactlyTheSchemaTextsTables)
{
    TestFolders folders;
    const QString fresh = folders.scratch() + QStringLiteral("/fresh.db");
    ASSERT_TRUE(runSqlite(fresh, QStringLiteral(".read '%1'\n").arg(schemaFile())));
    const QString model = resourceFolder() + QStringLiteral("/" KORVANE_MODEL_FOLDER "/SETTING.DB");
    ASSERT_TRUE(QFileInfo(model).isFile()) << model.toStdString();
    EXPECT_EQ(schemaOf(model).toStdString(), schemaOf(fresh).toStdString());

    // The seed rows are there too.
    QString out;
    ASSERT_TRUE(runSqlite(model, QStringLiteral("SELECT count(*) FROM CTT001;\n"), &out));
    EXPECT_EQ(out.trimmed().toInt(), readColumns(fresh).size());
}

TEST(Templates, BlankTemplateIsADatabaseWithoutTables)
{
    const QString blank = resourceFolder() + QStringLiteral("/SETTING.DB");
    ASSERT_TRUE(QFileInfo(blank).isFile()) << blank.toStdString();
    // A real database file, not an empty one that only opens by chance.
    EXPECT_GT(QFileInfo(blank).size(), 0);
    QString out;
    ASSERT_TRUE(runSqlite(blank, QStringLiteral("PRAGMA integrity_check;\n"), &out));
    EXPECT_EQ(out.trimmed().toStdString(), "ok");
    EXPECT_EQ(schemaOf(blank).trimmed().toStdString(), "");
}

#else

TEST(Templates, NotBuiltWithoutTheDatabaseLayer)
{
    GTEST_SKIP() << "the template databases are made with the database layer, "
                    "which this build does not have";
}

#endif
