#include "goods/CBrelkinApp.h"

#include "goods/CGoodsModeTable.h"
#include "goods/CHourlyListDlg.h"
#include "goods/CListDlg.h"
#include "goods/CListDlgEasy.h"
#include "goods/CSetMixListDlg.h"
#include "goods/ChooseMode.h"
#include "goods/GoodsButtonTable.h"
#include "goods/base/CMainDlg.h"
#include "goods/base/RegisterDialogClass.h"

#include "shared/config/CEcrCmdLineInfo.h"
#include "shared/config/CUserException.h"
#include "shared/lang/CProgramLang.h"
#include "shared/program/CProgramStartup.h"

#include <QGuiApplication>

#include <memory>

namespace brelkin {

int CBrelkinApp::InitInstance(const QStringList& arguments)
{
    CProgramStartup startup(QStringLiteral("Brelkin"));
    try {
        startup.UseProductProfile();
    } catch (const CUserException&) {
        return 0; // no launcher INI: its message was shown
    }
    // A second start ends at once, showing nothing.
    if (!startup.HoldSingleInstance(QStringLiteral("Brelkin"), false))
        return 0;
    CEcrCmdLineInfo cmdInfo;
    const QString modeKey = CProgramStartup::ParseMode(cmdInfo, arguments);
    const GoodsModeChoice choice = ChooseMode(modeKey, cmdInfo.GetOptionAt(1));
    // Texts missing: the keys show.
    startup.LoadLanguage();
    if (!RegisterDialogClass(QLatin1String(kClassName)))
        return 0;
    CGoodsModeTable modes;
    CDataManager* entry = modes.Entry(choice.entry);
    entry->m_nListDlgID = choice.listDlgId;
    // Every message box is captioned with the window's title.
    QGuiApplication::setApplicationDisplayName(GetLangString(entry->m_strWindowNameKey));
    CMainDlg::SetButtonTable(GoodsButtonTable());
    if (choice.windowClass == GoodsWindowClass::HourlyList) {
        CHourlyListDlg hourly(entry, modes.Entry(choice.secondEntry), choice.listDlgId, nullptr,
                              choice.windowKind);
        return CProgramStartup::RunMainWindow(hourly);
    }
    std::unique_ptr<CListDlg> window;
    if (choice.windowClass == GoodsWindowClass::SetMixList)
        window = std::make_unique<CSetMixListDlg>(entry, choice.listDlgId, nullptr,
                                                  choice.windowKind, choice.winpos);
    else if (choice.windowClass == GoodsWindowClass::EasyList)
        window = std::make_unique<CListDlgEasy>(entry, choice.listDlgId, nullptr, choice.windowKind,
                                                false);
    else
        window = std::make_unique<CListDlg>(entry, choice.listDlgId, nullptr, choice.windowKind,
                                            choice.winpos);
    if (choice.setPriceEntry)
        window->SetSecondDataManager(modes.SetPriceEntry());
    return CProgramStartup::RunMainWindow(*window);
}

} // namespace brelkin
