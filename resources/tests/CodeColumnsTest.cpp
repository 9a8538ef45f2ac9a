// Zero-padded codes must survive a round trip through every text column:
// a column with numeric affinity would turn "000123" into 123.

#include "resources/tests/SchemaFixture.h"
#include "testsupport/TestFolders.h"

#include <gtest/gtest.h>

using namespace korvane::test;

TEST(CodeColumns, ZeroPaddedCodeReadsBackInEveryTextColumn)
{
    TestFolders folders;
    const QString database = folders.scratch() + QStringLiteral("/SETTING.DB");
    QString error;
    ASSERT_TRUE(
        runSqlite(database, QStringLiteral(".read '%1'\n").arg(schemaFile()), nullptr, &error))
        << error.toStdString();
    const auto tables = readColumns(database);
    ASSERT_FALSE(tables.isEmpty());

    QString sql;
    for (auto it = tables.cbegin(); it != tables.cend(); ++it) {
        QStringList names, values, textColumns;
        for (const SchemaColumn& column : it.value()) {
            names << column.name;
            if (column.type.startsWith(QLatin1String("VARCHAR"))) {
                values << QStringLiteral("'000123'");
                textColumns << QStringLiteral("'%1=' || typeof(%1) || ':' || %1").arg(column.name);
            } else if (column.type.startsWith(QLatin1String("NUMERIC"))) {
                values << QStringLiteral("'7'");
            } else {
                values << QStringLiteral("NULL");
            }
        }
        sql += QStringLiteral("INSERT INTO %1 (%2) VALUES (%3);\n")
                   .arg(it.key(), names.join(QLatin1Char(',')), values.join(QLatin1Char(',')));
        sql += QStringLiteral("SELECT '%1', %2 FROM %1;\n")
                   .arg(it.key(), textColumns.join(QLatin1Char(',')));
    }
    QString out;
    ASSERT_TRUE(runSqlite(database, sql, &out, &error)) << error.toStdString();

    const QStringList rows = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(rows.size(), tables.size());
    for (const QString& row : rows) {
        QStringList values = row.split(QLatin1Char('|'));
        const QString table = values.takeFirst();
        for (const QString& value : values) {
            const QString column = value.section(QLatin1Char('='), 0, 0);
            EXPECT_EQ(value.section(QLatin1Char('='), 1).toStdString(), "text:000123")
                << table.toStdString() << "." << column.toStdString();
        }
    }
}
