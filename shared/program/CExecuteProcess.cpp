#include "shared/program/CExecuteProcess.h"

#include "shared/program/CMainWndCtrl.h"
#include "shared/lang/CommonMessage.h"
#include "shared/program/ForegroundWindow.h"

#include "platform/MessageBox.h"

#include <QFileInfo>
#include <QProcess>
#include <QWidget>

CExecuteProcess::CExecuteProcess(QObject* parent) : QObject(parent) {}

CExecuteProcess::~CExecuteProcess()
{
    if (m_bRunning) {
        // The launcher is going away under a running program (only when the
        // process ends without closing its windows): nobody waits any more.
        m_pProcess->disconnect(this);
        CMainWndCtrl::SetMainWndHandle(0);
    }
}

void CExecuteProcess::SetProgram(const QString& path, const QString& options, const QString& title,
                                 QWidget* launcher)
{
    m_strProgramPath = path;
    m_strOptions = options;
    m_strTitle = title;
    m_pLauncher = launcher;
}

QStringList CExecuteProcess::SplitOptions(const QString& options)
{
    return options.split(u' ', Qt::SkipEmptyParts);
}

bool CExecuteProcess::Execute()
{
    if (m_bRunning)
        return false;
    m_bRunning = true;
    if (m_pLauncher) {
        m_pLauncher->setEnabled(false);
        CMainWndCtrl::SetMainWndHandle(CMainWndCtrl::GetWindowToken(m_pLauncher));
        m_pLauncher->hide();
    }

    delete m_pProcess;
    m_pProcess = new QProcess(this);
    // The launcher's environment and current folder, as it always was; the
    // program's output goes where the launcher's goes.
    m_pProcess->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(m_pProcess, &QProcess::finished, this, &CExecuteProcess::OnFinished);
    connect(m_pProcess, &QProcess::errorOccurred, this,
            [this](QProcess::ProcessError error) { OnErrorOccurred(int(error)); });
    m_pProcess->start(m_strProgramPath, SplitOptions(m_strOptions));
    return true;
}

void CExecuteProcess::OnFinished()
{
    if (!m_bRunning)
        return;
    RestoreLauncher();
    emit programEnded(true);
}

void CExecuteProcess::OnErrorOccurred(int error)
{
    // A crash or a read error is followed by finished(); only a failed start
    // ends here.
    if (!m_bRunning || error != QProcess::FailedToStart)
        return;
    RestoreLauncher();
    ShowStartFailure();
    emit programEnded(false);
}

void CExecuteProcess::RestoreLauncher()
{
    m_bRunning = false;
    if (m_pLauncher) {
        m_pLauncher->setEnabled(true);
        SetForegroundWindowEx(m_pLauncher, true);
    }
    CMainWndCtrl::SetMainWndHandle(0);
}

void CExecuteProcess::ShowStartFailure()
{
    ShowCommonMessage({m_pLauncher, m_strTitle}, QStringLiteral("CRDS_CMN_ERR_EXECUTE_PROGRAM"),
                      platform::MessageIcon::Error, platform::MessageButtons::Ok,
                      QFileInfo(m_strProgramPath).fileName());
}
