#include "launcher/CCrxReadWriteDlg.h"

#include "launcher/CrxErrorText.h"
#include "shared/lang/CProgramLang.h"
#include "goods/base/ProgramMessage.h"
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
    if (result == CRX_E_SYSTEM_MISMATCH) {
        ShowProgramMessage({this, m_strCaption}, QStringLiteral("CRDS_MSG_E_MISMATCHCRP"),
                           platform::MessageIcon::Warning);
        return;
    }
    // A difference save that fails on its diff base failed at reading.
    const QString key = m_job.m_mode == CCrxReadWriteJob::Mode::Read || m_job.m_bDiffPhase
                            ? QStringLiteral("CRDS_MSG_E_OPENCRP")
                            : QStringLiteral("CRDS_MSG_E_SAVECRP");
    ShowProgramMessageText({this, m_strCaption}, key, CrxErrorText(key, result, m_job.m_detail),
                           platform::MessageIcon::Error);
}

} // namespace tovanel
