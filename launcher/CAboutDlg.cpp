#include "launcher/CAboutDlg.h"

#include "launcher/TovanelStrings.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/CHyperLink.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/WindowText.h"

#include "platform/MessageBox.h"

#include <QLabel>
#include <QPushButton>

namespace tovanel {

CAboutDlg::CAboutDlg(QWidget* parent) : CTovanelDialog(parent)
{
    CDialogTemplate tmpl(this, 9, 220, 90);
    setWindowTitle(QStringLiteral("CRDD_ABOUTBOX"));
    auto* icon = tmpl.Add<QLabel>(1081, QString(), 10, 10, 24, 24);
    icon->setPixmap(QPixmap(QStringLiteral(":/launcher/icon.png")));
    tmpl.Add<QLabel>(IDC_VERSION, QString(), 44, 10, 166, 12);
    tmpl.Add<QLabel>(IDC_REGIINFO, QStringLiteral("CRDC_STATIC_REGIINFO"), 44, 28, 166, 12);
    m_pLink = tmpl.Add<CHyperLink>(IDC_LINK, QStringLiteral("CRDC_BUTTON_ECRURL"), 44, 44, 166, 12);
    auto* ok = tmpl.Add<QPushButton>(platform::IDOK, QStringLiteral("CRD_OK"), 160, 68, 50, 16);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CAboutDlg::accept);
    // The link opens its address first (its own handler), then the box ends.
    connect(m_pLink, &QPushButton::clicked, this, [this] { EndDialog(platform::IDOK); });
}

CAboutDlg::~CAboutDlg() = default;

bool CAboutDlg::OnInitDialog()
{
    CTovanelDialog::OnInitDialog();
    // Only a web address opens; any other text of the language file opens nothing.
    m_pLink->SetLinkUrl(GetWindowText(m_pLink));
    m_pLink->SetupLink();
    QString version = GetLangString(QStringLiteral("CRDC_STATIC_VERSION"));
    if (GetLangString(QStringLiteral("CRSS_SWITCH_AUTOVERSION"))
            .compare(strings::kAutoVersionOff, Qt::CaseInsensitive) != 0)
        version += CBasePath::GetProductVersion();
    SetWindowText(FindControlById(this, IDC_VERSION), version);
    if (CBasePath::GetLangType() != 0) {
        FindControlById(this, IDC_REGIINFO)->hide();
        m_pLink->hide();
    }
    return true;
}

} // namespace tovanel
