#include "platform/FileTime.h"

#include <QFile>

#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

std::optional<qint64> lastWriteTimeNs(const QString& path)
{
    struct stat st
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
}

bool setLastWriteTimeNs(const QString& path, qint64 ns)
{
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT; // keep the access time
    times[1].tv_sec = ns / 1'000'000'000;
    times[1].tv_nsec = ns % 1'000'000'000;
    if (times[1].tv_nsec < 0) {
        times[1].tv_nsec += 1'000'000'000;
        --times[1].tv_sec;
    }
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

bool touchLastWriteTime(const QString& path)
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return setLastWriteTimeNs(path,
                              std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

} // namespace platform
