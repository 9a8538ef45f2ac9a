#pragma once

#include <QString>

#include <optional>

namespace platform {

// Last-write time in nanoseconds since the Unix epoch; nullopt when the file
// cannot be examined. Nanoseconds, so two writes within a second differ.
std::optional<qint64> lastWriteTimeNs(const QString& path);
bool setLastWriteTimeNs(const QString& path, qint64 ns);
// Sets the last-write time to now.
bool touchLastWriteTime(const QString& path);

} // namespace platform
