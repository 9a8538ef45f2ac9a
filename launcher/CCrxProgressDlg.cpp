#include "launcher/CCrxProgressDlg.h"

#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>

namespace tovanel {

CCrxProgressDlg::CCrxProgressDlg(CrxAbortFlag& abort, QWidget* parent)
    : CTovanelDialog(parent), m_abort(abort)
{
    CDialogTemplate tmpl(this, 8, 220, 66);
    m_pText = tmpl.Add<QLabel>(IDC_STATIC_CRX_PROC, QStringLiteral("CRDC_STATIC_CRX_PROC"), 7, 7,
                               206, 16);
    m_pText->setWordWrap(true);
    auto* busy = tmpl.Add<QProgressBar>(IDC_ANIMATE, QString(), 7, 26, 206, 9);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    auto* abortButton = tmpl.Add<QPushButton>(IDC_BUTTON_ABORT, QStringLiteral("CRDC_BUTTON_ABORT"),
                                              80, 42, 60, 16);
    abortButton->setAutoDefault(false);
    connect(abortButton, &QPushButton::clicked, this, &CCrxProgressDlg::OnAbort);
}

CCrxProgressDlg::~CCrxProgressDlg() = default;

void CCrxProgressDlg::StopWorker()
{
    if (m_pWorker) {
        m_abort.store(1);
        m_pWorker->wait();
        m_pWorker.reset();
    }
}

void CCrxProgressDlg::SetText(const QString& text)
{
    m_pText->setText(text);
}

void CCrxProgressDlg::RunOnWorker(const std::function<CrxResult()>& work,
                                  const std::function<void(CrxResult)>& done)
{
    m_pWorker.reset(QThread::create([this, work, done] {
        const CrxResult result = work();
        QMetaObject::invokeMethod(
            this,
            [this, result, done] {
                m_pWorker->wait();
                m_pWorker.reset();
                done(result);
            },
            Qt::QueuedConnection);
    }));
    m_pWorker->start();
}

void CCrxProgressDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    OnAbort();
}

void CCrxProgressDlg::OnAbort()
{
    SetText(GetLangString(QStringLiteral("CRDS_MSG_ABORTING")));
    m_abort.store(1);
}

} // namespace tovanel
