#pragma once

#include "shared/config/CBasePath.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/SuiteFixture.h"
#include "testsupport/WorkDbFixture.h"

#include <QFile>
#include <QRegularExpression>

// The work database of the goods tests: every table of the default schema in
// "SETTING.DB" of the local data folder of a suite folder, with the goods
// program's language texts and the library's.
class GoodsDbFixture : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override
    {
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n");
        m_local = CBasePath::GetLocalTemporaryPath();
        OpenDb(m_local + QStringLiteral("/SETTING.DB"));
        QFile schema(KORVANE_SOURCE_DIR "/resources/schema/Schema.txt");
        ASSERT_TRUE(schema.open(QIODevice::ReadOnly));
        static const QRegularExpression create(QStringLiteral("CREATE TABLE (\\w+) \\("));
        QStringList tables;
        for (const auto& m : create.globalMatch(QString::fromUtf8(schema.readAll())))
            tables << m.captured(1);
        // One transaction: a file sync per table would make every test slow.
        Exec(QStringLiteral("BEGIN"));
        CreateTables(tables);
        Exec(QStringLiteral("COMMIT"));
        ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        ASSERT_TRUE(CProgramLang::Initialize(QStringLiteral("Brelkin"),
                                             KORVANE_SUITE_DIR "/NolvarLANG.xml"));
    }
    void TearDown() override
    {
        CProgramLang::Release();
        CSarvikApp::Instance().ReleaseLangDatas();
    }

    // One value of a row as stored ("<null>" for NULL).
    QString Value(const QString& table, const QString& column, const QString& where)
    {
        const QList<QStringList> rows =
            Rows(table, {QStringLiteral("IFNULL(%1, '<null>')").arg(column)}, where);
        return rows.isEmpty() ? QStringLiteral("<no row>") : rows.first().value(0);
    }

    SuiteFixture m_suite;
    QString m_local;
    korvane::test::LayoutWatch m_layout; // every window shown keeps the layout rules
};
