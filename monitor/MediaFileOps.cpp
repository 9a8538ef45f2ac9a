#include "monitor/MediaFileOps.h"

#include "shared/config/CBasePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;

namespace mervolt {

namespace {

std::mutex g_waitMutex;
MonWaitFunction g_wait;
MonRenameFunction g_rename;

void RetryWait()
{
    MonWaitFunction wait;
    {
        std::lock_guard lock(g_waitMutex);
        wait = g_wait;
    }
    if (wait)
        wait(kMonRetryPauseMs);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(kMonRetryPauseMs));
}

// Runs the attempt until it succeeds, pausing between attempts; stop ends
// the retries early.
template <typename F, typename S> bool Retry(F&& attempt, S&& stop)
{
    for (int n = 1;; ++n) {
        if (attempt())
            return true;
        if (n == kMonRetryAttempts || stop())
            return false;
        RetryWait();
    }
}

template <typename F> bool Retry(F&& attempt)
{
    return Retry(attempt, [] { return false; });
}

bool Aborted(const MonCopyControl* control)
{
    return control && control->abort && control->abort->load() != 0;
}

fs::path NativePath(const QString& path)
{
    return fs::path(QFile::encodeName(path).toStdString());
}

bool IsLink(const QString& path)
{
    std::error_code ec;
    return fs::is_symlink(fs::symlink_status(NativePath(path), ec));
}

// A hard link made beside the target and renamed over it.
bool LinkOnce(const QString& source, const QString& target, const MonCopyControl* control,
              qint64& done)
{
    const fs::path from = NativePath(source);
    const fs::path beside = NativePath(target + QStringLiteral(".~link"));
    std::error_code ec;
    fs::remove(beside, ec);
    fs::create_hard_link(from, beside, ec);
    if (ec)
        return false;
    fs::rename(beside, NativePath(target), ec);
    if (ec) {
        fs::remove(beside, ec);
        return false;
    }
    done += qint64(fs::file_size(from, ec));
    if (control->progress)
        control->progress(done);
    return true;
}

bool CopyOnce(const QString& source, const QString& target, const MonCopyControl* control,
              qint64& done)
{
    // Only a regular file: a pipe would block and a device never end.
    std::error_code ec;
    if (!fs::is_regular_file(fs::status(NativePath(source), ec)))
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    // A link in the target's place is replaced, never written through.
    if (IsLink(target) && !QFile::remove(target))
        return false;
    if (control && control->link && LinkOnce(source, target, control, done))
        return true;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const qint64 start = done;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        if (Aborted(control))
            break;
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n < 0)
            break;
        if (n == 0)
            return out.commit();
        if (out.write(buffer.constData(), n) != n)
            break;
        done += n;
        if (control && control->progress)
            control->progress(done);
    }
    done = start;
    out.cancelWriting();
    return false;
}

bool CopyFileCounted(const QString& source, const QString& target, const MonCopyControl* control,
                     qint64& done)
{
    if (source.isEmpty() || target.isEmpty())
        return false;
    return Retry([&] { return !Aborted(control) && CopyOnce(source, target, control, done); },
                 [&] { return Aborted(control); });
}

QString WithSlash(const QString& path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

bool CopyTree(const QString& source, const QString& target, const MonCopyControl* control,
              qint64& done)
{
    CreateDirectoryRetry(target);
    const QDir dir(source);
    if (!dir.isReadable())
        return false;
    const QFileInfoList entries = dir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (Aborted(control))
            return false;
        if (entry.fileName().startsWith(u'.') || entry.isSymLink())
            continue;
        const QString to = target + entry.fileName();
        bool ok = true;
        if (entry.isDir())
            ok = CopyTree(WithSlash(entry.filePath()), WithSlash(to), control, done);
        else if (entry.isFile())
            ok = CopyFileCounted(entry.filePath(), to, control, done);
        if (!ok)
            return false;
    }
    return true;
}

} // namespace

MonRenameFunction SetMonRenameFunction(MonRenameFunction rename)
{
    std::lock_guard lock(g_waitMutex);
    MonRenameFunction previous = std::move(g_rename);
    g_rename = std::move(rename);
    return previous;
}

bool MonRename(const QString& from, const QString& to)
{
    MonRenameFunction rename;
    {
        std::lock_guard lock(g_waitMutex);
        rename = g_rename;
    }
    if (rename)
        return rename(from, to);
    std::error_code ec;
    fs::rename(NativePath(from), NativePath(to), ec);
    return !ec;
}

qint64 TreeSize(const QString& folder)
{
    qint64 total = 0;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(NativePath(folder), ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code sizeError;
        if (it->is_regular_file(sizeError) && !it->is_symlink(sizeError))
            total += qint64(it->file_size(sizeError));
    }
    return total;
}

MonWaitFunction SetMonRetryWait(MonWaitFunction wait)
{
    std::lock_guard lock(g_waitMutex);
    MonWaitFunction previous = std::move(g_wait);
    g_wait = std::move(wait);
    return previous;
}

bool CopyFileRetry(const QString& source, const QString& target, const MonCopyControl* control)
{
    qint64 done = 0;
    return CopyFileCounted(source, target, control, done);
}

bool CreateDirectoryRetry(const QString& path)
{
    if (path.isEmpty())
        return false;
    return Retry([&] {
        QDir().mkpath(path);
        return QFileInfo(path).isDir();
    });
}

bool DeleteFileRetry(const QString& path)
{
    if (path.isEmpty())
        return false;
    const fs::path native = NativePath(path);
    std::error_code ec;
    return Retry(
        [&] {
            const fs::file_status status = fs::symlink_status(native, ec);
            if (!fs::exists(status))
                return true;
            if (fs::is_directory(status))
                return false;
            fs::remove(native, ec);
            return !fs::exists(fs::symlink_status(native, ec));
        },
        // A folder is no file: no attempt removes it.
        [&] { return fs::is_directory(fs::symlink_status(native, ec)); });
}

int GetPathKind(const QString& path)
{
    if (path.isEmpty())
        return MON_PATH_NONE;
    const QFileInfo info(path);
    if (!info.exists())
        return MON_PATH_NONE;
    return info.isDir() ? MON_PATH_FOLDER : MON_PATH_FILE;
}

bool CopyDirectoryTree(const QString& source, const QString& target, const MonCopyControl* control)
{
    if (source.isEmpty() || target.isEmpty())
        return false;
    const QString from = WithSlash(source);
    const QString to = WithSlash(target);
    const QFileInfo info(from);
    if (!info.isDir() || IsLink(source) || from.compare(to, Qt::CaseInsensitive) == 0)
        return false;
    // A target inside the source would copy itself without end.
    std::error_code ec;
    const fs::path fromCanonical = fs::weakly_canonical(NativePath(from), ec);
    const fs::path toCanonical = fs::weakly_canonical(NativePath(to), ec);
    if (ec)
        return false;
    const auto [end, rest] = std::mismatch(fromCanonical.begin(), fromCanonical.end(),
                                           toCanonical.begin(), toCanonical.end());
    if (end == fromCanonical.end() || (std::next(end) == fromCanonical.end() && end->empty()))
        return false;
    qint64 done = 0;
    return CopyTree(from, to, control, done);
}

bool RemoveDirectoryTree(const QString& folder)
{
    if (folder.isEmpty())
        return true;
    CBasePath::DeleteFolder(folder);
    return GetPathKind(folder) != MON_PATH_FOLDER;
}

} // namespace mervolt
