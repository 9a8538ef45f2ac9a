#include "images/CPellarkApp.h"

#include "images/CGpSmartTab.h"
#include "images/CImgListDlg.h"

#include "goods/base/ProgramMessage.h"
#include "goods/base/RegisterDialogClass.h"

#include "shared/config/CBasePath.h"
#include "shared/config/CEcrCmdLineInfo.h"
#include "shared/config/CUserException.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"
#include "shared/program/CProgramStartup.h"

#include "stroven/Stroven.h"

#include <QGuiApplication>

#include <sqlite3.h>

namespace pellark {

StartWindow ChooseStartWindow(const QString& option)
{
    return option == QLatin1String("EASY") ? StartWindow::EasyHost : StartWindow::GraphicList;
}

CPellarkApp::CPellarkApp() = default;

CPellarkApp::~CPellarkApp()
{
    if (m_pDB)
        m_pDB->CloseDB();
}

int CPellarkApp::OpenWorkDatabase()
{
    if (m_pDB)
        return -99;
    if (!WorkDatabaseExists())
        return SQLITE_CANTOPEN;
    const QString path = GetDBFileFullPath(CBasePath::GetLocalDataBasePath());
    auto db = std::make_unique<CSQliteDB>(CBasePath::GetLocalTemporaryPath());
    const int status = db->OpenDB(path);
    if (status != 0) {
        db->CloseDB();
        return status;
    }
    m_pDB = std::move(db);
    return 0;
}

int CPellarkApp::InitInstance(const QStringList& arguments)
{
    CProgramStartup startup(QStringLiteral("Pellark"));
    startup.LoadLanguage();
    // A second start ends at once, showing nothing.
    if (!startup.HoldSingleInstance(QStringLiteral("Pellark"), false))
        return 0;
    try {
        startup.UseProductProfile();
    } catch (const CUserException&) {
        return 0; // no launcher INI: its message was shown
    }
    CEcrCmdLineInfo cmdInfo;
    const QString option = CProgramStartup::ParseMode(cmdInfo, arguments);
    if (!RegisterDialogClass(QLatin1String(kClassName)))
        return 0;
    // Every message box is captioned with the program's name.
    QGuiApplication::setApplicationDisplayName(GetLangString(QStringLiteral("CRDS_IM_APPNAME")));
    const int status = OpenWorkDatabase();
    if (status != 0) {
        ShowProgramMessage(nullptr, QStringLiteral("CRDS_CMN_ERR_SETREAD2_FAILED"),
                           platform::MessageIcon::Warning, platform::MessageButtons::Ok, status);
        return 0;
    }
    if (ChooseStartWindow(option) == StartWindow::EasyHost) {
        CGpSmartTab window(m_pDB.get());
        CProgramStartup::RunMainWindow(window);
    } else {
        CImgListDlg window(m_pDB.get());
        CProgramStartup::RunMainWindow(window);
    }
    return 0;
}

} // namespace pellark
