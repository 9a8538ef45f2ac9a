#include "launcher/CCrxReadWriteDlg.h"

#include "launcher/CrxErrorText.h"
#include "shared/lang/CProgramLang.h"
#include "platform/MessageBox.h"

namespace tovanel {

CCrxReadWriteDlg::CCrxReadWriteDlg(QWidget* parent) : CCrxProgressDlg(m_job.m_abort, parent) {}

CCrxReadWriteDlg::~CCrxReadWriteDlg()
{
    StopWorker();
}

bool CCrxReadWriteDlg::OnInitDialog()
{
    CCrxProgressDlg::OnInitDialog();
    SetText(m_strMessage);
    setWindowTitle(m_strCaption);
    RunOnWorker([this] { return m_job.Run(); }, [this](CrxResult result) { OnWorkerDone(result); });
    return true;
}

void CCrxReadWriteDlg::OnWorkerDone(CrxResult result)
{
    ShowResultMessage(result);
    EndDialog(result == CRX_OK ? 1 : 0);
}

void CCrxReadWriteDlg::ShowResultMessage(CrxResult result)
{
    if (result == CRX_OK || result == CRX_E_CANCELLED)
        return;
    platform::MessageRequest request;
    request.parent = this;
    request.caption = m_strCaption;
    if (result == CRX_E_SYSTEM_MISMATCH) {
        request.key = QStringLiteral("CRDS_MSG_E_MISMATCHCRP");
        request.text = GetLangString(QStringLiteral("CRDS_MSG_E_MISMATCHCRP"));
        request.icon = platform::MessageIcon::Warning;
    } else {
        // A difference save that fails on its diff base failed at reading.
        request.key = m_job.m_mode == CCrxReadWriteJob::Mode::Read || m_job.m_bDiffPhase
                          ? QStringLiteral("CRDS_MSG_E_OPENCRP")
                          : QStringLiteral("CRDS_MSG_E_SAVECRP");
        request.text = CrxErrorText(request.key, result, m_job.m_detail);
        request.icon = platform::MessageIcon::Error;
    }
    platform::showMessage(request);
}

} // namespace tovanel
