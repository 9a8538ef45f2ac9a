#pragma once

#include "shared/config/CBasePath.h"
#include "shared/lang/CSarvikApp.h"
#include "testsupport/SuiteFixture.h"

#include "testsupport/WorkDbFixture.h"

#include <QDir>

// The work database of the library's tests: the one fixture's database in
// the local data folder of a suite folder (where the library makes its
// temporary files), with the library's language texts loaded.
class WorkDbFixture : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override {}

    void CreateTables(const QStringList& tables)
    {
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n");
        m_local = CBasePath::GetLocalTemporaryPath();
        OpenDb(m_local + QStringLiteral("/SETTING.DB"));
        ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        korvane::test::WorkDbFixture::CreateTables(tables);
    }

    void TearDown() override { CSarvikApp::Instance().ReleaseLangDatas(); }

    QList<QStringList> Rows(const QString& table, const QStringList& columns,
                            const QString& orderBy = {})
    {
        return korvane::test::WorkDbFixture::Rows(table, columns, {}, orderBy);
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
};
