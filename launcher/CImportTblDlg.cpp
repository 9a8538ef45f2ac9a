#include "launcher/CImportTblDlg.h"

#include "launcher/CrxErrorText.h"
#include "shared/lang/CProgramLang.h"
#include "goods/base/ProgramMessage.h"
#include "platform/MessageBox.h"

namespace tovanel {

CImportTblDlg::CImportTblDlg(QWidget* parent) : CCrxProgressDlg(m_job.m_abort, parent) {}

CImportTblDlg::~CImportTblDlg()
{
    StopWorker();
}

bool CImportTblDlg::OnInitDialog()
{
    CCrxProgressDlg::OnInitDialog();
    SetText(GetLangString(QStringLiteral("CRDS_MSG_CRXIMPORTING")));
    setWindowTitle(m_strCaption);
    // Unpacking can take long: it runs behind the dialog, where Abort works.
    RunOnWorker([this] { return m_job.ReadHeader(); },
                [this](CrxResult result) { OnHeaderRead(result); });
    return true;
}

void CImportTblDlg::OnHeaderRead(CrxResult result)
{
    if (result == CRX_OK && CrxAborted(&m_job.m_abort))
        result = CRX_E_CANCELLED;
    if (result != CRX_OK)
        return Finish(result);
    if (!Confirm(QStringLiteral("CRDS_MSG_DIFFPACKAGE"), m_job.PackageQuestion()) ||
        !Confirm(QStringLiteral("CRDS_MSG_DIFFVERSION"), m_job.VersionQuestion()))
        return Finish(CRX_E_CANCELLED);
    RunOnWorker([this] { return m_job.Import(); }, [this](CrxResult result) { Finish(result); });
}

bool CImportTblDlg::Confirm(const QString& key, const QString& question)
{
    if (question.isEmpty())
        return true;
    return ShowProgramMessageText({this, m_strCaption}, key, question,
                                  platform::MessageIcon::Warning,
                                  platform::MessageButtons::OkCancel) == platform::IDOK;
}

void CImportTblDlg::Finish(CrxResult result)
{
    if (result != CRX_OK && result != CRX_E_CANCELLED) {
        // A partial archive opens well; it only cannot give a whole table.
        const QString key = result == CRX_E_PARTIAL_TABLE
                                ? QStringLiteral("CRDS_MSG_E_IMPORTPARTIAL")
                                : QStringLiteral("CRDS_MSG_E_OPENCRP");
        ShowProgramMessageText({this, m_strCaption}, key, CrxErrorText(key, result, m_job.m_detail),
                               platform::MessageIcon::Error);
    }
    EndDialog(result == CRX_OK ? 1 : 0);
}

} // namespace tovanel
