#pragma once

// Waits on a condition instead of a fixed pause. Header-only: test programs
// that use it link Qt Test and the platform library.

#include "platform/FileTime.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

namespace korvane::test {

// Runs what the event loop holds now (zero-time timers, queued calls), up to
// a mark queued behind it.
inline void RunQueuedWork()
{
    bool reached = false;
    QTimer::singleShot(0, [&reached] { reached = true; });
    (void)QTest::qWaitFor([&reached] { return reached; }, 5000);
}

// Waits until a file written now gets a later last-write time than path's:
// file times move in steps of a few milliseconds, and a test that looks for a
// changed time must not write within the step of the last write.
inline bool WaitForNextFileTime(const QString& path)
{
    const qint64 last = platform::lastWriteTimeNs(path).value_or(0);
    QTemporaryFile probe(QFileInfo(path).absolutePath() + QStringLiteral("/time-probe-XXXXXX"));
    if (!probe.open())
        return false;
    // A real write, so the file system stamps it with its own clock.
    return QTest::qWaitFor(
        [&] {
            return probe.write("t", 1) == 1 && probe.flush() &&
                   platform::lastWriteTimeNs(probe.fileName()).value_or(0) > last;
        },
        5000);
}

} // namespace korvane::test
