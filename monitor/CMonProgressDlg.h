#pragma once

#include "shared/dialogs/CSarvikDialog.h"

#include <atomic>

class QProgressBar;
class QPushButton;

namespace mervolt {

// The window over a long copy: "copying", a bar of the bytes done and
// Abort. Abort (or Escape, or the close box) raises the job's flag; the
// job ends at its next piece and the window closes with it.
class CMonProgressDlg : public CSarvikDialog
{
    Q_OBJECT

public:
    enum : uint { IDC_PROGRESS = 23245, IDC_MESSAGE = 23246 };

    CMonProgressDlg(QWidget* parent, std::atomic<int>& abort);
    ~CMonProgressDlg() override;

    void SetProgress(qint64 done, qint64 total);
    // Ends the window once the job is over.
    void Finish();

protected:
    void SetLangTexts() override;
    void OnOK() override;
    void OnCancel() override;

private:
    std::atomic<int>& m_abort;
    QProgressBar* m_pBar = nullptr;
    QPushButton* m_pAbort = nullptr;
    bool m_bFinished = false;
};

} // namespace mervolt
