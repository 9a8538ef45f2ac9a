#include "monitor/CMervoltApp.h"

#include "monitor/AppTitle.h"
#include "monitor/CMonMenuDlg.h"
#include "monitor/MonButtonTable.h"

#include "goods/base/RegisterDialogClass.h"
#include "shared/config/CEcrCmdLineInfo.h"
#include "shared/config/CUserException.h"
#include "shared/lang/CProgramLang.h"
#include "shared/program/CProgramStartup.h"

namespace mervolt {

int CMervoltApp::RegisteredFromOption(const QString& option0)
{
    return option0 == QLatin1String("B") ? 0 : 1;
}

int CMervoltApp::InitInstance(const QStringList& arguments, const QString& languageFile)
{
    CProgramStartup startup(QStringLiteral("Mervolt"));
    try {
        startup.UseProductProfile();
    } catch (const CUserException&) {
        return 0; // no launcher INI: its message was shown
    }
    // A second start ends at once, showing nothing.
    if (!startup.HoldSingleInstance(QStringLiteral("Mervolt"), false))
        return 0;
    CEcrCmdLineInfo cmdInfo;
    const QString option0 = CProgramStartup::ParseMode(cmdInfo, arguments);
    // Texts missing: the keys show.
    startup.LoadLanguage(languageFile);
    if (!RegisterDialogClass(QLatin1String(kClassName)))
        return 0;
    SetAppTitle(GetLangString("CRDS_MO_WINNAME_PLU"));
    ::CMainDlg::SetButtonTable(MonButtonTable());
    CMonMenuDlg menu;
    menu.SetRegistered(RegisteredFromOption(option0));
    return menu.DoModal();
}

} // namespace mervolt
