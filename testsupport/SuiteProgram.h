#pragma once

#include "testsupport/TestFolders.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace korvane::test {

// One program of the suite, end to end: its binary copied, with the language
// file beside it, into a suite folder of the test's own (a link would resolve
// to the build's suite folder and find its launcher INI), started headless
// with private XDG folders, its own runtime folder (locks and sockets) and a
// message log: every message box it shows is answered with its first button
// and its key written to the log.
class SuiteProgram
{
public:
    // binary: the built program; languageFile: the language file to put beside it.
    SuiteProgram(const QString& binary, const QString& languageFile);
    ~SuiteProgram();
    SuiteProgram(const SuiteProgram&) = delete;
    SuiteProgram& operator=(const SuiteProgram&) = delete;

    QString folder() const;
    QString runtimeFolder() const;
    void writeIni(const QByteArray& text);

    // An environment variable of the programs started from now on (over the
    // defaults above, e.g. DISPLAY and QT_QPA_PLATFORM for a private X server).
    void setEnvironment(const QString& name, const QString& value);

    // Starts the program; the process lives as long as this object.
    QProcess& start(const QStringList& arguments = {});
    // Waits until the process ends; its exit code, or -1 on time-out or crash.
    static int waitForExit(QProcess& process, int ms = 10000);
    // The message keys shown so far, in order.
    QStringList messages() const;
    // Polls until the file exists; false on time-out.
    static bool waitForFile(const QString& path, int ms = 10000);

    const TestFolders& folders() const { return m_folders; }

private:
    TestFolders m_folders;
    QString m_binary;
    QProcessEnvironment m_overrides;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

} // namespace korvane::test
