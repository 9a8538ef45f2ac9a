#include "archive/CrxDiskReserve.h"

#include "archive/CrxSeam.h"

#include <QFile>

#include <algorithm>
#include <sys/statvfs.h>

namespace {

CrxSeam<CrxFreeSpaceFunction> g_freeSpace;

std::optional<CrxDiskSpace> StatFreeSpace(const QString& folder)
{
    struct statvfs st
    {
    };
    if (::statvfs(QFile::encodeName(folder).constData(), &st) != 0)
        return std::nullopt;
    return CrxDiskSpace{qint64(st.f_bavail) * qint64(st.f_frsize),
                        qint64(st.f_blocks) * qint64(st.f_frsize)};
}

std::optional<CrxDiskSpace> FreeSpace(const QString& folder)
{
    const CrxFreeSpaceFunction function = g_freeSpace.Get();
    return function ? function(folder) : StatFreeSpace(folder);
}

} // namespace

CrxFreeSpaceFunction SetCrxFreeSpace(CrxFreeSpaceFunction function)
{
    return g_freeSpace.Set(std::move(function));
}

qint64 CrxDiskReserve::ReserveFor(qint64 total)
{
    // 5% of a small disk, never more than 2 GiB: a large, well-filled disk
    // must still open an archive that fits many times over.
    return std::max(qint64(256) << 20, std::min(total / 20, qint64(2) << 30));
}

bool CrxDiskReserve::Take(qint64 bytes)
{
    if (!m_bChecked || m_nSinceCheck + bytes > kRecheckBytes) {
        const std::optional<CrxDiskSpace> space = FreeSpace(m_strFolder);
        m_room = space ? std::optional<qint64>(space->available - ReserveFor(space->total))
                       : std::nullopt;
        m_nSinceCheck = 0;
        m_bChecked = true;
    }
    m_nSinceCheck += bytes;
    if (!m_room)
        return true;
    *m_room -= bytes;
    return *m_room >= 0;
}
