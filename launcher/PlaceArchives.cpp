#include "launcher/PlaceArchives.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace tovanel {

namespace {

QMutex g_faultMutex;
PlaceFault g_fault;

int InjectedFault(PlaceStep step, const QString& target)
{
    QMutexLocker lock(&g_faultMutex);
    return g_fault ? g_fault(step, target) : 0;
}

// The error number of the call that just failed, never 0.
int LastError()
{
    return errno != 0 ? errno : EIO;
}

bool Exists(const QByteArray& path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

// The mode of the old target, else the mode a new file gets.
mode_t TargetMode(const QByteArray& target)
{
    struct stat st;
    if (::stat(target.constData(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int CopyInto(int in, int out)
{
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n == 0)
            return 0;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return LastError();
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t written = ::write(out, buffer.data() + done, size_t(n - done));
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return LastError();
            }
            done += written;
        }
    }
}

struct Placement
{
    QByteArray source;
    QByteArray target;
    QByteArray stage;       // beside the target; "" until made
    bool placed = false;    // renamed over the target
    bool holdsOld = false;  // stage now holds the old target (exchanged)
    bool targetNew = false; // there was no old target
};

// Puts the source beside the target under a name of its own, on disk.
int Stage(Placement& p)
{
    const QFileInfo target(QFile::decodeName(p.target));
    QByteArray pattern = QFile::encodeName(target.absolutePath() + QStringLiteral("/.") +
                                           target.fileName() + QStringLiteral(".XXXXXX"));
    const int stage = ::mkstemp(pattern.data());
    if (stage < 0)
        return LastError();
    p.stage = pattern;
    const mode_t mode = TargetMode(p.target);
    int error = 0;
    if (::rename(p.source.constData(), p.stage.constData()) == 0) {
        // The same file system: the finished file itself moves.
        ::close(stage);
        const int moved = ::open(p.stage.constData(), O_RDONLY | O_CLOEXEC);
        if (moved < 0)
            return LastError();
        if (::fchmod(moved, mode) != 0 || ::fsync(moved) != 0)
            error = LastError();
        ::close(moved);
        return error;
    }
    if (errno != EXDEV) {
        error = LastError();
        ::close(stage);
        return error;
    }
    const int in = ::open(p.source.constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        error = LastError();
        ::close(stage);
        return error;
    }
    error = CopyInto(in, stage);
    ::close(in);
    if (error == 0 && (::fchmod(stage, mode) != 0 || ::fsync(stage) != 0))
        error = LastError();
    if (::close(stage) != 0 && error == 0)
        error = LastError();
    return error;
}

// Renames the staged file over the target; an old target is exchanged with
// it, so it can be put back.
int Place(Placement& p)
{
    if (!Exists(p.target)) {
        if (::rename(p.stage.constData(), p.target.constData()) != 0)
            return LastError();
        p.stage.clear();
        p.placed = p.targetNew = true;
        return 0;
    }
    if (::renameat2(AT_FDCWD, p.stage.constData(), AT_FDCWD, p.target.constData(),
                    RENAME_EXCHANGE) == 0) {
        p.placed = p.holdsOld = true;
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return LastError();
    // A file system without the exchange: replaced for good.
    if (::rename(p.stage.constData(), p.target.constData()) != 0)
        return LastError();
    p.stage.clear();
    p.placed = true;
    return 0;
}

// Gives a placed target its old file back (or removes it when it had none).
void Restore(Placement& p)
{
    if (p.holdsOld)
        ::renameat2(AT_FDCWD, p.stage.constData(), AT_FDCWD, p.target.constData(), RENAME_EXCHANGE);
    else if (p.targetNew)
        ::unlink(p.target.constData());
}

void RemoveLeftovers(std::vector<Placement>& placements)
{
    for (Placement& p : placements) {
        if (!p.stage.isEmpty())
            ::unlink(p.stage.constData());
        if (Exists(p.source))
            ::unlink(p.source.constData());
    }
}

} // namespace

int PlaceArchives(const QList<ArchiveMove>& moves)
{
    std::vector<Placement> placements;
    for (const ArchiveMove& move : moves)
        placements.push_back({QFile::encodeName(move.source),
                              QFile::encodeName(QFileInfo(move.target).absoluteFilePath()),
                              QByteArray()});
    int error = 0;
    for (Placement& p : placements) {
        error = InjectedFault(PlaceStep::Stage, QFile::decodeName(p.target));
        if (error == 0)
            error = Stage(p);
        if (error != 0)
            break;
    }
    size_t placed = 0;
    for (; error == 0 && placed < placements.size(); ++placed) {
        Placement& p = placements[placed];
        error = InjectedFault(PlaceStep::Rename, QFile::decodeName(p.target));
        if (error == 0)
            error = Place(p);
        if (error != 0)
            break;
    }
    if (error != 0)
        for (size_t i = placed; i-- > 0;)
            Restore(placements[i]);
    RemoveLeftovers(placements);
    return error;
}

void SetPlaceFault(PlaceFault fault)
{
    QMutexLocker lock(&g_faultMutex);
    g_fault = std::move(fault);
}

} // namespace tovanel
