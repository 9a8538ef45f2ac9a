// The default schema text: what the schema runner executes, and the column
// types, keys and time stamps every program relies on.

#include "resources/tests/SchemaFixture.h"
#include "stroven/CSQSchemaScript.h"
#include "stroven/Stroven.h"
#include "testsupport/TestFolders.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace korvane::test;

namespace {

// The statement without the comment lines in front of it.
QString withoutLeadingComments(const QString& statement, QStringList* comments = nullptr)
{
    QStringList lines = statement.split(QLatin1Char('\n'));
    while (!lines.isEmpty()) {
        const QString line = lines.first().trimmed();
        if (line.startsWith(QLatin1String("--"))) {
            if (comments)
                comments->append(line);
        } else if (!line.isEmpty()) {
            break;
        }
        lines.removeFirst();
    }
    return lines.join(QLatin1Char('\n'));
}

class SchemaText : public ::testing::Test
{
protected:
    TestFolders folders;
    QString database = folders.scratch() + QStringLiteral("/SETTING.DB");

    QString script(bool withSeeds) const
    {
        QString sql = QStringLiteral(".read '%1'\n").arg(schemaFile());
        if (withSeeds) {
            for (const QString& seed : seedFiles())
                sql += QStringLiteral(".read '%1'\n").arg(seed);
        }
        return sql;
    }
};

} // namespace

// A ';' inside a comment would cut a statement in two: the runner then
// stops at the broken half and every later table is missing.
TEST_F(SchemaText, EveryStatementIsACommentedCreateTable)
{
    const QString customer = schemaFolder() + QStringLiteral("/CUSTOMER.txt");
    QStringList statements;
    for (const QString& file : {schemaFile(), customer}) {
        ASSERT_TRUE(QFileInfo(file).isFile()) << file.toStdString();
        QString rest;
        statements << schemaStatements(file, &rest);
        EXPECT_TRUE(withoutLeadingComments(rest).trimmed().isEmpty())
            << "text after the last ';' is never run: " << rest.toStdString();
    }
    ASSERT_FALSE(statements.isEmpty());
    for (const QString& statement : statements) {
        QStringList comments;
        const QString body = withoutLeadingComments(statement, &comments);
        EXPECT_TRUE(body.startsWith(QLatin1String("CREATE TABLE "))) << body.toStdString();
        EXPECT_FALSE(comments.isEmpty()) << "no comment above: " << body.toStdString();
    }
}

TEST_F(SchemaText, ColumnTypesKeysAndTimeStamps)
{
    QString error;
    ASSERT_TRUE(runSqlite(database, script(false), nullptr, &error)) << error.toStdString();
    const auto tables = readColumns(database);
    EXPECT_EQ(tables.size(), schemaStatements(schemaFile()).size());

    // The three types the database layer and the shadow tables of a
    // difference save know; anything else would lose its width.
    const QRegularExpression type(
        QStringLiteral("^(VARCHAR\\(\\d+\\)|NUMERIC\\(\\d+,\\d+\\)|BLOB)$"));
    const QRegularExpression code(QStringLiteral("^C[A-Z]{2}\\d{3}$"));
    for (auto it = tables.cbegin(); it != tables.cend(); ++it) {
        const std::string table = it.key().toStdString();
        EXPECT_TRUE(code.match(it.key()).hasMatch()) << table;
        const QList<SchemaColumn>& columns = it.value();
        int keys = 0;
        for (const SchemaColumn& column : columns) {
            EXPECT_TRUE(type.match(column.type).hasMatch())
                << table << "." << column.name.toStdString() << " " << column.type.toStdString();
            if (column.key) {
                ++keys;
                EXPECT_TRUE(column.notNull) << table << "." << column.name.toStdString();
            }
        }
        // A difference save builds its shadow tables with this key.
        EXPECT_GT(keys, 0) << table << " has no primary key";

        QStringList names;
        for (const SchemaColumn& column : columns)
            names << column.name;
        const qsizetype created = names.indexOf(QStringLiteral("CREATEDATETIME"));
        const qsizetype updated = names.indexOf(QStringLiteral("UPDATEDATETIME"));
        if (created >= 0 || updated >= 0) {
            EXPECT_EQ(created, names.size() - 2) << table;
            EXPECT_EQ(updated, names.size() - 1) << table;
        }
    }
}

TEST_F(SchemaText, SeedsApplyAndNameEveryTable)
{
    QString error;
    ASSERT_TRUE(runSqlite(database, script(true), nullptr, &error)) << error.toStdString();
    QString out;
    ASSERT_TRUE(
        runSqlite(database,
                  QStringLiteral("SELECT m.name FROM sqlite_master m WHERE m.type = 'table' "
                                 "AND NOT EXISTS (SELECT 1 FROM CTT001 t WHERE "
                                 "t.TABLENAME = m.name AND t.DISPNAME <> '');\n"),
                  &out));
    EXPECT_EQ(out.trimmed().toStdString(), "") << "tables without a display name";
}

// The archive format ends a statement at every ';', comments included, and
// the register's reader keeps to it (ours splits more cleverly and would hide
// a ';' in a comment): every schema text the suite ships, its own and the
// copies in the demo archive, split that way builds all its tables.
TEST_F(SchemaText, EachShippedTextRunsSplitAtEverySemicolon)
{
    const QString sample = QStringLiteral(KORVANE_SOURCE_DIR "/resources/samples/sample.crx");
    const auto member = [&sample](const char* name) {
        QProcess tar;
        tar.start(QStringLiteral("tar"), {QStringLiteral("-xjOf"), sample, QLatin1String(name)});
        tar.waitForFinished();
        return tar.readAllStandardOutput();
    };
    const struct
    {
        const char* name;
        QByteArray text;
    } texts[] = {
        {"Schema.txt", readFile(schemaFile())},
        {"CUSTOMER.txt", readFile(schemaFolder() + QStringLiteral("/CUSTOMER.txt"))},
        {"Schema.txt of the demo archive", member("Schema.txt")},
        {"CUSTOMER.txt of the demo archive", member("CUSTOMER.txt")},
    };
    int n = 0;
    for (const auto& [name, text] : texts) {
        SCOPED_TRACE(name);
        ASSERT_FALSE(text.isEmpty());
        const QString schema = QString::fromUtf8(text);
        CSQliteDB db;
        ASSERT_EQ(db.OpenDB(folders.scratch() + QStringLiteral("/split%1.db").arg(++n)), 0);
        QStringList pieces = schema.split(QLatin1Char(';'));
        pieces.removeLast(); // what follows the last ';' is no statement
        for (const QString& piece : std::as_const(pieces)) {
            CSQliteSQL sql(db, QString());
            EXPECT_EQ(sql.ExecSQL(piece), 0) << piece.toStdString();
        }
        int err = 0;
        const QStringList* tables = db.GetTableList(err);
        ASSERT_TRUE(tables) << err;
        EXPECT_EQ(tables->size(), CSQSchemaScript::Split(schema).size());
    }
}
