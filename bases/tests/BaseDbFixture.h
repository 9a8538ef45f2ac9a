#pragma once

#include "bases/CDunmarelApp.h"
#include "bases/CDunmarelModeTable.h"
#include "bases/CTabDlg.h"
#include "bases/tests/SeedRows.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CColumnDataList.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "testsupport/FixedClock.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/ModalDriver.h"
#include "testsupport/SuiteFixture.h"
#include "testsupport/WorkDbFixture.h"

#include <QFile>
#include <QRegularExpression>

#include <memory>

// The work database of the base program's tests: its key/value tables, the
// scheduler's job commands, the setting descriptions, the print forms and graphics in "SETTING.DB"
// of a suite folder's local data folder, filled with the seed rows, the base program's language
// texts and a fixed clock.
class BaseDbFixture : public korvane::test::WorkDbFixture
{
protected:
    static constexpr const char* kNow = "20250102030405";

    void SetUp() override
    {
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n");
        OpenDb(CBasePath::GetLocalTemporaryPath() + QStringLiteral("/SETTING.DB"));
        Exec(QStringLiteral("BEGIN"));
        CreateTables({"CSB001", "CSB002", "CSB003", "CSB007", "CSM001", "CTS001", "CTS002",
                      "CSM014", "CSM016", "CSM017", "CSM012", "CSB008"});
        const QStringList inserts = BaseSeedInserts();
        ASSERT_FALSE(inserts.isEmpty());
        for (const QString& insert : inserts)
            Exec(insert);
        Exec(QStringLiteral("COMMIT"));
        ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        ASSERT_TRUE(CProgramLang::Initialize(QStringLiteral("Dunmarel"),
                                             KORVANE_SUITE_DIR "/NolvarLANG.xml"));
    }
    void TearDown() override
    {
        m_modes.reset();
        CProgramLang::Release();
        CSarvikApp::Instance().ReleaseLangDatas();
    }

    // Opens the mode's manager on the work database and reads its record.
    CDataManager* OpenMode(int mode)
    {
        m_modes = std::make_unique<dunmarel::CDunmarelModeTable>();
        CDataManager* entry = m_modes->Entry(mode);
        int err = 0;
        EXPECT_TRUE(entry->CreateSQLiteDB(CBasePath::GetLocalTemporaryPath()));
        EXPECT_TRUE(entry->OpenSQLiteDB(QStringLiteral("\\SETTING.DB"), err)) << err;
        EXPECT_TRUE(entry->GetColumnDataList()->ReadRecords(err, QString())) << err;
        return entry;
    }

    // The program's start-up in this process on the work database, with the
    // launcher INI given; act runs on its tab dialog (and must end it).
    int RunProgram(const QString& option, const QByteArray& ini,
                   const std::function<void(dunmarel::CTabDlg&)>& act)
    {
        m_suite.writeIni(ini);
        QFile::copy(KORVANE_SUITE_DIR "/NolvarLANG.xml",
                    m_suite.programFolder() + QStringLiteral("/NolvarLANG.xml"));
        CProgramLang::Release();
        korvane::test::WhenModal<dunmarel::CTabDlg>(act);
        // A lock folder of its own: test programs running beside this one
        // start the base program too.
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", m_suite.folders().scratch().toLocal8Bit());
        dunmarel::CDunmarelApp app;
        const int result = app.InitInstance({option});
        if (runtime.isEmpty())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", runtime);
        return result;
    }

    // One value of a row as stored ("<no row>" when there is none).
    QString Value(const QString& table, const QString& column, const QString& where)
    {
        const QList<QStringList> rows =
            Rows(table, {QStringLiteral("IFNULL(%1, '<null>')").arg(column)}, where);
        return rows.isEmpty() ? QStringLiteral("<no row>") : rows.first().value(0);
    }

    // Every row of the key/value tables, for "nothing changed" checks.
    QStringList AllRows()
    {
        QStringList all;
        for (const char* table : {"CSB001", "CSB007", "CSM001", "CTS001", "CTS002"})
            all += korvane::test::JoinedRows(DbPath(), QLatin1String(table));
        return all;
    }

    SuiteFixture m_suite;
    korvane::test::FixedClock m_clock{
        QDateTime::fromString(QLatin1String(kNow), QStringLiteral("yyyyMMddHHmmss"))};
    std::unique_ptr<dunmarel::CDunmarelModeTable> m_modes;
    korvane::test::LayoutWatch m_layout; // every window shown keeps the layout rules
};
