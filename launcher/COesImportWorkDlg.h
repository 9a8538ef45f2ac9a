#pragma once

#include "launcher/COesImportJob.h"
#include "launcher/CTovanelDialog.h"

#include <memory>

class QThread;

namespace tovanel {

// The progress dialog of the OES take-over: a text and a busy indicator
// while the job runs on a thread of its own over the window's connection.
// It cannot be cancelled: Enter, Escape and closing the window do nothing.
// A failure's message is shown before the dialog ends.
class COesImportWorkDlg : public CTovanelDialog
{
    Q_OBJECT
public:
    static constexpr uint IDD = 3018;
    static constexpr uint IDC_STATIC_TXT_PROC = 23123;
    static constexpr uint IDC_ANIMATE = 1065;

    explicit COesImportWorkDlg(QWidget* parent = nullptr);
    ~COesImportWorkDlg() override;

    // Filled before DoModal: connection, data folder and the choices.
    COesImportJob& Job() { return m_job; }

protected:
    bool OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void closeEvent(QCloseEvent* event) override;

private:
    void OnWorkerDone(bool failed);

    COesImportJob m_job;
    std::unique_ptr<QThread> m_pWorker;
};

} // namespace tovanel
