#include "shared/dialogs/CCmnImportStateDlg.h"

#include "shared/dialogs/CDialogTemplate.h"
#include "platform/MessageBox.h"

#include <QGroupBox>
#include <QRadioButton>

CCmnImportStateDlg::CCmnImportStateDlg(QWidget* parent) : CSarvikDialog(parent)
{
    CDialogTemplate tmpl(this, 8, 281, 98);
    setWindowTitle(QStringLiteral("CRDD_CMN_IMPORT_STATE"));
    tmpl.Add<QGroupBox>(0, QStringLiteral("CRDC_STATIC_IMPORT"), 24, 11, 230, 49);
    m_pUpdate = tmpl.Add<QRadioButton>(IDC_UPDATE, QStringLiteral("CRDC_CMN_RADIO_IMST_UPDATE"), 39,
                                       25, 204, 13);
    m_pInsert = tmpl.Add<QRadioButton>(IDC_INSERT, QStringLiteral("CRDC_CMN_RADIO_IMST_INSERT"), 39,
                                       39, 204, 13);
    AddOkCancel(tmpl, 69, 71, 149, 71, 71, 20);
}

CCmnImportStateDlg::~CCmnImportStateDlg() = default;

bool CCmnImportStateDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    // Update is where every import starts, whatever the caller left in m_bUpdate.
    m_pUpdate->setChecked(true);
    if (!m_strTitle.isEmpty())
        setWindowTitle(m_strTitle);
    return true;
}

void CCmnImportStateDlg::OnOK()
{
    m_bUpdate = m_pUpdate->isChecked();
    EndDialog(platform::IDOK);
}
