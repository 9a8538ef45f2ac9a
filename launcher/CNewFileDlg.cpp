#include "launcher/CNewFileDlg.h"

#include "shared/config/CEcrInfo.h"
#include "shared/dialogs/CDialogTemplate.h"

#include "platform/MessageBox.h"

#include <QComboBox>
#include <QLabel>

namespace tovanel {

CNewFileDlg::CNewFileDlg(QWidget* parent) : CTovanelDialog(parent)
{
    CDialogTemplate tmpl(this, 9, 220, 84);
    setWindowTitle(QStringLiteral("CRDD_NEW_FILE"));
    tmpl.Add<QLabel>(1076, QStringLiteral("CRDC_MESSAGE_SELMODEL"), 10, 8, 200, 12);
    tmpl.Add<QLabel>(1075, QStringLiteral("CRDC_STATIC_MODEL"), 10, 30, 50, 12);
    m_pCombo = tmpl.Add<QComboBox>(IDC_MODEL, QString(), 62, 28, 148, 14);
    AddOkCancel(tmpl, 56, 60, 116, 60, 50, 16);
}

CNewFileDlg::~CNewFileDlg() = default;

bool CNewFileDlg::OnInitDialog()
{
    CTovanelDialog::OnInitDialog();
    // In the list's order: the models are appended, never sorted.
    m_pCombo->clear();
    if (m_pEcrList)
        m_pCombo->addItems(*m_pEcrList);
    m_pCombo->setCurrentIndex(m_pCombo->count() > 0 ? 0 : -1);
    m_nSelect = 0;
    return true;
}

void CNewFileDlg::OnOK()
{
    m_nSelect = m_pCombo->currentIndex();
    CEcrInfo::SetCurrentEcrType(CEcrInfo::GetSelectedEcrTypeFromIni(m_pCombo->currentText()));
    EndDialog(platform::IDOK);
}

} // namespace tovanel
