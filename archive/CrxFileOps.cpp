#include "archive/CrxFileOps.h"

#include "archive/CrxSeam.h"
#include "platform/FileTime.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <filesystem>
#include <sys/socket.h>
#include <unistd.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

CrxSeam<CrxWaitFunction> g_wait;

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

} // namespace

bool CopyFileOverwrite(const QString& source, const QString& destination)
{
    if (PathKind(source) != CRX_PATH_FILE)
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    // Written beside the destination and renamed over it: a failed copy
    // leaves the old file.
    QSaveFile out(destination);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray chunk;
    while (!(chunk = in.read(1 << 20)).isEmpty()) {
        if (out.write(chunk) != chunk.size())
            return false;
    }
    if (in.error() != QFileDevice::NoError)
        return false;
    return out.commit();
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
    if (path.isEmpty())
        return CRX_PATH_MISSING;
    std::error_code ec;
    const fs::file_status status = fs::status(NativePath(path), ec);
    if (ec)
        return CRX_PATH_MISSING;
    if (status.type() == fs::file_type::directory)
        return CRX_PATH_FOLDER;
    if (status.type() == fs::file_type::not_found)
        return CRX_PATH_MISSING;
    return CRX_PATH_FILE;
}

int RetryCreateFolder(const QString& path)
{
    if (path.isEmpty())
        return 0;
    for (int attempt = 1;; ++attempt) {
        std::error_code ec;
        fs::create_directory(NativePath(path), ec);
        if (PathKind(path) == CRX_PATH_FOLDER)
            return 1;
        if (attempt == kCrxCopyAttempts)
            return 0;
        CrxWait(kCrxCopyPauseMs);
    }
}

int RetryCopyFile(const QString& source, const QString& destination)
{
    if (source.isEmpty() || destination.isEmpty())
        return 0;
    for (int attempt = 0; attempt < kCrxCopyAttempts; ++attempt) {
        if (CopyFileOverwrite(source, destination))
            return 1;
        CrxWait(kCrxCopyPauseMs);
    }
    return 0;
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
    RetryCreateFolder(destination);

    const QDir dir(source);
    const QFileInfoList entries = dir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (entry.fileName().startsWith(QLatin1Char('.')))
            continue;
        const QString target = destination + QLatin1Char('/') + entry.fileName();
        const bool ok = entry.isDir() ? CopyFolderTree(entry.filePath(), target) != 0
                                      : RetryCopyFile(entry.filePath(), target) != 0;
        if (!ok)
            return 0;
    }
    return 1;
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
