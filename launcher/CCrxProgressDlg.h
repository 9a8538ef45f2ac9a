#pragma once

#include "launcher/CTovanelDialog.h"

#include "archive/CrxResult.h"

#include <functional>
#include <memory>

class QLabel;
class QThread;

namespace tovanel {

// Template 106, the progress dialog of the archive work: a text line (1064),
// a busy indicator where the animation played (1065) and Abort (1066). Work
// runs on a thread of its own and its result comes back by a queued call.
// Abort and the window's close show "CRDS_MSG_ABORTING" and set the job's
// abort flag; Enter and Escape do nothing.
class CCrxProgressDlg : public CTovanelDialog
{
    Q_OBJECT

public:
    static constexpr uint IDD = 106;
    static constexpr uint IDC_STATIC_CRX_PROC = 1064;
    static constexpr uint IDC_ANIMATE = 1065;
    static constexpr uint IDC_BUTTON_ABORT = 1066;

    // abort: the flag of the job the subclass owns.
    CCrxProgressDlg(CrxAbortFlag& abort, QWidget* parent);
    ~CCrxProgressDlg() override;

protected:
    void OnOK() override {}
    void OnCancel() override {}
    void closeEvent(QCloseEvent* event) override;

    void SetText(const QString& text);
    // Runs work on a worker thread; done gets its result on the window's
    // thread once the thread has ended.
    void RunOnWorker(const std::function<CrxResult()>& work,
                     const std::function<void(CrxResult)>& done);
    // The job belongs to the subclass: its destructor calls this, so the
    // worker never outlives it.
    void StopWorker();

private:
    void OnAbort();

    CrxAbortFlag& m_abort;
    QLabel* m_pText = nullptr;
    std::unique_ptr<QThread> m_pWorker;
};

} // namespace tovanel
