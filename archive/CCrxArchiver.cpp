#include "archive/CCrxArchiver.h"

#include "archive/CCrxBzip2Process.h"
#include "archive/CrxDiskReserve.h"
#include "archive/CrxFileOps.h"
#include "platform/FileTime.h"
#include "platform/LegacyCodePage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUtf8StringView>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr qint64 kEntryOverhead = 512;
constexpr qint64 kMinUnpackLimit = qint64(2) << 30;
constexpr qint64 kUnpackRatio = 200;
constexpr size_t kChunk = 64 * 1024;
constexpr size_t kChildChunk = 256 * 1024;
constexpr int kTempNameCount = 9999;

struct ReadDeleter
{
    void operator()(archive* a) const { archive_read_free(a); }
};
struct WriteDeleter
{
    void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryDeleter
{
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};

class Fd
{
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_fd;
};

// The entry's path as components below the unpack folder (empty for the
// folder itself), or nullopt when it would leave it. Backslashes count as
// separators: Windows archivers write them, and "..\x" must not slip
// through.
std::optional<QStringList> SafeComponents(const QString& entryPath)
{
    QString path = entryPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')))
        return std::nullopt;
    QStringList parts;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String(".."))
            return std::nullopt;
        parts << part;
    }
    return parts;
}

// The entry's name. Tar names carry no encoding: ours are UTF-8, a Windows
// tar writes the legacy code page (CP932). The bytes as stored decide;
// decoding them lossily once gave two files one name.
QString EntryPath(archive_entry* entry)
{
    if (const char* raw = archive_entry_pathname(entry)) {
        const QByteArray bytes(raw);
        if (QUtf8StringView(bytes).isValidUtf8())
            return QString::fromUtf8(bytes);
        return platform::LegacyCodePage::decode(bytes);
    }
    if (const char* utf8 = archive_entry_pathname_utf8(entry))
        return QString::fromUtf8(utf8);
    return {};
}

QStringList FolderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// Removes what an unpack added to the folder (links are removed as
// themselves, never followed).
void RemoveNewEntries(const QString& folder, const QStringList& before)
{
    for (const QString& name : FolderEntries(folder)) {
        if (before.contains(name))
            continue;
        std::error_code ec;
        fs::remove_all(fs::path(QFile::encodeName(folder + QLatin1Char('/') + name).toStdString()),
                       ec);
    }
}

// Creates each missing folder below root; refuses to pass through anything
// that is not a real folder (a link left by an earlier entry, a file).
bool MakeFolders(const QString& root, const QStringList& parts, qsizetype count)
{
    QString path = root;
    for (qsizetype i = 0; i < count; ++i) {
        path += QLatin1Char('/') + parts[i];
        const QByteArray native = QFile::encodeName(path);
        struct stat st
        {
        };
        if (::lstat(native.constData(), &st) == 0) {
            if (!S_ISDIR(st.st_mode))
                return false;
            continue;
        }
        if (::mkdir(native.constData(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

// The start of a bzip2 stream as libarchive's own reader recognises it:
// "BZh", the level, then the magic of a block or of the stream's end.
bool StartsAsBzip2(int fd)
{
    unsigned char head[10];
    if (::pread(fd, head, sizeof head, 0) != ssize_t(sizeof head))
        return false;
    static const unsigned char block[6] = {0x31, 0x41, 0x59, 0x26, 0x53, 0x59};
    static const unsigned char end[6] = {0x17, 0x72, 0x45, 0x38, 0x50, 0x90};
    return std::equal(head, head + 3, "BZh") && head[3] >= '1' && head[3] <= '9' &&
           (std::equal(head + 4, head + 10, block) || std::equal(head + 4, head + 10, end));
}

// What lbzip2 decompressed, as libarchive's input.
struct ChildSource
{
    CCrxBzip2Process* child;
    std::vector<char> buffer = std::vector<char>(kChildChunk);
};

la_ssize_t ReadChild(archive* a, void* data, const void** block)
{
    auto* source = static_cast<ChildSource*>(data);
    const ssize_t n = source->child->Read(source->buffer.data(), source->buffer.size());
    if (n < 0) {
        archive_set_error(a, errno, "lbzip2 output");
        return -1;
    }
    *block = source->buffer.data();
    return n;
}

la_ssize_t WriteChild(archive* a, void* data, const void* buffer, size_t size)
{
    if (!static_cast<CCrxBzip2Process*>(data)->Write(static_cast<const char*>(buffer), size)) {
        archive_set_error(a, EPIPE, "lbzip2 input");
        return -1;
    }
    return la_ssize_t(size);
}

} // namespace

bool CCrxArchiver::UsesParallel() const
{
    return m_bParallel && !CCrxBzip2Process::Program().isEmpty();
}

qint64 CCrxArchiver::UnpackLimitFor(qint64 archiveSize) const
{
    if (m_nUnpackLimit > 0)
        return m_nUnpackLimit;
    return std::max(kMinUnpackLimit, archiveSize * kUnpackRatio);
}

CrxResult CCrxArchiver::Unpack(const QString& archivePath, const QString& folder)
{
    if (PathKind(archivePath) != CRX_PATH_FILE || PathKind(folder) != CRX_PATH_FOLDER)
        return CRX_E_UNPACK;
    // A failed unpack leaves nothing behind: after a full disk above all.
    const QStringList before = FolderEntries(folder);
    const CrxResult rc = UnpackEntries(archivePath, folder);
    if (rc != CRX_OK)
        RemoveNewEntries(folder, before);
    return rc;
}

CrxResult CCrxArchiver::UnpackEntries(const QString& archivePath, const QString& folder)
{
    const qint64 limit = UnpackLimitFor(QFileInfo(archivePath).size());
    CrxDiskReserve reserve(folder);

    // Outlives the reader, which reads from it.
    CCrxBzip2Process child;
    ChildSource source{&child};
    std::unique_ptr<archive, ReadDeleter> reader(archive_read_new());
    if (!reader)
        return CRX_E_UNPACK;
    archive_read_support_filter_bzip2(reader.get());
    archive_read_support_format_tar(reader.get());
    // lbzip2 decodes the outer bzip2 stream on every core; the tar inside is
    // still read and checked here. Anything that does not start as bzip2
    // goes the in-process way, which refuses it as before.
    bool parallel = false;
    if (UsesParallel()) {
        Fd in(::open(QFile::encodeName(archivePath).constData(), O_RDONLY | O_CLOEXEC));
        parallel = in.get() >= 0 && StartsAsBzip2(in.get()) && child.StartDecompress(in.get());
    }
    const int opened =
        parallel ? archive_read_open(reader.get(), &source, nullptr, ReadChild, nullptr)
                 : archive_read_open_filename(reader.get(),
                                              QFile::encodeName(archivePath).constData(), kChunk);
    if (opened != ARCHIVE_OK)
        return CRX_E_UNPACK;

    qint64 total = 0;
    std::vector<char> buffer(kChunk);
    for (;;) {
        if (Aborted())
            return CRX_E_CANCELLED;
        archive_entry* entry = nullptr;
        const int rc = archive_read_next_header(reader.get(), &entry);
        if (rc == ARCHIVE_EOF)
            break;
        if (rc != ARCHIVE_OK && rc != ARCHIVE_WARN)
            return CRX_E_UNPACK;
        // Only a bzip2 tar is a setting archive (an uncompressed tar is not).
        const int filter = archive_filter_code(reader.get(), 0);
        if (filter != ARCHIVE_FILTER_BZIP2 && !(parallel && filter == ARCHIVE_FILTER_NONE))
            return CRX_E_UNPACK;

        const std::optional<QStringList> safe = SafeComponents(EntryPath(entry));
        const mode_t type = archive_entry_filetype(entry);
        if (!safe || archive_entry_hardlink(entry) || archive_entry_symlink(entry) ||
            (type != AE_IFREG && type != AE_IFDIR))
            return CRX_E_UNPACK;
        const QStringList& parts = *safe;
        if (parts.isEmpty()) {
            if (type == AE_IFDIR)
                continue; // "./", the unpack folder itself
            return CRX_E_UNPACK;
        }
        total += kEntryOverhead;
        if (total > limit || !reserve.Take(kEntryOverhead))
            return CRX_E_UNPACK;

        if (type == AE_IFDIR) {
            if (!MakeFolders(folder, parts, parts.size()))
                return CRX_E_UNPACK;
            continue;
        }
        if (!MakeFolders(folder, parts, parts.size() - 1))
            return CRX_E_UNPACK;
        const QString target = folder + QLatin1Char('/') + parts.join(QLatin1Char('/'));
        // O_NOFOLLOW: never write through a link, whatever lies there.
        // O_EXCL: two entries that land on one name fail the unpack instead
        // of the second overwriting the first.
        Fd out(::open(QFile::encodeName(target).constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
        if (out.get() < 0)
            return CRX_E_UNPACK;
        for (;;) {
            if (Aborted())
                return CRX_E_CANCELLED;
            const la_ssize_t n = archive_read_data(reader.get(), buffer.data(), buffer.size());
            if (n == 0)
                break;
            if (n < 0)
                return CRX_E_UNPACK;
            total += n;
            if (total > limit || !reserve.Take(n) || !WriteAll(out.get(), buffer.data(), size_t(n)))
                return CRX_E_UNPACK;
        }
        if (!out.close())
            return CRX_E_UNPACK;
        if (archive_entry_mtime_is_set(entry))
            platform::setLastWriteTimeNs(target,
                                         qint64(archive_entry_mtime(entry)) * 1'000'000'000 +
                                             archive_entry_mtime_nsec(entry));
    }
    return archive_read_close(reader.get()) == ARCHIVE_OK ? CRX_OK : CRX_E_UNPACK;
}

namespace {

struct PackItem
{
    QString relative;
    fs::path native;
    bool folder;
};

// Every entry below root, folders before their contents, in name order.
bool CollectTree(const fs::path& root, const QString& prefix, std::vector<PackItem>& items)
{
    std::error_code ec;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(it->path());
    if (ec)
        return false;
    std::sort(entries.begin(), entries.end());
    for (const fs::path& entry : entries) {
        const QString name = QFile::decodeName(QByteArray::fromStdString(entry.filename()));
        const QString relative = prefix + name;
        const fs::file_type type = fs::symlink_status(entry, ec).type();
        if (ec)
            return false;
        if (type == fs::file_type::directory) {
            items.push_back({relative, entry, true});
            if (!CollectTree(entry, relative + QLatin1Char('/'), items))
                return false;
        } else if (type == fs::file_type::regular) {
            items.push_back({relative, entry, false});
        } else {
            // A link or device would give an archive our own reader refuses.
            return false;
        }
    }
    return true;
}

} // namespace

CrxResult CCrxArchiver::Pack(const QString& folder, const QString& archivePath)
{
    if (PathKind(folder) != CRX_PATH_FOLDER || archivePath.isEmpty())
        return CRX_E_PACK;
    std::vector<PackItem> items;
    if (!CollectTree(fs::path(QFile::encodeName(folder).toStdString()), QString(), items))
        return CRX_E_PACK;

    Fd out(::open(QFile::encodeName(archivePath).constData(),
                  O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (out.get() < 0)
        return CRX_E_PACK;
    // lbzip2 compresses the tar on every core straight into the archive.
    CCrxBzip2Process child;
    const bool parallel = UsesParallel() && child.StartCompress(out.get());
    std::unique_ptr<archive, WriteDeleter> writer(archive_write_new());
    if (!writer || archive_write_set_format_pax_restricted(writer.get()) != ARCHIVE_OK)
        return CRX_E_PACK;
    int opened = ARCHIVE_FATAL;
    if (parallel)
        opened = archive_write_open(writer.get(), &child, nullptr, WriteChild, nullptr);
    else if (archive_write_add_filter_bzip2(writer.get()) == ARCHIVE_OK)
        opened = archive_write_open_fd(writer.get(), out.get());
    if (opened != ARCHIVE_OK)
        return CRX_E_PACK;

    std::vector<char> buffer(kChunk);
    const auto fail = [&writer, &out, &child, parallel](CrxResult rc) {
        if (parallel) {
            // Killed before the file is emptied, so it writes nothing more.
            // The close then only releases the writer's buffers: what it
            // still writes finds no child.
            child.Kill();
            archive_write_close(writer.get());
            [[maybe_unused]] const int emptied = ::ftruncate(out.get(), 0);
            return rc;
        }
        // A failed pack never leaves a file that reads as an archive: it is
        // emptied, and whatever is still written goes to /dev/null.
        [[maybe_unused]] const int emptied = ::ftruncate(out.get(), 0);
        const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        const bool cutOff = devNull >= 0 && ::dup2(devNull, out.get()) >= 0;
        if (devNull >= 0)
            ::close(devNull);
        // Only a close releases the bzip2 compressor (archive_write_fail and
        // free leak its megabytes), and it compresses the pending block
        // first, which would hold up a cancel for most of a second: it runs
        // on a thread of its own, which owns the descriptor until then.
        if (!cutOff) {
            archive_write_close(writer.get());
            [[maybe_unused]] const int again = ::ftruncate(out.get(), 0);
            return rc;
        }
        std::thread([a = writer.release(), fd = out.release()] {
            archive_write_close(a);
            archive_write_free(a);
            ::close(fd);
        }).detach();
        return rc;
    };
    for (const PackItem& item : items) {
        if (Aborted())
            return fail(CRX_E_CANCELLED);
        struct stat st
        {
        };
        if (::lstat(item.native.c_str(), &st) != 0)
            return fail(CRX_E_PACK);
        std::unique_ptr<archive_entry, EntryDeleter> entry(archive_entry_new());
        archive_entry_set_pathname_utf8(
            entry.get(),
            (item.relative + (item.folder ? QStringLiteral("/") : QString())).toUtf8().constData());
        archive_entry_set_filetype(entry.get(), item.folder ? AE_IFDIR : AE_IFREG);
        archive_entry_set_perm(entry.get(), item.folder ? 0755 : 0644);
        archive_entry_set_size(entry.get(), item.folder ? 0 : st.st_size);
        archive_entry_set_mtime(entry.get(), st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
        if (archive_write_header(writer.get(), entry.get()) != ARCHIVE_OK)
            return fail(CRX_E_PACK);
        if (item.folder)
            continue;

        Fd in(::open(item.native.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        if (in.get() < 0)
            return fail(CRX_E_PACK);
        qint64 left = st.st_size;
        while (left > 0) {
            if (Aborted())
                return fail(CRX_E_CANCELLED);
            const ssize_t n = ::read(in.get(), buffer.data(),
                                     size_t(std::min<qint64>(left, qint64(buffer.size()))));
            if (n < 0 && errno == EINTR)
                continue;
            // A file that shrank while packing would leave a damaged entry.
            if (n <= 0 || archive_write_data(writer.get(), buffer.data(), size_t(n)) != n)
                return fail(CRX_E_PACK);
            left -= n;
        }
    }
    if (Aborted())
        return fail(CRX_E_CANCELLED);
    if (archive_write_close(writer.get()) != ARCHIVE_OK)
        return parallel ? fail(CRX_E_PACK) : CRX_E_PACK;
    // An lbzip2 that failed or died leaves no archive that passes as saved.
    if (parallel)
        if (CrxResult rc = child.Finish(m_pAbort, CRX_E_PACK))
            return fail(rc);
    // On disk before it replaces the previous archive.
    if (::fsync(out.get()) != 0 || !out.close())
        return CRX_E_PACK;
    return CRX_OK;
}

CrxResult CCrxArchiver::PackToTarget(const QString& folder, const QString& target)
{
    QString temp;
    if (target.isEmpty() || !MakeTempArchiveName(target, temp))
        return CRX_E_PACK;
    const CrxResult rc = Pack(folder, temp);
    if (rc != CRX_OK) {
        RetryDeleteFile(temp);
        return rc;
    }
    // rename() replaces the target in one step: readers see the old archive
    // or the new one, never a missing or partial file.
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) !=
        0) {
        RetryDeleteFile(temp);
        return CRX_E_REPLACE_TARGET;
    }
    return CRX_OK;
}

int CCrxArchiver::MakeTempArchiveName(const QString& target, QString& path)
{
    return MakeTempArchiveName(target, QDateTime::currentDateTime(), path);
}

int CCrxArchiver::MakeTempArchiveName(const QString& target, const QDateTime& localNow,
                                      QString& path)
{
    path.clear();
    const QString folder = QFileInfo(target).absolutePath();
    if (PathKind(folder) != CRX_PATH_FOLDER)
        return 0;
    const QString stamp = localNow.toString(QStringLiteral("MMddHHmmss"));
    for (int n = 0; n < kTempNameCount; ++n) {
        const QString candidate = folder + QLatin1String("/Trennic01") + stamp +
                                  QString::number(n).rightJustified(4, QLatin1Char('0')) +
                                  QLatin1String(".crx");
        QFile file(candidate);
        // NewOnly: a name whose file exists is never taken.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            path = candidate;
            return 1;
        }
    }
    return 0;
}
