#pragma once

#include "stroven/Stroven.h"
#include "testsupport/TestFolders.h"

#include <gtest/gtest.h>

#include <memory>

// A fresh database file in the test's own folder, with helpers that fail the
// test on the first error. Only through the database layer: a test program
// that includes it links Stroven.
class StrovenTestDb : public testing::Test
{
protected:
    void SetUp() override
    {
        m_db = std::make_unique<CSQliteDB>(m_folders.scratch());
        ASSERT_EQ(m_db->OpenDB(path()), 0);
    }

    QString path() const { return m_folders.scratch() + QStringLiteral("/TEST.DB"); }

    void exec(const QString& sql)
    {
        CSQliteSQL stmt(*m_db, QString());
        ASSERT_EQ(stmt.ExecSQL(sql), 0) << sql.toStdString();
    }

    // All rows of a query, in one batch.
    QList<QStringList> rows(const QString& table, const QStringList& columns = {},
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

    korvane::test::TestFolders m_folders;
    std::unique_ptr<CSQliteDB> m_db;
};
