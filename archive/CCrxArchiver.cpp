#include "archive/CCrxArchiver.h"

#include "archive/CCrxBzip2Process.h"
#include "archive/CCrxPackWriter.h"
#include "archive/CrxBzip2Tail.h"
#include "archive/CrxDiskReserve.h"
#include "archive/CrxFileOps.h"
#include "archive/CrxMemberName.h"
#include "platform/FileTime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <optional>
#include <sys/stat.h>
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
// Left to itself, lbzip2 runs ahead of a slower reader (the parse) by some
// 25 MB a thread. Held while it holds more than this, it decompresses on
// three threads as fast as the parse reads, and an open, child included,
// stays under 100 MB. Four made no open faster and passed 100 MB.
constexpr int kDecompressThreads = 3;
constexpr long kDecompressBudgetKb = 48 * 1024;

struct ReadDeleter
{
    void operator()(archive* a) const { archive_read_free(a); }
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

// The entry's name: the bytes as stored decide.
QString EntryPath(archive_entry* entry)
{
    if (const char* raw = archive_entry_pathname(entry))
        return CrxMemberNameText(QByteArray(raw));
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

// An unpack takes the members after the streamed one from the archive's
// last blocks when they and the end of the streamed member decode to at
// most this much.
constexpr qint64 kRestFromEndLimit = qint64(8) << 20;
constexpr qsizetype kTarBlock = 512;
constexpr qsizetype kNoStart = -1;
constexpr qsizetype kUnsure = -2;

bool AllZero(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == 0; });
}

// A ustar header whose checksum holds.
bool IsTarHeader(const char* block)
{
    if (std::memcmp(block + 257, "ustar", 5) != 0)
        return false;
    unsigned sum = 0;
    for (qsizetype i = 0; i < kTarBlock; ++i)
        sum +=
            (i >= 148 && i < 156) ? unsigned(' ') : unsigned(static_cast<unsigned char>(block[i]));
    unsigned stored = 0;
    int digits = 0;
    for (int i = 148; i < 156; ++i) {
        const char c = block[i];
        if (c >= '0' && c <= '7') {
            stored = stored * 8 + unsigned(c - '0');
            ++digits;
        } else if (c != ' ' && c != '\0') {
            return false;
        } else if (digits > 0) {
            break;
        }
    }
    return digits > 0 && stored == sum;
}

// Whether tar reads as a whole tar, from its first byte to its end mark.
bool ReadsToItsEnd(QByteArrayView tar)
{
    std::unique_ptr<archive, ReadDeleter> reader(archive_read_new());
    if (!reader)
        return false;
    archive_read_support_format_tar(reader.get());
    if (archive_read_open_memory(reader.get(), tar.data(), size_t(tar.size())) != ARCHIVE_OK)
        return false;
    for (;;) {
        archive_entry* entry = nullptr;
        const int rc = archive_read_next_header(reader.get(), &entry);
        if (rc == ARCHIVE_EOF)
            return true;
        if ((rc != ARCHIVE_OK && rc != ARCHIVE_WARN) ||
            archive_read_data_skip(reader.get()) != ARCHIVE_OK)
            return false;
    }
}

// Where in tail, the tar's last bytes, the members after a member of
// memberSize bytes whose text ends with lastText start: the one 512-byte
// step from the end with that text and the member's zero padding before
// it, and a header (or the end mark) at it from which the rest reads as a
// tar. The member's own text holds no NUL, so it cannot pass for padding
// or a header. kNoStart: none in tail; kUnsure: more than one.
qsizetype RestStart(QByteArrayView tail, qint64 memberSize, QByteArrayView lastText)
{
    const qsizetype pad = qsizetype((kTarBlock - memberSize % kTarBlock) % kTarBlock);
    qsizetype found = kNoStart;
    for (qsizetype at = tail.size() % kTarBlock; at + kTarBlock <= tail.size(); at += kTarBlock) {
        if (at < pad + lastText.size())
            continue;
        const QByteArrayView rest = tail.sliced(at);
        const bool endMark = AllZero(rest.first(kTarBlock));
        if ((!endMark && !IsTarHeader(rest.data())) || !AllZero(tail.sliced(at - pad, pad)))
            continue;
        QByteArrayView text = tail.first(at - pad);
        while (!text.isEmpty() && QByteArrayView(" \t\r\n").contains(text.back()))
            text.chop(1);
        if (!text.endsWith(lastText) || !(endMark ? AllZero(rest) : ReadsToItsEnd(rest)))
            continue;
        if (found != kNoStart)
            return kUnsure;
        found = at;
    }
    return found;
}

// The tar from the first member after the streamed one to its end, decoded
// from the archive's last blocks alone; nullopt when where it starts cannot
// be told for certain within limit decoded bytes.
std::optional<QByteArray> RestFromEnd(const QString& archivePath, qint64 memberSize,
                                      QByteArrayView lastText, qint64 limit)
{
    Fd in(::open(QFile::encodeName(archivePath).constData(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return std::nullopt;
    CrxBzip2Tail tail(in.get());
    while (tail.Extend(limit)) {
        const qsizetype at = RestStart(tail.Bytes(), memberSize, lastText);
        if (at == kUnsure)
            return std::nullopt;
        if (at != kNoStart)
            return tail.Bytes().sliced(at).toByteArray();
    }
    return std::nullopt;
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

struct CCrxArchiver::Streamed
{
    QString name;
    ICrxMemberSink* sink;
    bool found = false;
};

CrxResult CCrxArchiver::Unpack(const QString& archivePath, const QString& folder)
{
    return UnpackStreaming(archivePath, folder, QString(), nullptr);
}

CrxResult CCrxArchiver::UnpackStreaming(const QString& archivePath, const QString& folder,
                                        const QString& member, ICrxMemberSink* sink)
{
    if (PathKind(archivePath) != CRX_PATH_FILE || PathKind(folder) != CRX_PATH_FOLDER)
        return CRX_E_UNPACK;
    // A failed unpack leaves nothing behind: after a full disk above all.
    const QStringList before = FolderEntries(folder);
    Streamed streamed{member, sink};
    const CrxResult rc = UnpackEntries(archivePath, folder, member.isEmpty() ? nullptr : &streamed);
    if (rc != CRX_OK)
        RemoveNewEntries(folder, before);
    return rc;
}

CrxResult CCrxArchiver::ReadMember(const QString& archivePath, const QString& member,
                                   ICrxMemberSink& sink, bool& found, const QString& unpacked)
{
    found = false;
    if (PathKind(archivePath) != CRX_PATH_FILE || member.isEmpty())
        return CRX_E_UNPACK;
    Streamed streamed{member, &sink};
    const CrxResult rc = UnpackEntries(archivePath, QString(), &streamed, unpacked);
    found = streamed.found;
    return rc;
}

CrxResult CCrxArchiver::UnpackEntries(const QString& archivePath, const QString& folder,
                                      Streamed* streamed, const QString& unpacked)
{
    const qint64 limit = UnpackLimitFor(QFileInfo(archivePath).size());
    const bool extract = !folder.isEmpty();
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
        parallel = in.get() >= 0 && StartsAsBzip2(in.get()) &&
                   child.StartDecompress(in.get(), kDecompressThreads, kDecompressBudgetKb);
    }
    const int opened =
        parallel ? archive_read_open(reader.get(), &source, nullptr, ReadChild, nullptr)
                 : archive_read_open_filename(reader.get(),
                                              QFile::encodeName(archivePath).constData(), kChunk);
    if (opened != ARCHIVE_OK)
        return CRX_E_UNPACK;

    qint64 total = 0;
    std::vector<char> buffer(kChunk);
    // The entry's data block by block, each counted against the limit
    // before take sees it; take false fails the unpack.
    auto readData = [&](auto&& take) {
        for (;;) {
            if (Aborted())
                return CRX_E_CANCELLED;
            const la_ssize_t n = archive_read_data(reader.get(), buffer.data(), buffer.size());
            if (n == 0)
                return CRX_OK;
            if (n < 0)
                return CRX_E_UNPACK;
            total += n;
            if (total > limit || !take(QByteArrayView(buffer.data(), n)))
                return CRX_E_UNPACK;
        }
    };
    // The rest of an entry nobody reads: counted as its stated size, so
    // a bomb fails before it is decompressed, and passed without a copy.
    auto skipData = [&](archive_entry* entry, qint64 done) {
        total += std::max<qint64>(0, archive_entry_size(entry) - done);
        if (total > limit)
            return CRX_E_UNPACK;
        return archive_read_data_skip(reader.get()) == ARCHIVE_OK ? CRX_OK : CRX_E_UNPACK;
    };
    // Past the streamed member, the members after it may come from the
    // archive's last blocks: the reader then reads them from memory, and
    // the decompression of what lies between stops.
    QByteArray restFromEnd;
    bool fromEnd = false;
    auto takeRestFromEnd = [&](archive_entry* entry, qint64 done) {
        const qint64 size = archive_entry_size(entry);
        std::optional<QByteArray> rest =
            RestFromEnd(archivePath, size, m_memberEnd, std::min(kRestFromEndLimit, limit - total));
        if (!rest)
            return false;
        total += std::max<qint64>(0, size - done);
        restFromEnd = std::move(*rest);
        reader.reset();
        child.Kill();
        fromEnd = true;
        if (AllZero(restFromEnd))
            return true;
        reader.reset(archive_read_new());
        if (reader) {
            archive_read_support_format_tar(reader.get());
            if (archive_read_open_memory(reader.get(), restFromEnd.constData(),
                                         size_t(restFromEnd.size())) != ARCHIVE_OK)
                reader.reset();
        }
        return true;
    };
    // Past the streamed member, a read given the unpack folder checks each
    // member against what stands there, as far as the unpack might have
    // taken it from the archive's end.
    bool checking = false;
    qint64 checked = 0;
    auto checkUnpacked = [&](archive_entry* entry, const QStringList& parts, mode_t type) {
        const QString path = unpacked + QLatin1Char('/') + parts.join(QLatin1Char('/'));
        struct stat st
        {
        };
        if (type == AE_IFDIR)
            return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode)
                       ? CRX_OK
                       : CRX_E_UNPACK;
        Fd file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        if (file.get() < 0 || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_size != archive_entry_size(entry))
            return CRX_E_UNPACK;
        std::vector<char> stored(kChunk);
        if (CrxResult rc = readData([&](QByteArrayView bytes) {
                return ::read(file.get(), stored.data(), size_t(bytes.size())) == bytes.size() &&
                       std::memcmp(stored.data(), bytes.data(), size_t(bytes.size())) == 0;
            }))
            return rc;
        return ::read(file.get(), stored.data(), 1) == 0 ? CRX_OK : CRX_E_UNPACK;
    };
    for (;;) {
        if (Aborted())
            return CRX_E_CANCELLED;
        if (fromEnd && !reader) {
            if (AllZero(restFromEnd))
                return CRX_OK;
            return CRX_E_UNPACK;
        }
        archive_entry* entry = nullptr;
        const int rc = archive_read_next_header(reader.get(), &entry);
        if (rc == ARCHIVE_EOF)
            break;
        if (rc != ARCHIVE_OK && rc != ARCHIVE_WARN)
            return CRX_E_UNPACK;
        // Only a bzip2 tar is a setting archive (an uncompressed tar is not).
        const int filter = archive_filter_code(reader.get(), 0);
        if (filter != ARCHIVE_FILTER_BZIP2 &&
            !((parallel || fromEnd) && filter == ARCHIVE_FILTER_NONE))
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
        if (total > limit || (extract && !reserve.Take(kEntryOverhead)))
            return CRX_E_UNPACK;
        if (checking) {
            // Larger than what an unpack takes from the end: it came whole.
            checked += kEntryOverhead + std::max<qint64>(0, archive_entry_size(entry));
            if (checked > kRestFromEndLimit)
                return CRX_OK;
            if (CrxResult rc = checkUnpacked(entry, parts, type))
                return rc;
            continue;
        }

        const bool isStreamed =
            streamed && type == AE_IFREG && parts.size() == 1 && parts.front() == streamed->name;
        if (isStreamed || !extract) {
            // The stand-in claims the name as a file of the member would: a
            // second member of that name then fails on it.
            if (isStreamed && extract) {
                Fd standIn(
                    ::open(QFile::encodeName(folder + QLatin1Char('/') + parts.front()).constData(),
                           O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
                if (standIn.get() < 0 || !standIn.close())
                    return CRX_E_UNPACK;
            }
            ICrxMemberSink* sink = isStreamed ? streamed->sink : nullptr;
            bool wanted = sink != nullptr;
            qint64 done = 0;
            if (wanted)
                if (CrxResult rc = readData([&](QByteArrayView bytes) {
                        done += bytes.size();
                        wanted = sink->Take(bytes);
                        return wanted;
                    }))
                    if (wanted || rc != CRX_E_UNPACK)
                        return rc;
            if (!wanted &&
                !(isStreamed && extract && !m_memberEnd.isEmpty() && takeRestFromEnd(entry, done)))
                if (CrxResult rc = skipData(entry, done))
                    return rc;
            if (!isStreamed)
                continue;
            streamed->found = true;
            if (sink)
                sink->End();
            // A read alone needs nothing after its member, but for what an
            // unpack may have taken from the end: the unpack before it
            // checked the rest of the archive.
            if (!extract) {
                if (unpacked.isEmpty())
                    return CRX_OK;
                checking = true;
            }
            continue;
        }

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
        if (CrxResult rc = readData([&](QByteArrayView bytes) {
                return reserve.Take(bytes.size()) &&
                       WriteAll(out.get(), bytes.data(), size_t(bytes.size()));
            }))
            return rc;
        if (!out.close())
            return CRX_E_UNPACK;
        if (archive_entry_mtime_is_set(entry))
            platform::setLastWriteTimeNs(target,
                                         qint64(archive_entry_mtime(entry)) * 1'000'000'000 +
                                             archive_entry_mtime_nsec(entry));
    }
    return archive_read_close(reader.get()) == ARCHIVE_OK ? CRX_OK : CRX_E_UNPACK;
}

CrxResult CCrxArchiver::Pack(const QString& folder, const QString& archivePath)
{
    if (PathKind(folder) != CRX_PATH_FOLDER || archivePath.isEmpty())
        return CRX_E_PACK;
    std::vector<CCrxPackWriter::TreeItem> items;
    if (const CrxResult rc = CCrxPackWriter::CollectTree(folder, items); rc != CRX_OK)
        return rc;
    CCrxPackWriter writer(m_pAbort, m_bParallel);
    if (const CrxResult rc = writer.Open(archivePath); rc != CRX_OK)
        return rc;
    if (const CrxResult rc = writer.AddTree(items); rc != CRX_OK)
        return rc;
    return writer.Close();
}

CrxResult CCrxArchiver::PackToTarget(const QString& folder, const QString& target)
{
    CCrxPackWriter writer(m_pAbort, m_bParallel);
    if (const CrxResult rc = writer.OpenBeside(target); rc != CRX_OK)
        return rc;
    // On a failure the writer removes its temporary archive.
    if (PathKind(folder) != CRX_PATH_FOLDER)
        return CRX_E_PACK;
    std::vector<CCrxPackWriter::TreeItem> items;
    if (const CrxResult rc = CCrxPackWriter::CollectTree(folder, items); rc != CRX_OK)
        return rc;
    if (const CrxResult rc = writer.AddTree(items); rc != CRX_OK)
        return rc;
    return writer.Commit(target);
}
