#include "monitor/CMonMenuDlg.h"

#include "monitor/AppTitle.h"
#include "monitor/CFullDataDlg.h"
#include "monitor/CHalfDataDlg.h"
#include "monitor/CItemImageSource.h"
#include "monitor/CListDlg.h"
#include "goods/base/ProgramMessage.h"
#include "monitor/PreferenceXml.h"
#include "monitor/SignageFolder.h"

#include "platform/FileTime.h"
#include "shared/config/CBasePath.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QFileInfo>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>

namespace mervolt {

CMonMenuDlg::CMonMenuDlg() : CMainDlg(nullptr, IDD, 0)
{
    CDialogTemplate tmpl(this, 9, 367, 125);
    setWindowTitle(QStringLiteral("CRDD_MO_MONMENU"));
    auto* title = tmpl.Add<QLabel>(IDC_TITLE, QStringLiteral("CRDD_MO_MONTITLE"), 7, 7, 353, 12);
    title->setAlignment(Qt::AlignCenter);
    const struct
    {
        uint id;
        const char* key;
        int x, y;
    } buttons[] = {
        {IDC_FULLDATA, "CRDD_MO_FULLDATA", 20, 26},
        {IDC_HALFDATA, "CRDD_MO_HALFDATA", 190, 26},
        {IDC_ITEMIMAGE, "CRDS_MO_WINNAME_ITEMIMAGE", 20, 54},
        {IDC_RECOMMEND, "CRDS_MO_WINNAME_RECOMMEND", 190, 54},
    };
    for (const auto& b : buttons)
        tmpl.Add<QPushButton>(b.id, QLatin1String(b.key), b.x, b.y, 157, 22);
    AddButton(IDC_HELP, QStringLiteral("CRDM_MO_HELP"));
    AddButton(platform::IDCANCEL, QStringLiteral("CRD_BACK"));
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);

    connect(qobject_cast<QPushButton*>(FindControlById(this, IDC_FULLDATA)), &QPushButton::clicked,
            this, &CMonMenuDlg::OnFullData);
    connect(qobject_cast<QPushButton*>(FindControlById(this, IDC_HALFDATA)), &QPushButton::clicked,
            this, &CMonMenuDlg::OnHalfData);
    connect(qobject_cast<QPushButton*>(FindControlById(this, IDC_ITEMIMAGE)), &QPushButton::clicked,
            this, [this] { OpenItemImageList(1); });
    connect(qobject_cast<QPushButton*>(FindControlById(this, IDC_RECOMMEND)), &QPushButton::clicked,
            this, [this] { OpenItemImageList(0); });
    SetMenuItems(&m_items);
}

CMonMenuDlg::~CMonMenuDlg()
{
    if (!m_nModified)
        return;
    const QString database = CBasePath::GetLocalDataBasePath() + QStringLiteral("/SETTING.DB");
    if (QFileInfo(database).isFile())
        platform::touchLastWriteTime(database);
}

bool CMonMenuDlg::OnInitDialog()
{
    SetDialogLangTexts(this);
    CMainDlg::OnInitDialog();
    const MonXMLResult code = ReadPreferenceXml(GetPreferencePath(), m_items);
    const bool failed = code != MON_XML_OK && code != MON_E_PATH;
    // What a failed read left is no file to write back.
    RepairPreferenceItems(m_items, !failed);
    if (failed) {
        ShowProgramMessage(this, "CRDS_MO_ERR_MONITOR_READXML", platform::MessageIcon::Error,
                           platform::MessageButtons::Ok, code);
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return false;
    }
    FocusControl(IDC_FULLDATA);
    return true;
}

void CMonMenuDlg::OnSubWindowConfirmed()
{
    m_nModified = 1;
}

int CMonMenuDlg::RunSubWindow(const char* titleKey, const std::function<int()>& run)
{
    SetAppTitle(GetLangString(QLatin1String(titleKey)));
    int result = platform::IDCANCEL;
    if (!PrepareSignageFolders()) {
        ShowProgramMessage(this, "CRDS_MO_MSG_E_CREATEFOLDER", platform::MessageIcon::Error,
                           platform::MessageButtons::Ok, 0);
        SetAppTitle(GetLangString("CRDD_MO_MONMENU"));
        return result;
    }
    result = run();
    if (result == platform::IDOK)
        SavePreference();
    SetAppTitle(GetLangString("CRDD_MO_MONMENU"));
    return result;
}

template <class Window> int CMonMenuDlg::RunMediaWindow(const char* titleKey)
{
    return RunSubWindow(titleKey, [this] {
        Window window(this);
        window.SetMenuItems(&m_items);
        return window.DoModal();
    });
}

void CMonMenuDlg::OnFullData()
{
    RunMediaWindow<CFullDataDlg>("CRDD_MO_FULLDATA");
}

void CMonMenuDlg::OnHalfData()
{
    RunMediaWindow<CHalfDataDlg>("CRDD_MO_HALFDATA");
}

int CMonMenuDlg::OpenItemImageList(int listMode)
{
    return RunSubWindow(listMode == 1 ? "CRDS_MO_WINNAME_ITEMIMAGE" : "CRDS_MO_WINNAME_RECOMMEND",
                        [this, listMode] {
                            // A fresh manager and column set each time: the
                            // list fills and sorts both.
                            CItemImageSource source(listMode);
                            CListDlg window(&source.Manager(), this);
                            window.SetListMode(listMode);
                            window.SetMenuItems(&m_items);
                            window.SetRegistered(m_nRegistered);
                            return window.DoModal();
                        });
}

bool CMonMenuDlg::SavePreference()
{
    const MonXMLResult code = WritePreferenceXml(GetPreferencePath(), m_items);
    if (code == MON_XML_OK)
        return true;
    ShowProgramMessage(this, "CRDS_MO_ERR_MONITOR_WRITEXML", platform::MessageIcon::Error,
                       platform::MessageButtons::Ok, code);
    return false;
}

template int CMonMenuDlg::RunMediaWindow<CFullDataDlg>(const char*);
template int CMonMenuDlg::RunMediaWindow<CHalfDataDlg>(const char*);

} // namespace mervolt
