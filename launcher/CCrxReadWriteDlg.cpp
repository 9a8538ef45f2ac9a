#include "launcher/CCrxReadWriteDlg.h"

#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"
#include "platform/MessageBox.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>

namespace tovanel {

CCrxReadWriteDlg::CCrxReadWriteDlg(QWidget* parent) : CTovanelDialog(parent)
{
    CDialogTemplate tmpl(this, 8, 220, 66);
    m_pText = tmpl.Add<QLabel>(IDC_STATIC_CRX_PROC, QStringLiteral("CRDC_STATIC_CRX_PROC"), 7, 7,
                               206, 16);
    m_pText->setWordWrap(true);
    // A busy indicator stands where the animation played.
    auto* busy = tmpl.Add<QProgressBar>(IDC_ANIMATE, QString(), 7, 26, 206, 9);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    auto* abort = tmpl.Add<QPushButton>(IDC_BUTTON_ABORT, QStringLiteral("CRDC_BUTTON_ABORT"), 80,
                                        42, 60, 16);
    abort->setAutoDefault(false);
    connect(abort, &QPushButton::clicked, this, &CCrxReadWriteDlg::OnAbort);
}

CCrxReadWriteDlg::~CCrxReadWriteDlg()
{
    // The job belongs to this dialog: never leave it running behind.
    if (m_pWorker) {
        m_job.m_abort.store(1);
        m_pWorker->wait();
    }
}

bool CCrxReadWriteDlg::OnInitDialog()
{
    CTovanelDialog::OnInitDialog();
    m_pText->setText(m_strMessage);
    setWindowTitle(m_strCaption);
    m_pWorker.reset(QThread::create([this] {
        const CrxResult result = m_job.Run();
        QMetaObject::invokeMethod(
            this, [this, result] { OnWorkerDone(result); }, Qt::QueuedConnection);
    }));
    m_pWorker->start();
    return true;
}

void CCrxReadWriteDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    OnAbort();
}

void CCrxReadWriteDlg::OnAbort()
{
    m_pText->setText(GetLangString(QStringLiteral("CRDS_MSG_ABORTING")));
    m_job.m_abort.store(1);
}

void CCrxReadWriteDlg::OnWorkerDone(CrxResult result)
{
    m_pWorker->wait();
    m_pWorker.reset();
    ShowResultMessage(result);
    EndDialog(result == CRX_OK ? 1 : 0);
}

QStringList CCrxReadWriteDlg::DetailLines(const CrxDetail& detail)
{
    QStringList lines;
    if (!detail.table.isEmpty())
        lines << FormatLangText(GetLangString(QStringLiteral("CRDS_MSG_E_CRPTABLE")), detail.table);
    if (!detail.key.isEmpty())
        lines << FormatLangText(GetLangString(QStringLiteral("CRDS_MSG_E_CRPROW")), detail.key);
    if (!detail.column.isEmpty())
        lines << FormatLangText(GetLangString(QStringLiteral("CRDS_MSG_E_CRPCOLUMN")),
                                detail.column);
    if (!detail.statement.isEmpty())
        lines << FormatLangText(GetLangString(QStringLiteral("CRDS_MSG_E_CRPSTATEMENT")),
                                detail.statement);
    return lines;
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
        request.key = m_job.m_mode == CCrxReadWriteJob::Mode::Read
                          ? QStringLiteral("CRDS_MSG_E_OPENCRP")
                          : QStringLiteral("CRDS_MSG_E_SAVECRP");
        request.text =
            QStringLiteral("%1\n[%2]")
                .arg(GetLangString(request.key),
                     QString::number(result, 16).toUpper().rightJustified(8, QLatin1Char('0')));
        const QStringList detail = DetailLines(m_job.m_detail);
        if (!detail.isEmpty())
            request.text += u'\n' + detail.join(u'\n');
        request.icon = platform::MessageIcon::Error;
    }
    platform::showMessage(request);
}

} // namespace tovanel
