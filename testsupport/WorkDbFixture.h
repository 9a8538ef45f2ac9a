#pragma once

// The one work-database fixture of the tests: a database file made from SQL
// in a folder of the test's own, read and written through the database
// layer; a failed statement fails the test. Header-only: a test program that
// includes it links Stroven.

#include "stroven/Stroven.h"
#include "testsupport/TestFolders.h"
#include "testsupport/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

namespace korvane::test {

// Runs SQL statements (one per entry) on a database file, creating it.
inline void ExecSql(const QString& db, const QStringList& statements)
{
    QDir().mkpath(QFileInfo(db).path());
    CSQliteDB connection;
    ASSERT_EQ(connection.OpenDB(db), 0);
    {
        CSQliteSQL sql(connection, QString());
        for (const QString& statement : statements)
            ASSERT_EQ(sql.ExecSQL(statement), 0) << statement.toStdString();
    }
    connection.CloseDB();
}

// The rows of a table, each as its values joined by "|", in key order.
inline QStringList JoinedRows(const QString& db, const QString& table,
                              const QStringList& columns = {})
{
    CSQliteDB connection;
    EXPECT_EQ(connection.OpenDB(db), 0);
    QStringList rows;
    {
        CSQliteSQL sql(connection, table);
        EXPECT_EQ(sql.SetSQLForRead(columns, QString(), QStringLiteral("1"), 0), 0);
        int status = 0;
        if (CSQRowArray* batch = sql.ExecReadNext(status))
            for (const QStringList* row : *batch)
                rows << row->join(QLatin1Char('|'));
    }
    connection.CloseDB();
    return rows;
}

// Runs the sqlite3 tool on a database; its standard output.
inline QByteArray Sqlite3(const QString& db, const QString& command)
{
    const ToolResult sqlite3 = RunTool(QStringLiteral("sqlite3"), {db, command});
    EXPECT_EQ(sqlite3.exitCode, 0) << sqlite3.err.toStdString();
    return sqlite3.out;
}

class WorkDbFixture : public testing::Test
{
protected:
    // A fresh database in the scratch folder; OpenDb opens another instead.
    void SetUp() override { OpenDb(m_folders.scratch() + QStringLiteral("/TEST.DB")); }

    void OpenDb(const QString& path)
    {
        m_db.reset();
        QDir().mkpath(QFileInfo(path).path());
        m_path = path;
        m_db = std::make_unique<CSQliteDB>(QFileInfo(path).path());
        ASSERT_EQ(m_db->OpenDB(path), 0) << path.toStdString();
    }
    QString DbPath() const { return m_path; }

    void Exec(const QString& sql)
    {
        CSQliteSQL stmt(*m_db, QString());
        ASSERT_EQ(stmt.ExecSQL(sql), 0) << sql.toStdString();
    }

    // Tables of the default schema, created as it declares them.
    void CreateTables(const QStringList& tables)
    {
        QFile schema(QStringLiteral(KORVANE_SOURCE_DIR "/resources/schema/Schema.txt"));
        ASSERT_TRUE(schema.open(QIODevice::ReadOnly));
        const QStringList statements = QString::fromUtf8(schema.readAll()).split(u';');
        for (const QString& table : tables) {
            const QRegularExpression create(QStringLiteral("CREATE TABLE %1 \\(").arg(table));
            bool found = false;
            for (const QString& statement : statements) {
                if (!statement.contains(create))
                    continue;
                Exec(statement.mid(statement.indexOf(create)));
                found = true;
            }
            ASSERT_TRUE(found) << table.toStdString();
        }
    }

    // All rows of a query, in one batch.
    QList<QStringList> Rows(const QString& table, const QStringList& columns = {},
                            const QString& where = {}, const QString& orderBy = {})
    {
        CSQliteSQL stmt(*m_db, table);
        EXPECT_EQ(stmt.SetSQLForRead(columns, where, orderBy, 0), 0);
        int status = 0;
        CSQRowArray* batch = stmt.ExecReadNext(status);
        EXPECT_EQ(status, SQLREAD_END);
        QList<QStringList> result;
        if (batch)
            for (const QStringList* row : std::as_const(*batch))
                result.append(*row);
        return result;
    }

    TestFolders m_folders;
    std::unique_ptr<CSQliteDB> m_db;

private:
    QString m_path;
};

} // namespace korvane::test
