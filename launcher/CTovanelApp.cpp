#include "launcher/CTovanelApp.h"

#include "launcher/CLumoCmdLineInfo.h"
#include "launcher/CTovanelCleaningDlg.h"
#include "launcher/CTovanelEasyDlg.h"
#include "launcher/CTovanelStandardDlg.h"

#include "shared/config/CBasePath.h"
#include "shared/program/CMainWndCtrl.h"
#include "shared/program/CProgramStartup.h"

#include <QCoreApplication>
#include <QDir>

namespace tovanel {

std::unique_ptr<CTovanelBaseDlg> CTovanelApp::CreateMainWindow(int productMode)
{
    switch (productMode) {
    case CBasePath::PRODUCTMODE_CLEANING:
        return std::make_unique<CTovanelCleaningDlg>();
    case CBasePath::PRODUCTMODE_EASY:
        return std::make_unique<CTovanelEasyDlg>();
    default:
        return std::make_unique<CTovanelStandardDlg>();
    }
}

int CTovanelApp::InitInstance()
{
    CProgramStartup startup(QStringLiteral("Tovanel"));
    startup.UseProductProfile();
    startup.LoadLanguage();
    CLumoCmdLineInfo cmdInfo(QDir::currentPath());
    cmdInfo.ParseArguments(QCoreApplication::arguments().mid(1));
    // A second start brings the first launcher forward and ends silently.
    if (!startup.HoldSingleInstance(QStringLiteral("Tovanel"), true))
        return 0;
    // No settings program waits to bring a launcher back yet.
    CMainWndCtrl::SetMainWndHandle(0);

    std::unique_ptr<CTovanelBaseDlg> window = CreateMainWindow(CBasePath::GetProductMode());
    window->SetCommandLine(cmdInfo.m_strFileName, cmdInfo.m_strOesArchivePath, cmdInfo.m_bOesMode,
                           cmdInfo.m_strOesDataFolder);
    CMainWndCtrl::AttachMainWnd(window.get(), *startup.Instance());
    window->Create();
    // The launcher returns nothing of interest: 0 once its window has closed.
    CProgramStartup::RunMainWindow(*window);
    return 0;
}

} // namespace tovanel
