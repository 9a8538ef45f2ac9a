#include "monitor/CMonProgressDlg.h"

#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"

#include "platform/MessageBox.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace mervolt {

CMonProgressDlg::CMonProgressDlg(QWidget* parent, std::atomic<int>& abort)
    : CSarvikDialog(parent), m_abort(abort)
{
    CDialogTemplate tmpl(this, 9, 220, 66);
    setWindowTitle(QStringLiteral("CRDS_MO_MSG_COPYING"));
    tmpl.Add<QLabel>(IDC_MESSAGE, QStringLiteral("CRDS_MO_MSG_COPYING"), 7, 7, 206, 10);
    m_pBar = tmpl.Add<QProgressBar>(IDC_PROGRESS, QString(), 7, 21, 206, 12);
    m_pBar->setRange(0, 1000);
    m_pBar->setTextVisible(false);
    m_pAbort =
        tmpl.Add<QPushButton>(platform::IDCANCEL, QStringLiteral("CRDC_MO_ABORT"), 85, 43, 50, 14);
    m_pAbort->setDefault(true);
    connect(m_pAbort, &QPushButton::clicked, this, &CMonProgressDlg::reject);
}

CMonProgressDlg::~CMonProgressDlg() = default;

void CMonProgressDlg::SetLangTexts()
{
    SetDialogLangTexts(this);
}

void CMonProgressDlg::SetProgress(qint64 done, qint64 total)
{
    m_pBar->setValue(total > 0 ? int(std::min<qint64>(1000, done * 1000 / total)) : 0);
}

void CMonProgressDlg::Finish()
{
    m_bFinished = true;
    EndDialog(m_abort.load() ? platform::IDCANCEL : platform::IDOK);
}

// Return does not end a copy.
void CMonProgressDlg::OnOK() {}

void CMonProgressDlg::OnCancel()
{
    if (m_bFinished) {
        CSarvikDialog::OnCancel();
        return;
    }
    m_abort = 1;
    m_pAbort->setEnabled(false);
}

} // namespace mervolt
