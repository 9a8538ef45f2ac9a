#pragma once

#include "launcher/CCrxReadWriteJob.h"
#include "launcher/CTovanelDialog.h"

#include <QString>

#include <memory>

class QLabel;
class QThread;

namespace tovanel {

// The progress dialog of an archive read or full write: a text line, a busy
// indicator and Abort. The job runs on a thread of its own and its result
// comes back by a queued call; the dialog ends only then, with 1 on success
// and 0 otherwise, after showing the message that belongs to the result.
class CCrxReadWriteDlg : public CTovanelDialog
{
    Q_OBJECT

public:
    static constexpr uint IDD = 106;
    static constexpr uint IDC_STATIC_CRX_PROC = 1064;
    static constexpr uint IDC_ANIMATE = 1065;
    static constexpr uint IDC_BUTTON_ABORT = 1066;

    explicit CCrxReadWriteDlg(QWidget* parent = nullptr);
    ~CCrxReadWriteDlg() override;

    // Filled by the caller before DoModal; after a successful read the
    // header the archive held is in Job().m_header.
    CCrxReadWriteJob& Job() { return m_job; }
    QString m_strMessage; // the text line
    QString m_strCaption; // window title and caption of the messages

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void closeEvent(QCloseEvent* event) override;

private:
    void OnAbort();
    void OnWorkerDone(CrxResult result);
    void ShowResultMessage(CrxResult result);
    // The lines that say where the library found the fault.
    static QStringList DetailLines(const CrxDetail& detail);

    CCrxReadWriteJob m_job;
    std::unique_ptr<QThread> m_pWorker;
    QLabel* m_pText = nullptr;
};

} // namespace tovanel
