#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QProcess;
class QWidget;

// Starts one settings program for the launcher and brings the launcher back
// when it ends. Everything runs on the user-interface thread: the process is
// a QProcess whose signals arrive through the event loop, so no widget is
// touched from another thread.
//
// While the program runs the launcher window is disabled and hidden and
// "MAINWH" holds the window's token; when it ends, or fails to start, the
// window is enabled, shown and brought forward and "MAINWH" is 0.
class CExecuteProcess : public QObject
{
    Q_OBJECT
public:
    explicit CExecuteProcess(QObject* parent = nullptr);
    ~CExecuteProcess() override;

    // Program path, option string (split at blanks into the argument list),
    // title of messages, launcher window.
    void SetProgram(const QString& path, const QString& options, const QString& title,
                    QWidget* launcher);
    // Starts the program and returns at once: true when the start was made
    // (a failure to start is reported later, by message); false, with
    // nothing changed, while a program of this object still runs.
    bool Execute();
    bool IsRunning() const { return m_bRunning; }

    // The blank-separated option string as the program's arguments.
    static QStringList SplitOptions(const QString& options);

    const QString& GetProgramPath() const { return m_strProgramPath; }
    const QString& GetOptions() const { return m_strOptions; }

signals:
    // After the launcher window was given back (program ended or not started).
    void programEnded(bool started);

private:
    void OnFinished();
    void OnErrorOccurred(int error);
    void RestoreLauncher();
    void ShowStartFailure();

    QString m_strProgramPath;
    QString m_strOptions;
    QString m_strTitle;
    QPointer<QWidget> m_pLauncher;
    QProcess* m_pProcess = nullptr; // child of this object
    bool m_bRunning = false;
};
