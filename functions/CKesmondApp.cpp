#include "functions/CKesmondApp.h"

#include "functions/CFcModeTable.h"
#include "functions/CFkListDlg.h"
#include "functions/FcModeChoice.h"

#include "goods/base/RegisterDialogClass.h"

#include "shared/config/CEcrCmdLineInfo.h"
#include "shared/config/CUserException.h"
#include "shared/lang/CProgramLang.h"
#include "shared/program/CProgramStartup.h"

#include <QGuiApplication>

namespace kesmond {

namespace {

constexpr int kFunctionKeyMode = 0;

} // namespace

int CKesmondApp::InitInstance(const QStringList& arguments)
{
    CProgramStartup startup(QStringLiteral("Kesmond"));
    try {
        startup.UseProductProfile();
    } catch (const CUserException&) {
        return 0; // no launcher INI: its message was shown
    }
    // A second start ends at once, showing nothing.
    if (!startup.HoldSingleInstance(QStringLiteral("Kesmond"), false))
        return 0;
    CEcrCmdLineInfo cmdInfo;
    const int mode = ChooseFcMode(CProgramStartup::ParseMode(cmdInfo, arguments));
    // The function lists, key layout and characters come with their windows.
    if (mode != kFunctionKeyMode)
        return 0;
    startup.LoadLanguage();
    if (!RegisterDialogClass(QLatin1String(kClassName)))
        return 0;
    CFcModeTable modes;
    CDataManager* entry = modes.Entry(mode);
    // Every message box is captioned with the window's title.
    QGuiApplication::setApplicationDisplayName(GetLangString(entry->m_strWindowNameKey));
    CFkListDlg window(entry, entry->m_nListDlgID, nullptr, mode);
    return CProgramStartup::RunMainWindow(window);
}

} // namespace kesmond
