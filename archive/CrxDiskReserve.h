#pragma once

// Keeps a file system's reserve free while an archive is unpacked onto it:
// the size limit of an unpack alone would fill a smaller disk first, and a
// full disk fails far more than the unpack (the work database, the user's
// other programs).

#include <QString>

#include <functional>
#include <optional>

struct CrxDiskSpace
{
    qint64 available = 0; // bytes an unprivileged writer may still use
    qint64 total = 0;
};

// How the free space of the file system holding a folder is read; none when
// it cannot be told. Tests install one that plays a small file system; the
// previous one is returned so it can be put back (an empty function restores
// the real one).
using CrxFreeSpaceFunction = std::function<std::optional<CrxDiskSpace>(const QString& folder)>;
CrxFreeSpaceFunction SetCrxFreeSpace(CrxFreeSpaceFunction function);

class CrxDiskReserve
{
public:
    // 256 MiB or 5% of the file system, whichever is larger, at most 2 GiB.
    static qint64 ReserveFor(qint64 total);
    // The free space is read again after this many bytes, so other writers
    // count as well.
    static constexpr qint64 kRecheckBytes = qint64(64) << 20;

    explicit CrxDiskReserve(const QString& folder) : m_strFolder(folder) {}

    // False when writing this many more bytes would eat into the reserve.
    // A file system whose free space cannot be read is not limited here.
    bool Take(qint64 bytes);

private:
    QString m_strFolder;
    std::optional<qint64> m_room; // bytes left above the reserve; none: unknown
    qint64 m_nSinceCheck = 0;
    bool m_bChecked = false;
};
