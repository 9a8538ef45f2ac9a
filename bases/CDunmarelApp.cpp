#include "bases/CDunmarelApp.h"

#include "bases/CDunmarelModeTable.h"
#include "bases/CTabDlg.h"
#include "bases/CTaxTables.h"
#include "bases/ChooseMode.h"
#include "bases/DetailRows.h"
#include "bases/DunmarelButtonTable.h"

#include "goods/base/ProgramMessage.h"
#include "goods/base/RegisterDialogClass.h"

#include "shared/config/CBasePath.h"
#include "shared/config/CEcrCmdLineInfo.h"
#include "shared/data/CColumnDataList.h"
#include "shared/lang/CProgramLang.h"
#include "shared/program/CProgramStartup.h"

#include <QGuiApplication>

namespace dunmarel {

namespace {

constexpr int kExitReadFailed = 2;

bool HasWindow(int mode)
{
    return mode >= MODE_RC && mode <= MODE_RM_EASY;
}

void InvalidTaxTable()
{
    ShowProgramMessage(nullptr, QStringLiteral("CRDS_BS_ERROR_INVALIDTAXTABLE"),
                       platform::MessageIcon::Error);
}

int ReadFailed()
{
    ShowProgramMessage(nullptr, QStringLiteral("CRDS_CMN_ERR_SETREAD_FAILED"),
                       platform::MessageIcon::Error);
    return kExitReadFailed;
}

} // namespace

int CDunmarelApp::InitInstance(const QStringList& arguments)
{
    CProgramStartup startup(QStringLiteral("Dunmarel"));
    startup.UseProductProfile();
    // A second start ends at once, showing nothing.
    if (!startup.HoldSingleInstance(QStringLiteral("Dunmarel"), false))
        return 0;
    CEcrCmdLineInfo cmdInfo;
    const BaseModeChoice choice = ChooseMode(CProgramStartup::ParseMode(cmdInfo, arguments));
    if (choice.mode == MODE_NONE)
        return 0;
    startup.LoadLanguage();
    if (!RegisterDialogClass(QLatin1String(kClassName)))
        return 0;
    CDunmarelModeTable modes;
    CDataManager* entry = modes.Entry(choice.mode);
    // Every message box is captioned with the window's title.
    QGuiApplication::setApplicationDisplayName(GetLangString(entry->m_strWindowNameKey));
    if (!HasWindow(choice.mode))
        return 0;

    // The work database comes from the launcher; a missing one is never made here.
    const QString folder = CBasePath::GetLocalTemporaryPath();
    if (!WorkDatabaseExists())
        return ReadFailed();
    int err = 0;
    if (!entry->CreateSQLiteDB(folder) ||
        !entry->OpenSQLiteDB(QStringLiteral("\\") + CBasePath::GetStrSettingDB(), err))
        return ReadFailed();
    CTaxTables taxTables;
    if (choice.mode == MODE_TX) {
        // Other languages have no reserved rates.
        if (CBasePath::GetLangType() != 0)
            entry->m_nPageCount = 1;
        if (!taxTables.PrepareTaxTables(*entry->m_pSQliteDB, entry->m_nPageCount)) {
            InvalidTaxTable();
            return 0;
        }
    }
    // A missing record is reported by the page that shows it.
    entry->GetColumnDataList()->ReadRecords(err, QString());

    CDataManager* detail = nullptr;
    if (choice.mode == MODE_AS_CL || choice.mode == MODE_AS_RES) {
        detail = choice.mode == MODE_AS_CL ? modes.DetailCleaning() : modes.DetailRestaurant();
        const bool loaded = choice.mode == MODE_AS_CL
                                ? LoadDetailRowsCleaning(*detail, *entry->m_pSQliteDB)
                                : LoadDetailRowsRestaurant(*detail, *entry->m_pSQliteDB);
        if (!loaded)
            return ReadFailed();
    }

    CMainDlg::SetButtonTable(DunmarelButtonTable());
    int result = 0;
    {
        CTabDlg dialog(entry, choice.tabDlgId, choice.mode, detail);
        result = CProgramStartup::RunModal(dialog);
    }
    // A cancelled tax window leaves the work database as it found it.
    if (choice.mode == MODE_TX && result == platform::IDCANCEL &&
        !taxTables.RollBackTaxTables(*entry->m_pSQliteDB))
        InvalidTaxTable();
    return result;
}

} // namespace dunmarel
