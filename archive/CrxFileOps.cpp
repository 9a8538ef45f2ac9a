#include "archive/CrxFileOps.h"

#include "archive/CrxFd.h"
#include "archive/CrxSeam.h"
#include "platform/FileTime.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

CrxSeam<CrxWaitFunction> g_wait;

constexpr int kTempNameCount = 9999;
constexpr const char* kTempPrefix = ".Trennic01";
constexpr const char* kTempSuffix = ".tmp";
constexpr qsizetype kTempDigits = 14;

bool IsTempArchiveName(const QString& name)
{
    const QLatin1String prefix(kTempPrefix);
    const QLatin1String suffix(kTempSuffix);
    if (name.size() != prefix.size() + kTempDigits + suffix.size() || !name.startsWith(prefix) ||
        !name.endsWith(suffix))
        return false;
    const QStringView digits = QStringView(name).mid(prefix.size(), kTempDigits);
    return std::all_of(digits.begin(), digits.end(),
                       [](QChar c) { return c >= u'0' && c <= u'9'; });
}

fs::path NativePath(const QString& path)
{
    return fs::path(QFile::encodeName(path).toStdString());
}

// Lets the owner remove entries of a folder it made read-only.
void MakeWritable(const fs::path& folder)
{
    std::error_code ec;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ec);
}

void DeleteTreeEntries(const fs::path& folder)
{
    MakeWritable(folder);
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path entry = it->path();
        std::error_code statEc;
        // symlink_status: a link is removed as itself, never followed.
        if (fs::symlink_status(entry, statEc).type() == fs::file_type::directory)
            DeleteTreeEntries(entry);
        std::error_code removeEc;
        fs::remove(entry, removeEc);
    }
}

int PathKindAt(const fs::path& path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec)
        return CRX_PATH_MISSING;
    if (status.type() == fs::file_type::directory)
        return CRX_PATH_FOLDER;
    if (status.type() == fs::file_type::not_found)
        return CRX_PATH_MISSING;
    return CRX_PATH_FILE;
}

// By the bytes of the paths: a name that is no UTF-8 (the legacy code page
// of files copied from a register) has no lossless QString.
bool CopyFileAt(const fs::path& source, const fs::path& link)
{
    if (PathKindAt(source) != CRX_PATH_FILE)
        return false;
    // A link is written through, never replaced.
    std::error_code ec;
    fs::path destination = link;
    if (fs::is_symlink(fs::symlink_status(link, ec))) {
        destination = fs::weakly_canonical(link, ec);
        if (ec)
            return false;
    }
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    // Written beside the destination and renamed over it: a failed copy
    // leaves the old file, whose permissions the new one keeps.
    std::string temp;
    int out = -1;
    for (int n = 0; out < 0 && n < 100; ++n) {
        temp = destination.native() + ".crxcopy" + std::to_string(n);
        out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (out < 0 && errno != EEXIST)
            break;
    }
    if (out < 0) {
        ::close(in);
        return false;
    }
    struct stat old
    {
    };
    bool ok = ::stat(destination.c_str(), &old) != 0 || ::fchmod(out, old.st_mode & 07777) == 0;
    std::vector<char> buffer(1 << 20);
    while (ok) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        ok = WriteAll(out, buffer.data(), size_t(n));
    }
    ok = ::fsync(out) == 0 && ok;
    ok = ::close(out) == 0 && ok;
    ::close(in);
    if (ok && std::rename(temp.c_str(), destination.c_str()) == 0)
        return true;
    ::unlink(temp.c_str());
    return false;
}

int RetryCopyFileAt(const fs::path& source, const fs::path& destination)
{
    for (int attempt = 0; attempt < kCrxCopyAttempts; ++attempt) {
        if (CopyFileAt(source, destination))
            return 1;
        CrxWait(kCrxCopyPauseMs);
    }
    return 0;
}

int RetryCreateFolderAt(const fs::path& path)
{
    for (int attempt = 1;; ++attempt) {
        std::error_code ec;
        fs::create_directory(path, ec);
        if (PathKindAt(path) == CRX_PATH_FOLDER)
            return 1;
        if (attempt == kCrxCopyAttempts)
            return 0;
        CrxWait(kCrxCopyPauseMs);
    }
}

// Entries in name order, by their bytes (QDir passes over names that are no
// UTF-8, and a save must never leave a file out).
int CopyTreeAt(const fs::path& from, const fs::path& to)
{
    RetryCreateFolderAt(to);
    std::error_code ec;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(it->path());
    if (ec)
        return 0;
    std::sort(entries.begin(), entries.end());
    for (const fs::path& entry : entries) {
        const std::string name = entry.filename().native();
        if (name.starts_with('.'))
            continue;
        const fs::path target = to / name;
        const bool ok = PathKindAt(entry) == CRX_PATH_FOLDER ? CopyTreeAt(entry, target) != 0
                                                             : RetryCopyFileAt(entry, target) != 0;
        if (!ok)
            return 0;
    }
    return 1;
}

} // namespace

bool CopyFileOverwrite(const QString& source, const QString& destination)
{
    return CopyFileAt(NativePath(source), NativePath(destination));
}

namespace {

bool IsSameOrInside(const fs::path& inner, const fs::path& outer)
{
    auto o = outer.begin();
    auto i = inner.begin();
    for (; o != outer.end(); ++o, ++i) {
        if (o->empty() && std::next(o) == outer.end())
            break; // a trailing separator
        if (i == inner.end() || *i != *o)
            return false;
    }
    return true;
}

} // namespace

CrxWaitFunction SetCrxWait(CrxWaitFunction wait)
{
    return g_wait.Set(std::move(wait));
}

void CrxWait(int milliseconds)
{
    const CrxWaitFunction wait = g_wait.Get();
    if (wait)
        wait(milliseconds);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

QString AbsolutePath(const QString& path)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    // No cleaning: ".." after a link means the link's parent, as the file
    // system sees it.
    return QDir::currentPath() + QLatin1Char('/') + path;
}

int PathKind(const QString& path)
{
    return path.isEmpty() ? CRX_PATH_MISSING : PathKindAt(NativePath(path));
}

int RetryCreateFolder(const QString& path)
{
    return path.isEmpty() ? 0 : RetryCreateFolderAt(NativePath(path));
}

int RetryCopyFile(const QString& source, const QString& destination)
{
    if (source.isEmpty() || destination.isEmpty())
        return 0;
    return RetryCopyFileAt(NativePath(source), NativePath(destination));
}

int RetryDeleteFile(const QString& path)
{
    if (path.isEmpty())
        return 1;
    const fs::path native = NativePath(path);
    for (int attempt = 1;; ++attempt) {
        std::error_code ec;
        if (fs::symlink_status(native, ec).type() != fs::file_type::directory)
            fs::remove(native, ec);
        if (!fs::exists(fs::symlink_status(native, ec)))
            return 1;
        if (attempt == kCrxDeleteAttempts)
            return 0;
        CrxWait(kCrxDeletePauseMs);
    }
}

int DeleteFolderTree(const QString& folder)
{
    if (folder.isEmpty())
        return 1;
    const fs::path native = NativePath(folder);
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(native, ec);
    if (status.type() == fs::file_type::directory) {
        DeleteTreeEntries(native);
        fs::remove(native, ec);
    }
    return PathKind(folder) == CRX_PATH_FOLDER ? 0 : 1;
}

int CopyFolderTree(const QString& source, const QString& destination)
{
    if (source.isEmpty() || destination.isEmpty() || PathKind(source) != CRX_PATH_FOLDER)
        return 0;
    std::error_code ec;
    const fs::path from = fs::weakly_canonical(NativePath(source), ec);
    if (ec)
        return 0;
    const fs::path to = fs::weakly_canonical(NativePath(destination), ec);
    // A destination inside the source would copy itself without end.
    if (ec || IsSameOrInside(to, from))
        return 0;
    return CopyTreeAt(from, to);
}

int CreateParentAndFolder(const QString& folder)
{
    QString path = folder;
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const qsizetype cut = path.lastIndexOf(QLatin1Char('/'));
    if (cut < 0)
        return 0;
    const QString parent = cut == 0 ? QStringLiteral("/") : path.left(cut);
    return RetryCreateFolder(parent) && RetryCreateFolder(path) ? 1 : 0;
}

int ResetFolder(const QString& folder)
{
    if (!folder.contains(QLatin1Char('/')))
        return 0;
    // A folder reached through a link is emptied, not removed: the link is
    // the user's choice of where the data lives. Links inside it are removed
    // as themselves, never followed.
    const fs::path native = NativePath(folder);
    std::error_code ec;
    if (fs::symlink_status(native, ec).type() == fs::file_type::symlink &&
        PathKind(folder) == CRX_PATH_FOLDER) {
        DeleteTreeEntries(native);
        const bool empty = fs::is_empty(native, ec);
        return empty && !ec ? 1 : 0;
    }
    if (!DeleteFolderTree(folder))
        return 0;
    return CreateParentAndFolder(folder);
}

CrxResult ReadFileTime(const QString& path, CrxTime& time)
{
    time = CrxTime{};
    if (path.isEmpty())
        return CRX_E_NO_ARCHIVE;
    QFile file(path);
    if (PathKind(path) != CRX_PATH_FILE || !file.open(QIODevice::ReadOnly))
        return CRX_E_FILE_ACCESS;
    const std::optional<qint64> ns = platform::lastWriteTimeNs(path);
    if (!ns)
        return CRX_E_FILE_ACCESS;
    // Floor to the second, also before 1970.
    qint64 seconds = *ns / 1'000'000'000;
    if (*ns % 1'000'000'000 < 0)
        --seconds;
    const QDateTime utc = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
    time = {utc.date().year(), utc.date().month(),  utc.date().day(),
            utc.time().hour(), utc.time().minute(), utc.time().second()};
    return CRX_OK;
}

CrxResult JoinPath(const QString& folder, const QString& name, QString& out)
{
    out.clear();
    if (name.isEmpty())
        return CRX_OK;
    QString joined = folder;
    if (!joined.isEmpty() && !joined.endsWith(QLatin1Char('/')))
        joined += QLatin1Char('/');
    joined += name;
    if (QFile::encodeName(joined).size() > kCrxMaxPathBytes)
        return CRX_E_PATH_TOO_LONG;
    out = joined;
    return CRX_OK;
}

bool WriteAll(int fd, const char* data, size_t size, bool socket)
{
    while (size > 0) {
        const ssize_t n = socket ? ::send(fd, data, size, MSG_NOSIGNAL) : ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

int MakeTempArchiveName(const QString& target, QString& path)
{
    return MakeTempArchiveName(target, QDateTime::currentDateTime(), path);
}

int MakeTempArchiveName(const QString& target, const QDateTime& localNow, QString& path)
{
    path.clear();
    const QString folder = QFileInfo(target).absolutePath();
    if (PathKind(folder) != CRX_PATH_FOLDER)
        return 0;
    const QString stamp = localNow.toString(QStringLiteral("MMddHHmmss"));
    for (int n = 0; n < kTempNameCount; ++n) {
        const QString candidate = folder + QLatin1Char('/') + QLatin1String(kTempPrefix) + stamp +
                                  QString::number(n).rightJustified(4, QLatin1Char('0')) +
                                  QLatin1String(kTempSuffix);
        QFile file(candidate);
        // NewOnly: a name whose file exists is never taken.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            path = candidate;
            return 1;
        }
    }
    return 0;
}

bool LockTempArchive(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

void RemoveStaleTempArchives(const QString& folder)
{
    const QStringList names = QDir(folder).entryList(
        {QLatin1String(kTempPrefix) + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System);
    const time_t now = ::time(nullptr);
    for (const QString& name : names) {
        if (!IsTempArchiveName(name))
            continue;
        const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
        const CrxFd file(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (file.get() < 0)
            continue;
        struct stat held
        {
        };
        struct stat named
        {
        };
        // Removed while this process holds the lock, and only when the name
        // still leads to the file locked.
        if (::fstat(file.get(), &held) == 0 && S_ISREG(held.st_mode) &&
            now - held.st_mtim.tv_sec >= kCrxStaleTempAgeSec && LockTempArchive(file.get()) &&
            ::lstat(path.constData(), &named) == 0 && named.st_dev == held.st_dev &&
            named.st_ino == held.st_ino)
            ::unlink(path.constData());
    }
}
