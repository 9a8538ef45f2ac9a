#include "launcher/COesImportDlg.h"

#include "shared/config/CBasePath.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"
#include "goods/base/ProgramMessage.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"

#include <QCheckBox>
#include <QLabel>

namespace tovanel {

namespace {

const QString kEveryStartupValue = QStringLiteral("DISPSTURTUPIMP");

} // namespace

COesImportDlg::COesImportDlg(QWidget* parent) : CTovanelDialog(parent)
{
    CDialogTemplate tmpl(this, 9, 230, 150);
    setWindowTitle(QStringLiteral("CRDD_OES_IMPORT"));
    auto* what =
        tmpl.Add<QLabel>(uint(-1), QStringLiteral("CRDC_MESSAGE_IMPORTOESECR"), 10, 8, 210, 20);
    what->setWordWrap(true);
    m_pItems =
        tmpl.Add<QCheckBox>(IDC_CHECK_PLU, QStringLiteral("CRDC_CHECK_OIMP_PLU"), 20, 32, 190, 12);
    m_pDepartments = tmpl.Add<QCheckBox>(
        IDC_CHECK_SECTION, QStringLiteral("CRDC_CHECK_OIMP_SECTION"), 20, 48, 190, 12);
    m_pClerks = tmpl.Add<QCheckBox>(IDC_CHECK_CLERK, QStringLiteral("CRDC_CHECK_OIMP_CLERK"), 20,
                                    64, 190, 12);
    m_pEveryStartup = tmpl.Add<QCheckBox>(
        IDC_CHECK_EVERYSTARTUP, QStringLiteral("CRDC_CHECK_OIMP_EVERYSTARTUP"), 10, 86, 210, 12);
    auto* again = tmpl.Add<QLabel>(uint(-1), QStringLiteral("CRDC_MESSAGE_CLICKTITLEBARICON"), 10,
                                   102, 210, 20);
    again->setWordWrap(true);
    AddOkCancel(tmpl, 60, 128, 120, 128, 50, 16);

    const std::optional<quint32> stored = platform::Registry::readNumber(
        platform::RegistryHive::CurrentUser, CBasePath::GetRegistryRootKey(), kEveryStartupValue);
    m_bEveryStartup = stored.value_or(1) != 0 ? 1 : 0;
}

COesImportDlg::~COesImportDlg() = default;

QCheckBox* COesImportDlg::CheckBox(uint id) const
{
    switch (id) {
    case IDC_CHECK_PLU:
        return m_pItems;
    case IDC_CHECK_SECTION:
        return m_pDepartments;
    case IDC_CHECK_CLERK:
        return m_pClerks;
    case IDC_CHECK_EVERYSTARTUP:
        return m_pEveryStartup;
    default:
        return nullptr;
    }
}

bool COesImportDlg::OnInitDialog()
{
    CTovanelDialog::OnInitDialog();
    m_pItems->setChecked(false);
    m_pDepartments->setChecked(false);
    m_pClerks->setChecked(false);
    m_pEveryStartup->setChecked(m_bEveryStartup != 0);
    return true;
}

void COesImportDlg::OnOK()
{
    if (!m_pItems->isChecked() && !m_pDepartments->isChecked() && !m_pClerks->isChecked()) {
        ShowProgramMessage({this, windowTitle()}, QStringLiteral("CRDS_MSG_C_NOSELECTIMPFILE"),
                           platform::MessageIcon::Warning);
        return;
    }
    m_bItems = m_pItems->isChecked() ? 1 : 0;
    m_bDepartments = m_pDepartments->isChecked() ? 1 : 0;
    m_bClerks = m_pClerks->isChecked() ? 1 : 0;
    StoreEveryStartup();
    EndDialog(platform::IDOK);
}

void COesImportDlg::OnCancel()
{
    StoreEveryStartup();
    EndDialog(platform::IDCANCEL);
}

void COesImportDlg::StoreEveryStartup()
{
    m_bEveryStartup = m_pEveryStartup->isChecked() ? 1 : 0;
    platform::Registry::writeNumber(platform::RegistryHive::CurrentUser,
                                    CBasePath::GetRegistryRootKey(), kEveryStartupValue,
                                    quint32(m_bEveryStartup));
}

} // namespace tovanel
