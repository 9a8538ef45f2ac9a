#pragma once

#include "functions/CFcModeTable.h"
#include "functions/CFkListDlg.h"

#include "shared/config/CBasePath.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "testsupport/FixedClock.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/SuiteFixture.h"
#include "testsupport/WorkDbFixture.h"

#include <memory>

// The work database of the function program's tests: its tables in
// "SETTING.DB" of the local data folder of a suite folder, a small function
// master and keys, the program's language texts and the library's, and the
// clock at a fixed time.
class FcDbFixture : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override
    {
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n");
        OpenDb(CBasePath::GetLocalTemporaryPath() + QStringLiteral("/SETTING.DB"));
        Exec(QStringLiteral("BEGIN"));
        CreateTables({"CSB002", "CSB003", "CSM009", "CSM014", "CSM015", "CSM018"});
        for (const char* row : {"('000001', 'Cash')", "('000002', 'Cheque')",
                                "('000027', 'Amount Discount')", "('000028', 'Percent Discount')"})
            Exec(QStringLiteral("INSERT INTO CSM009 (FUNCTIONCODE, FUNCTIONNAME) VALUES ") +
                 QLatin1String(row));
        for (const char* row : {"('000001', 'CASH', '000001')", "('000002', 'CHEQUE', '000002')",
                                "('000003', 'ORPHAN', '000099')", "('000004', 'DISC', '000027')",
                                "('000005', 'PCT', '000028')"})
            Exec(QStringLiteral("INSERT INTO CSB002 (FUNCKEYCODE, FUNCKEYNAME, FUNCTIONCODE, "
                                "CREATEDATETIME, UPDATEDATETIME) VALUES ") +
                 QString::fromLatin1(row).replace(u')', QStringLiteral(", '%1', '%1')").arg(kOld)));
        Exec(QStringLiteral("COMMIT"));
        ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        ASSERT_TRUE(CProgramLang::Initialize(QStringLiteral("Kesmond"),
                                             KORVANE_SUITE_DIR "/NolvarLANG.xml"));
    }
    void TearDown() override
    {
        m_window.reset();
        m_modes.reset();
        CProgramLang::Release();
        CSarvikApp::Instance().ReleaseLangDatas();
    }

    // The function-key list window on the fixture's database, shown.
    kesmond::CFkListDlg& OpenList()
    {
        m_modes = std::make_unique<kesmond::CFcModeTable>();
        m_window = std::make_unique<kesmond::CFkListDlg>(m_modes->Entry(0), 3010, nullptr, 0);
        m_window->Create();
        m_window->show();
        return *m_window;
    }

    // A key's settings row value ("<no row>" when it has none).
    QString StoredValue(const QString& key, const QString& code = QStringLiteral("VALUE"))
    {
        const QList<QStringList> rows =
            Rows(QStringLiteral("CSB003"), {QStringLiteral("VALUE")},
                 QStringLiteral("FUNCKEYCODE = '%1' AND FUNCSETCODE = '%2'").arg(key, code));
        return rows.isEmpty() ? QStringLiteral("<no row>") : rows.first().value(0);
    }

    static constexpr const char* kOld = "20000101000000";
    SuiteFixture m_suite;
    korvane::test::FixedClock m_clock{QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9))};
    std::unique_ptr<kesmond::CFcModeTable> m_modes;
    std::unique_ptr<kesmond::CFkListDlg> m_window;
    korvane::test::LayoutWatch m_layout; // every window shown keeps the layout rules
};
