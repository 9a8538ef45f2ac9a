#include "launcher/COesImportWorkDlg.h"

#include "shared/dialogs/CDialogTemplate.h"
#include "goods/base/ProgramMessage.h"
#include "platform/MessageBox.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QThread>

namespace tovanel {

COesImportWorkDlg::COesImportWorkDlg(QWidget* parent) : CTovanelDialog(parent)
{
    CDialogTemplate tmpl(this, 8, 200, 50);
    setWindowTitle(QStringLiteral("CRDD_OES_IMPORTWORK"));
    auto* text = tmpl.Add<QLabel>(IDC_STATIC_TXT_PROC, QStringLiteral("CRDC_STATIC_TXT_PROC"), 7, 7,
                                  186, 16);
    text->setWordWrap(true);
    // A busy indicator stands where the animation played.
    auto* busy = tmpl.Add<QProgressBar>(IDC_ANIMATE, QString(), 7, 28, 186, 9);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    // No close button: the take-over runs to its end.
    setWindowFlag(Qt::WindowCloseButtonHint, false);
}

COesImportWorkDlg::~COesImportWorkDlg()
{
    // The job uses the window's connection: it never outlives the dialog.
    if (m_pWorker)
        m_pWorker->wait();
}

bool COesImportWorkDlg::OnInitDialog()
{
    CTovanelDialog::OnInitDialog();
    m_pWorker.reset(QThread::create([this] {
        const bool failed = !m_job.Run();
        QMetaObject::invokeMethod(
            this, [this, failed] { OnWorkerDone(failed); }, Qt::QueuedConnection);
    }));
    m_pWorker->start();
    return true;
}

void COesImportWorkDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

void COesImportWorkDlg::OnWorkerDone(bool failed)
{
    m_pWorker->wait();
    m_pWorker.reset();
    if (failed) {
        ShowProgramMessageText({this, windowTitle()}, QString(), m_job.m_strErrorMessage,
                               platform::MessageIcon::None);
    }
    EndDialog(failed ? 1 : 0);
}

} // namespace tovanel
