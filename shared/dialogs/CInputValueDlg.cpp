#include "shared/dialogs/CInputValueDlg.h"

#include "shared/dialogs/CDialogTemplate.h"
#include "shared/controls/CPercentEdit.h"
#include "shared/controls/EditSize.h"
#include "platform/MessageBox.h"
#include "shared/config/PitchFontName.h"

#include <QLabel>

CInputValueDlg::CInputValueDlg(QWidget* parent) : CSarvikDialog(parent)
{
    CDialogTemplate tmpl(this, 9, 209, 105);
    tmpl.Add<QLabel>(IDC_LABEL, QString(), 24, 24, 178, 13);
    m_pValueEdit = tmpl.Add<CPercentEdit>(IDC_VALUE, QString(), 38, 37, 92, 12);
    m_pValueEdit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    AddOkCancel(tmpl, 24, 69, 108, 69, 75, 20);
}

CInputValueDlg::~CInputValueDlg() = default;

bool CInputValueDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    if (!m_bFontCreated) {
        m_dlgFont = font();
        m_dlgFont.setFamily(GetFixPitchFontName());
        m_bFontCreated = true;
    }
    setWindowTitle(m_strTitle);
    SetWindowText(FindControlById(this, IDC_LABEL), m_strLabel);

    const int integerDigits = m_nDigits - m_nDecimals;
    m_pValueEdit->SetDigits(integerDigits, m_nDecimals);
    const int characters = integerDigits + (m_nDecimals > 0 ? m_nDecimals + 1 : 0);
    m_pValueEdit->setFont(m_dlgFont);
    m_pValueEdit->LimitText(characters);
    SetEditSize(m_dlgFont, m_pValueEdit, 1, characters, EDITSIZE_WIDTH | EDITSIZE_HEIGHT);
    m_pValueEdit->SetText(m_strValue);
    return true;
}

void CInputValueDlg::OnOK()
{
    m_strValue = m_pValueEdit->text();
    EndDialog(platform::IDOK);
}
