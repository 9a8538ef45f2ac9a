#pragma once

// Runs an outside tool (tar, bzip2, sqlite3, python3) to its end, as tests
// do to check what the suite wrote. Not through QProcess: Qt starts a child
// the vfork way, and the child's calls run inside the race detector's state
// of the calling thread, which then no longer sees that thread's locks.
// posix_spawn's child calls nothing the detector watches.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace korvane::test {

struct ToolResult
{
    // The exit code; -1 when the tool could not start, was killed or ran
    // past its time.
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// The program is looked up on the PATH; workDir empty: the test's own.
ToolResult RunTool(const QString& program, const QStringList& args,
                   const QString& workDir = QString(), int timeoutMs = 60000);

} // namespace korvane::test
