#include "functions/CKesmondApp.h"

#include "functions/CFcCharListDlg.h"
#include "functions/CFcKeyLayoutDlg.h"
#include "functions/CKeyLayoutDialogs.h"
#include "functions/CFcModeTable.h"
#include "functions/CFkListDlg.h"
#include "functions/CFlListDlg.h"
#include "functions/FcModeChoice.h"

#include "goods/base/RegisterDialogClass.h"

#include "shared/config/CEcrCmdLineInfo.h"
#include "shared/config/CUserException.h"
#include "shared/lang/CProgramLang.h"
#include "shared/program/CProgramStartup.h"

#include <QGuiApplication>

#include <memory>

namespace kesmond {

namespace {

constexpr int kFunctionKeyMode = 0;
constexpr int kFunctionListMode = 1;
constexpr int kKeyLayoutMode = 2;
constexpr int kCharacterMode = 3;

// The main window of a mode; nullptr for a mode without one yet.
std::unique_ptr<CFkListDlg> MakeMainWindow(int mode, CDataManager* entry)
{
    switch (mode) {
    case kFunctionKeyMode:
        return std::make_unique<CFkListDlg>(entry, entry->m_nListDlgID, nullptr, mode);
    case kFunctionListMode:
        return std::make_unique<CFlListDlg>(entry, entry->m_nListDlgID, nullptr, mode);
    case kCharacterMode:
        return std::make_unique<CFcCharListDlg>(entry, entry->m_nListDlgID, nullptr, mode);
    default:
        return nullptr;
    }
}

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
    if (mode < kFunctionKeyMode || mode > kCharacterMode)
        return 0;
    startup.LoadLanguage();
    if (!RegisterDialogClass(QLatin1String(kClassName)))
        return 0;
    CFcModeTable modes;
    CDataManager* entry = modes.Entry(mode);
    // Every message box is captioned with the window's title.
    QGuiApplication::setApplicationDisplayName(GetLangString(entry->m_strWindowNameKey));
    if (mode == kKeyLayoutMode) {
        CKeyLayoutDialogs dialogs;
        CFcKeyLayoutDlg window(entry, nullptr, &dialogs);
        return CProgramStartup::RunMainWindow(window);
    }
    std::unique_ptr<CFkListDlg> window = MakeMainWindow(mode, entry);
    return CProgramStartup::RunMainWindow(*window);
}

} // namespace kesmond
