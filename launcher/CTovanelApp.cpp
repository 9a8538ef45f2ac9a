#include "launcher/CTovanelApp.h"

#include "launcher/CTovanelBaseDlg.h"
#include "shared/program/CMainWndCtrl.h"
#include "shared/program/CProgramStartup.h"

namespace tovanel {

int CTovanelApp::InitInstance()
{
    CProgramStartup startup(QStringLiteral("Tovanel"));
    startup.UseProductProfile();
    startup.LoadLanguage();
    // A second start brings the first launcher forward and ends silently.
    if (!startup.HoldSingleInstance(QStringLiteral("Tovanel"), true))
        return 0;
    // No settings program waits to bring a launcher back yet.
    CMainWndCtrl::SetMainWndHandle(0);
    CTovanelBaseDlg window;
    CMainWndCtrl::AttachMainWnd(&window, *startup.Instance());
    window.Create();
    CProgramStartup::RunMainWindow(window);
    return 0;
}

} // namespace tovanel
