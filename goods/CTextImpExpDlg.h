#pragma once

#include "goods/CTextImpExpJob.h"

#include "shared/dialogs/CSarvikDialog.h"

#include <QString>

#include <memory>

class CDataManager;
class QThread;

namespace brelkin {

// The list window's delete-all, table text import and export and OES
// take-over: asks what the command needs (confirmation, import mode, file),
// then shows a text and a busy indicator while the job runs on a thread of
// its own. The job has no cancel: the window cannot be closed meanwhile, but
// stays responsive. Ends with 1 on success, 0 when declined or failed (after
// the failure's message).
class CTextImpExpDlg : public CSarvikDialog
{
    Q_OBJECT

public:
    static constexpr uint IDD = 3018;
    static constexpr uint IDC_STATIC_TXT_PROC = 23123;
    static constexpr uint IDC_ANIMATE = 23124;

    CTextImpExpDlg(CDataManager* dataManager, uint command, QWidget* parent = nullptr);
    ~CTextImpExpDlg() override;

    // Asks first; a declined question or file choice ends with 0 before any
    // window shows.
    int DoModal();

    QString m_strTitle;    // the list window's title
    QString m_strDatabase; // the work database the job opens

    // What the prepare step proposes, by command and table.
    QString DefaultFileName() const;
    bool IsRunning() const { return m_pWorker != nullptr; }

protected:
    bool OnInitDialog() override;
    void SetLangTexts() override;
    void OnOK() override {}
    void OnCancel() override {}
    void closeEvent(QCloseEvent* event) override;

private:
    bool Prepare();
    QString ChooseFile(bool save);
    void OnJobDone(bool ok);

    CDataManager* m_pDataManager; // not owned
    uint m_nCommand;
    CTextImpExpJob m_job;
    QString m_strProgressText;
    std::unique_ptr<QThread> m_pWorker;
};

} // namespace brelkin
