#include "functions/CFcKeyLaySetMsgDlg.h"

#include "functions/RequireText.h"
#include "platform/MessageBox.h"
#include "functions/keylayout/CButtonProperty.h"

#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"

#include <QLabel>
#include <QLineEdit>

namespace kesmond {

CFcKeyLaySetMsgDlg::CFcKeyLaySetMsgDlg(QWidget* parent) : CSarvikDialog(parent)
{
    CDialogTemplate tmpl(this, 9, 220, 64);
    setWindowTitle(QStringLiteral("CRDD_FC_KLAY_SETMESSAGE"));
    tmpl.Add<QLabel>(IDC_LABEL_NAME, QStringLiteral("CRDC_FC_LABEL_NAME"), 10, 12, 40, 10);
    m_pName = tmpl.Add<QLineEdit>(IDC_NAME, QString(), 52, 10, 158, 14);
    m_pName->setMaxLength(kMaxLabel);
    AddOkCancel(tmpl, 104, 40, 160, 40, 50, 16);
    connect(m_pName, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_pRecord)
            m_pRecord->m_strLabel = text;
    });
}

CFcKeyLaySetMsgDlg::~CFcKeyLaySetMsgDlg() = default;

void CFcKeyLaySetMsgDlg::SetLangTexts()
{
    SetDialogLangTexts(this);
}

bool CFcKeyLaySetMsgDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    if (m_pRecord)
        m_pName->setText(m_pRecord->m_strLabel.left(kMaxLabel));
    return true;
}

void CFcKeyLaySetMsgDlg::OnOK()
{
    if (RequireText(this, m_pName))
        EndDialog(platform::IDOK);
}

} // namespace kesmond
