#pragma once

#include "shared/dialogs/CSarvikDialog.h"

#include <QPointer>
#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace brelkin {

// The result log of an import or paste: one line per processed record, the
// record in work, and a button that first aborts the run and then closes
// the log. Modeless; its parent stays disabled while it is open.
class CResDispDlg : public CSarvikDialog
{
    Q_OBJECT

public:
    enum : uint {
        IDD = 16005,
        IDC_STATUS = 16007,
        IDC_LOG = 23082,
        IDC_RESULTLABEL = 23084,
        IDC_PROCMEMNO = 23085,
    };

    explicit CResDispDlg(QWidget* parent = nullptr);
    ~CResDispDlg() override;

    // Makes the window with parent as its owner and shows it.
    bool CreateModeless(QWidget* parent);
    // The window that gets the focus once the log closes.
    void SetFocusWindow(QWidget* window) { m_pFocusWindow = window; }

    void AddLogLine(const QString& line);
    // A recordNo of -1 changes only the text.
    void SetStatus(const QString& text, int recordNo);
    // done: the button closes; otherwise it aborts first.
    void SetFinished(bool done);

    int FirstRecordNo() const { return m_nFirstRecordNo; }
    int LastRecordNo() const { return m_nLastRecordNo; }
    bool IsAborted() const { return m_nAbort != 0; }
    QString LogText() const;

protected:
    bool OnInitDialog() override;
    void SetLangTexts() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void OnButton();
    // Gives the parent back its input and the focus.
    void ReleaseParent();
    void SetWaitCursor(bool on);

    int m_nFirstRecordNo = -1;
    int m_nLastRecordNo = -1;
    QPointer<QWidget> m_pFocusWindow;
    QLineEdit* m_pStatus = nullptr;
    QPlainTextEdit* m_pLog = nullptr;
    QPushButton* m_pButton = nullptr;
    int m_nAbort = 0;
    bool m_bWaitCursor = false;
    QPointer<QWidget> m_pDisabledParent;
};

} // namespace brelkin
