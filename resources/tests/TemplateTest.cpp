// The template databases the build makes from the SQL texts.

#include "resources/tests/SchemaFixture.h"
#include "testsupport/TestFolders.h"

#include <QFile>
#include <QFileInfo>

#include "stroven/Stroven.h"

#include <gtest/gtest.h>

using namespace korvane::test;

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

    // No rows: opening an archive fills the template, and a row of its own
    // would collide with the archive's (the seed rows travel in the model's
    // default archives).
    QString out;
    ASSERT_TRUE(runSqlite(model, QStringLiteral("SELECT count(*) FROM CTT001;\n"), &out));
    EXPECT_EQ(out.trimmed().toInt(), 0);
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

// What the programs see through the database layer: every column has one of
// its three types with a width, the keys are flagged, and a zero-padded code
// written through a keyed insert reads back unchanged.
TEST(Templates, DatabaseLayerSeesTypesKeysAndCodes)
{
    TestFolders folders;
    const QString copy = folders.scratch() + QStringLiteral("/SETTING.DB");
    ASSERT_TRUE(QFile::copy(
        resourceFolder() + QStringLiteral("/" KORVANE_MODEL_FOLDER "/SETTING.DB"), copy));
    const auto expected = readColumns(copy);
    ASSERT_FALSE(expected.isEmpty());

    CSQliteDB db(folders.scratch());
    ASSERT_EQ(db.OpenDB(copy), 0);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        const std::string table = it.key().toStdString();
        CSQliteSQL sql(db, it.key());
        int err = 0;
        const CSQTableInfoArray* info = sql.GetTableInfo(err);
        ASSERT_EQ(err, 0) << table;
        ASSERT_NE(info, nullptr) << table;
        ASSERT_EQ(info->size(), it.value().size()) << table;

        QStringList keys, keyValues, columns, values;
        for (int i = 0; i < info->size(); ++i) {
            const CSQTableInfo& column = info->at(i);
            const SchemaColumn& declared = it.value().at(i);
            const std::string name = table + "." + column.m_strName.toStdString();
            EXPECT_EQ(column.m_nPrimaryKey == 1, declared.key) << name;
            if (declared.type == QLatin1String("BLOB")) {
                EXPECT_EQ(column.m_nType, SQLTYPE_BLOB) << name;
                continue;
            }
            EXPECT_GT(column.m_nSize, 0) << name;
            const bool text = declared.type.startsWith(QLatin1String("VARCHAR"));
            EXPECT_EQ(column.m_nType, text ? SQLTYPE_VARCHAR : SQLTYPE_NUMERIC) << name;
            const QString value = text ? QStringLiteral("000123") : QStringLiteral("7");
            if (declared.key) {
                keys << column.m_strName;
                keyValues << value;
            } else {
                columns << column.m_strName;
                values << value;
            }
        }
        ASSERT_EQ(sql.SetSQLForWrite(keys, columns, {}), 0) << table;
        ASSERT_EQ(sql.ExecWrite(keyValues, values, {}, SQLWRITE_INSERT), 0) << table;

        // Seed rows may be there already: read the row just written.
        CSQliteSQL read(db, it.key());
        ASSERT_EQ(read.SetSQLForRead(keys + columns, keys.first() + QStringLiteral(" = ?"), {}, 0),
                  0)
            << table;
        ASSERT_EQ(read.SetParamsForRead({keyValues.first()}), 0) << table;
        int status = 0;
        const CSQRowArray* rows = read.ExecReadNext(status);
        ASSERT_NE(rows, nullptr) << table;
        ASSERT_EQ(rows->size(), 1) << table;
        EXPECT_EQ(*rows->first(), keyValues + values) << table;
    }
    db.CloseDB();
}
