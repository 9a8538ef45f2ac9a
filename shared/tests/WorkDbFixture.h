#pragma once

#include "shared/config/CBasePath.h"
#include "shared/lang/CSarvikApp.h"

#include "shared/tests/SuiteFixture.h"

#include "stroven/Stroven.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <memory>

// A work database in the local data folder (where the library makes its
// temporary files) holding tables of the default schema, with the library's
// language texts loaded.
class WorkDbFixture : public testing::Test
{
protected:
    void CreateTables(const QStringList& tables)
    {
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n");
        m_local = CBasePath::GetLocalTemporaryPath();
        m_db = std::make_unique<CSQliteDB>(m_local);
        ASSERT_EQ(m_db->OpenDB(m_local + QStringLiteral("/SETTING.DB")), 0);
        ASSERT_TRUE(
            CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        QFile schema(KORVANE_SOURCE_DIR "/resources/schema/Schema.txt");
        ASSERT_TRUE(schema.open(QIODevice::ReadOnly));
        const QStringList statements = QString::fromUtf8(schema.readAll()).split(u';');
        for (const QString& table : tables) {
            const QRegularExpression create(QStringLiteral("CREATE TABLE %1 \\(").arg(table));
            bool found = false;
            for (const QString& statement : statements) {
                if (!statement.contains(create))
                    continue;
                CSQliteSQL sql(*m_db, QString());
                ASSERT_EQ(sql.ExecSQL(statement.mid(statement.indexOf(create))), 0)
                    << table.toStdString();
                found = true;
            }
            ASSERT_TRUE(found) << table.toStdString();
        }
    }

    void TearDown() override { CSarvikApp::Instance().ReleaseLangDatas(); }

    void Exec(const QString& text)
    {
        CSQliteSQL sql(*m_db, QString());
        ASSERT_EQ(sql.ExecSQL(text), 0) << text.toStdString();
    }

    QList<QStringList> Rows(const QString& table, const QStringList& columns,
                            const QString& orderBy = {})
    {
        CSQliteSQL sql(*m_db, table);
        EXPECT_EQ(sql.SetSQLForRead(columns, {}, orderBy, 0), 0);
        int status = 0;
        CSQRowArray* batch = sql.ExecReadNext(status);
        QList<QStringList> result;
        if (batch)
            for (const QStringList* row : std::as_const(*batch))
                result.append(*row);
        return result;
    }

    // Files in the local data folder other than the database.
    QStringList StrayFiles() const
    {
        QStringList files = QDir(m_local).entryList(QDir::Files);
        files.removeIf([](const QString& f) { return f.startsWith(QStringLiteral("SETTING.DB")); });
        return files;
    }

    SuiteFixture m_suite;
    QString m_local;
    std::unique_ptr<CSQliteDB> m_db;
};
