#include "goods/CResDispDlg.h"

#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"

#include "platform/MessageBox.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>

namespace brelkin {

namespace {

const QString kCloseKey = QStringLiteral("CRDC_RESULT_CLOSE");
const QString kAbortKey = QStringLiteral("CRDC_RESULT_ABORTBTN");

} // namespace

CResDispDlg::CResDispDlg(QWidget* parent) : CSarvikDialog(parent)
{
    CDialogTemplate tmpl(this, 9, 300, 200);
    setWindowTitle(QStringLiteral("CRDD_RESULT_DISP"));
    tmpl.Add<QLabel>(IDC_PROCMEMNO, QStringLiteral("CRDC_STATIC_PROCMEMNO"), 7, 9, 80, 10);
    m_pStatus = tmpl.Add<QLineEdit>(IDC_STATUS, QString(), 90, 5, 203, 18);
    m_pStatus->setReadOnly(true);
    m_pStatus->setFocusPolicy(Qt::NoFocus);
    tmpl.Add<QLabel>(IDC_RESULTLABEL, QStringLiteral("CRDC_STATIC_RESULTLABEL"), 7, 28, 120, 10);
    m_pLog = tmpl.Add<QPlainTextEdit>(IDC_LOG, QString(), 7, 40, 286, 132);
    m_pLog->setReadOnly(true);
    m_pLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pButton = tmpl.Add<QPushButton>(2, kCloseKey, 243, 179, 50, 14);
    connect(m_pButton, &QPushButton::clicked, this, &CResDispDlg::OnButton);
    // The status box black on light yellow, the log black on white.
    QPalette status = m_pStatus->palette();
    status.setColor(QPalette::Base, QColor(255, 255, 153));
    status.setColor(QPalette::Text, Qt::black);
    m_pStatus->setPalette(status);
    QPalette log = m_pLog->palette();
    log.setColor(QPalette::Base, Qt::white);
    log.setColor(QPalette::Text, Qt::black);
    m_pLog->setPalette(log);
}

CResDispDlg::~CResDispDlg()
{
    SetWaitCursor(false);
    ReleaseParent();
}

bool CResDispDlg::CreateModeless(QWidget* parent)
{
    setParent(parent, windowFlags() | Qt::Dialog);
    setModal(false);
    const bool made = Create();
    show();
    return made;
}

void CResDispDlg::SetLangTexts()
{
    SetDialogLangTexts(this);
}

bool CResDispDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect area =
        over ? over->frameGeometry() : (screen() ? screen()->availableGeometry() : QRect());
    if (area.isValid())
        move(area.center() - rect().center());
    SetWaitCursor(true);
    if (QWidget* parent = parentWidget()) {
        m_pDisabledParent = parent;
        parent->setEnabled(false);
        // The log itself stays usable: its abort button must answer.
        setEnabled(true);
    }
    QFont font = m_pStatus->font();
    font.setPixelSize(20);
    m_pStatus->setFont(font);
    m_pStatus->setMinimumHeight(QFontMetrics(font).height() + 6);
    return true;
}

QString CResDispDlg::LogText() const
{
    return m_pLog->toPlainText();
}

void CResDispDlg::AddLogLine(const QString& line)
{
    QTextCursor cursor(m_pLog->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(line + QLatin1Char('\n'));
    m_pLog->setTextCursor(cursor);
}

void CResDispDlg::SetStatus(const QString& text, int recordNo)
{
    if (recordNo != -1) {
        m_nLastRecordNo = recordNo;
        if (m_nFirstRecordNo == -1)
            m_nFirstRecordNo = recordNo;
    }
    m_pStatus->setText(text);
    SetWaitCursor(true);
}

void CResDispDlg::SetFinished(bool done)
{
    m_pButton->setText(GetLangString(done ? kCloseKey : kAbortKey));
    if (done)
        SetWaitCursor(false);
    raise();
    m_pButton->setFocus();
}

void CResDispDlg::OnButton()
{
    if (m_pButton->text() == GetLangString(kAbortKey)) {
        m_pButton->setText(GetLangString(kCloseKey));
        m_nAbort = 1;
        return;
    }
    SetWaitCursor(false);
    done(platform::IDCANCEL);
    ReleaseParent();
}

// Escape and the close box act as the button does.
void CResDispDlg::OnCancel()
{
    OnButton();
}

void CResDispDlg::OnOK() {}

void CResDispDlg::ReleaseParent()
{
    if (!m_pDisabledParent)
        return;
    QWidget* parent = m_pDisabledParent;
    m_pDisabledParent = nullptr;
    parent->setEnabled(true);
    parent->activateWindow();
    parent->setFocus();
    if (m_pFocusWindow)
        m_pFocusWindow->setFocus();
}

void CResDispDlg::SetWaitCursor(bool on)
{
    if (on == m_bWaitCursor)
        return;
    m_bWaitCursor = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

} // namespace brelkin
