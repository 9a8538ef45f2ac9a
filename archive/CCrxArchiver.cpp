#include "archive/CCrxArchiver.h"

#include "archive/CCrxBzip2Process.h"
#include "archive/CCrxPackWriter.h"
#include "archive/CrxBzip2Source.h"
#include "archive/CrxDiskReserve.h"
#include "archive/CrxFd.h"
#include "archive/CrxFileOps.h"
#include "archive/CrxMemberName.h"
#include "archive/CrxRestFromEnd.h"
#include "platform/FileTime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

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
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr qint64 kEntryOverhead = 512;
constexpr qint64 kMinUnpackLimit = qint64(2) << 30;
constexpr qint64 kUnpackRatio = 200;
constexpr size_t kChunk = 64 * 1024;
constexpr size_t kSourceChunk = 256 * 1024;

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

// A member as the unpack rules read its header.
struct Member
{
    archive_entry* entry = nullptr; // null: the tar has ended
    QStringList parts;              // its path below the unpack folder
    mode_t type = 0;                // AE_IFREG or AE_IFDIR

    qint64 Size() const { return std::max<qint64>(0, archive_entry_size(entry)); }
    QString Path() const { return parts.join(QLatin1Char('/')); }
};

// What the decompressor gives, as libarchive's input.
struct SourceInput
{
    CrxBzip2Source* source;
    std::vector<char> buffer = std::vector<char>(kSourceChunk);
};

la_ssize_t ReadSource(archive* a, void* data, const void** block)
{
    auto* input = static_cast<SourceInput*>(data);
    const ssize_t n = input->source->Read(input->buffer.data(), input->buffer.size());
    if (n < 0) {
        archive_set_error(a, EIO, "bzip2 stream");
        return -1;
    }
    *block = input->buffer.data();
    return n;
}

// One reading of an archive from its start: the decompressor, the tar
// reader on it, the count of what is read against the size limit and the
// disk's reserve. Past the streamed member the reading may go on in the
// members the archive's last blocks hold.
class UnpackPass
{
public:
    UnpackPass(const QString& archivePath, const QString& folder, qint64 limit,
               const CrxAbortFlag* abort)
        : m_strArchive(archivePath), m_strFolder(folder), m_nLimit(limit), m_pAbort(abort),
          m_reserve(folder)
    {
    }

    bool Aborted() const { return CrxAborted(m_pAbort); }
    // Starts the decompressor (parallel: lbzip2, where it starts) and the
    // tar reader: 0 or CRX_E_UNPACK (not a bzip2 file).
    CrxResult Open(bool parallel);
    // The next member past the unpack folder's own entry ("./"), counted
    // against the limit and the reserve; member.entry stays null once the
    // tar has ended. CRX_E_UNPACK for an entry the unpack refuses: a link,
    // a device, a path that leaves the folder.
    CrxResult Next(Member& member);
    // The member's data block by block, each counted against the limit
    // before take sees it; take false fails the reading.
    template <typename Take> CrxResult Read(Take&& take);
    // The rest of the member (done bytes of it read), unread: counted as its
    // stated size, so a bomb fails before it is decompressed.
    CrxResult Skip(const Member& member, qint64 done);
    // The member into the folder, never through a link, never over an
    // entry of its name.
    CrxResult Extract(const Member& member);
    // Past the streamed member (done bytes of it read), goes on in the
    // members after it as the archive's last blocks hold them, and stops
    // the decompression: false when where they start cannot be told for
    // certain (the reading then goes on as before).
    bool TakeRestFromEnd(const Member& member, qint64 done, QByteArrayView lastText);
    // Past the tar's end: reads on to the end of the file and vouches for
    // every stream (CRX_E_UNPACK for a damaged one). What came from the end
    // is left to a reading from the start to prove.
    CrxResult Finish();

private:
    CrxResult Count(qint64 bytes)
    {
        m_nTotal += bytes;
        return m_nTotal > m_nLimit ? CRX_E_UNPACK : CRX_OK;
    }

    QString m_strArchive;
    QString m_strFolder;
    qint64 m_nLimit;
    qint64 m_nTotal = 0;
    const CrxAbortFlag* m_pAbort;
    CrxDiskReserve m_reserve;
    // Outlive the reader, which reads from them.
    CrxBzip2Source m_source;
    SourceInput m_input{&m_source};
    QByteArray m_rest;
    bool m_bFromEnd = false;
    CrxTarReader m_reader;
    std::vector<char> m_buffer = std::vector<char>(kChunk);
};

CrxResult UnpackPass::Open(bool parallel)
{
    // Only a bzip2 tar is a setting archive (an uncompressed tar is not).
    if (!m_source.Open(m_strArchive, parallel))
        return CRX_E_UNPACK;
    m_reader.reset(archive_read_new());
    if (!m_reader)
        return CRX_E_UNPACK;
    archive_read_support_format_tar(m_reader.get());
    return archive_read_open(m_reader.get(), &m_input, nullptr, ReadSource, nullptr) == ARCHIVE_OK
               ? CRX_OK
               : CRX_E_UNPACK;
}

CrxResult UnpackPass::Next(Member& member)
{
    member = Member();
    for (;;) {
        if (Aborted())
            return CRX_E_CANCELLED;
        // The end's tar was its end mark alone.
        if (!m_reader)
            return m_bFromEnd && CrxAllZero(m_rest) ? CRX_OK : CRX_E_UNPACK;
        archive_entry* entry = nullptr;
        const int rc = archive_read_next_header(m_reader.get(), &entry);
        if (rc == ARCHIVE_EOF)
            return CRX_OK;
        if (rc != ARCHIVE_OK && rc != ARCHIVE_WARN)
            return CRX_E_UNPACK;
        const std::optional<QStringList> safe = SafeComponents(EntryPath(entry));
        const mode_t type = archive_entry_filetype(entry);
        if (!safe || archive_entry_hardlink(entry) || archive_entry_symlink(entry) ||
            (type != AE_IFREG && type != AE_IFDIR))
            return CRX_E_UNPACK;
        if (safe->isEmpty()) {
            if (type == AE_IFDIR)
                continue; // "./", the unpack folder itself
            return CRX_E_UNPACK;
        }
        if (Count(kEntryOverhead) != CRX_OK ||
            (!m_strFolder.isEmpty() && !m_reserve.Take(kEntryOverhead)))
            return CRX_E_UNPACK;
        member = {entry, *safe, type};
        return CRX_OK;
    }
}

template <typename Take> CrxResult UnpackPass::Read(Take&& take)
{
    for (;;) {
        if (Aborted())
            return CRX_E_CANCELLED;
        const la_ssize_t n = archive_read_data(m_reader.get(), m_buffer.data(), m_buffer.size());
        if (n == 0)
            return CRX_OK;
        if (n < 0 || Count(n) != CRX_OK || !take(QByteArrayView(m_buffer.data(), n)))
            return CRX_E_UNPACK;
    }
}

CrxResult UnpackPass::Skip(const Member& member, qint64 done)
{
    if (Count(std::max<qint64>(0, member.Size() - done)) != CRX_OK)
        return CRX_E_UNPACK;
    return archive_read_data_skip(m_reader.get()) == ARCHIVE_OK ? CRX_OK : CRX_E_UNPACK;
}

CrxResult UnpackPass::Extract(const Member& member)
{
    if (member.type == AE_IFDIR)
        return MakeFolders(m_strFolder, member.parts, member.parts.size()) ? CRX_OK : CRX_E_UNPACK;
    if (!MakeFolders(m_strFolder, member.parts, member.parts.size() - 1))
        return CRX_E_UNPACK;
    const QString target = m_strFolder + QLatin1Char('/') + member.Path();
    // O_NOFOLLOW: never write through a link, whatever lies there.
    // O_EXCL: two entries that land on one name fail the unpack instead
    // of the second overwriting the first.
    CrxFd out(::open(QFile::encodeName(target).constData(),
                     O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (out.get() < 0)
        return CRX_E_UNPACK;
    if (CrxResult rc = Read([&](QByteArrayView bytes) {
            return m_reserve.Take(bytes.size()) &&
                   WriteAll(out.get(), bytes.data(), size_t(bytes.size()));
        }))
        return rc;
    if (!out.close())
        return CRX_E_UNPACK;
    if (archive_entry_mtime_is_set(member.entry))
        platform::setLastWriteTimeNs(target,
                                     qint64(archive_entry_mtime(member.entry)) * 1'000'000'000 +
                                         archive_entry_mtime_nsec(member.entry));
    return CRX_OK;
}

bool UnpackPass::TakeRestFromEnd(const Member& member, qint64 done, QByteArrayView lastText)
{
    std::optional<QByteArray> rest = CrxRestFromEnd(
        m_strArchive, member.Size(), lastText, std::min(kCrxRestFromEndLimit, m_nLimit - m_nTotal));
    if (!rest)
        return false;
    m_nTotal += std::max<qint64>(0, member.Size() - done);
    m_rest = std::move(*rest);
    m_reader.reset();
    m_source.Stop();
    m_bFromEnd = true;
    if (CrxAllZero(m_rest))
        return true;
    m_reader = CrxOpenTarInMemory(m_rest);
    return true;
}

CrxResult UnpackPass::Finish()
{
    if (m_bFromEnd)
        return CRX_OK;
    m_reader.reset();
    return m_source.Finish(
        [this](qint64 bytes) {
            if (Aborted())
                return CRX_E_CANCELLED;
            return Count(bytes);
        },
        m_pAbort);
}

// The streamed member: its bytes go to sink as they are decompressed (read
// past when there is none, or once it wants no more), and an unpack into
// folder leaves an empty stand-in at its path. Once the sink wants no more,
// an unpack told the member's last text may go on in the members after it
// from the archive's end.
CrxResult StreamMember(UnpackPass& pass, const Member& member, ICrxMemberSink* sink,
                       const QString& folder, QByteArrayView lastText)
{
    const bool extract = !folder.isEmpty();
    // The stand-in claims the name as a file of the member would: a second
    // member of that name then fails on it.
    if (extract) {
        CrxFd standIn(
            ::open(QFile::encodeName(folder + QLatin1Char('/') + member.Path()).constData(),
                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
        if (standIn.get() < 0 || !standIn.close())
            return CRX_E_UNPACK;
    }
    bool wanted = sink != nullptr;
    qint64 done = 0;
    if (wanted)
        if (CrxResult rc = pass.Read([&](QByteArrayView bytes) {
                done += bytes.size();
                wanted = sink->Take(bytes);
                return wanted;
            }))
            if (wanted || rc != CRX_E_UNPACK)
                return rc;
    if (!wanted &&
        !(extract && !lastText.isEmpty() && pass.TakeRestFromEnd(member, done, lastText)))
        if (CrxResult rc = pass.Skip(member, done))
            return rc;
    if (sink)
        sink->End();
    return CRX_OK;
}

// What a read given the unpack folder proves past the streamed member. The
// unpack may have taken the members after it from the archive's last
// blocks, which need not hold what a reading from the start yields (a
// second stream, members after the tar's end mark): each member after it
// must stand in the folder as the archive has it, and nothing may stand
// there that the archive does not list. Once the members after it come to
// more than an unpack takes from the end, the unpack read the whole archive
// from its start and the folder needs no proof.
class FolderProof
{
public:
    explicit FolderProof(const QString& folder) : m_strFolder(folder) {}

    // Accounts for a member of the reading in the folder. CRX_E_UNPACK for
    // a second member of one path, or one below a file: the unpack failed
    // on those.
    CrxResult Note(const Member& member);
    // The members from now on are proven.
    void Begin() { m_bProving = true; }
    bool Proving() const { return m_bProving; }
    // A member after the streamed one against the folder: 0 or
    // CRX_E_UNPACK; whole once the unpack is seen to have read it all.
    CrxResult Check(UnpackPass& pass, const Member& member, bool& whole);
    // Past the tar's end: nothing else stands in the folder.
    CrxResult NothingElse() const;

private:
    QString m_strFolder;
    QSet<QString> m_files;
    QSet<QString> m_folders; // those of members and those above any member
    qint64 m_nProven = 0;
    bool m_bProving = false;
};

CrxResult FolderProof::Note(const Member& member)
{
    const QString path = member.Path();
    QString above;
    for (qsizetype i = 0; i + 1 < member.parts.size(); ++i) {
        above += (i > 0 ? QStringLiteral("/") : QString()) + member.parts[i];
        if (m_files.contains(above))
            return CRX_E_UNPACK;
        m_folders.insert(above);
    }
    if (m_files.contains(path))
        return CRX_E_UNPACK;
    if (member.type == AE_IFDIR) {
        m_folders.insert(path);
        return CRX_OK;
    }
    if (m_folders.contains(path))
        return CRX_E_UNPACK;
    m_files.insert(path);
    return CRX_OK;
}

CrxResult FolderProof::Check(UnpackPass& pass, const Member& member, bool& whole)
{
    if (CrxResult rc = Note(member))
        return rc;
    const QByteArray path = QFile::encodeName(m_strFolder + QLatin1Char('/') + member.Path());
    struct stat st
    {
    };
    if (member.type == AE_IFDIR)
        return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) ? CRX_OK : CRX_E_UNPACK;
    CrxFd file(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (file.get() < 0 || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_size != member.Size())
        return CRX_E_UNPACK;
    // Files of other paths that stand as the archive lists them and come to
    // more than the end held: they were read from the start.
    m_nProven += kEntryOverhead + member.Size();
    if (m_nProven > kCrxRestFromEndLimit) {
        whole = true;
        return CRX_OK;
    }
    std::vector<char> stored(kChunk);
    if (CrxResult rc = pass.Read([&](QByteArrayView bytes) {
            return ::read(file.get(), stored.data(), size_t(bytes.size())) == bytes.size() &&
                   std::memcmp(stored.data(), bytes.data(), size_t(bytes.size())) == 0;
        }))
        return rc;
    return ::read(file.get(), stored.data(), 1) == 0 ? CRX_OK : CRX_E_UNPACK;
}

CrxResult FolderProof::NothingElse() const
{
    const fs::path root(QFile::encodeName(m_strFolder).toStdString());
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        const QString path = QFile::decodeName(
            QByteArray::fromStdString(it->path().lexically_relative(root).native()));
        const bool folder = it->symlink_status(ec).type() == fs::file_type::directory;
        if (ec || !(folder ? m_folders.contains(path) : m_files.contains(path)))
            return CRX_E_UNPACK;
    }
    return ec ? CRX_E_UNPACK : CRX_OK;
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
    const bool extract = !folder.isEmpty();
    UnpackPass pass(archivePath, folder, UnpackLimitFor(QFileInfo(archivePath).size()), m_pAbort);
    if (CrxResult rc = pass.Open(UsesParallel()))
        return rc;
    FolderProof proof(unpacked);
    for (;;) {
        Member member;
        if (CrxResult rc = pass.Next(member))
            return rc;
        if (!member.entry)
            break;
        if (proof.Proving()) {
            bool whole = false;
            if (CrxResult rc = proof.Check(pass, member, whole))
                return rc;
            if (whole)
                return CRX_OK;
            continue;
        }
        if (!unpacked.isEmpty())
            if (CrxResult rc = proof.Note(member))
                return rc;
        const bool isStreamed = streamed && member.type == AE_IFREG && member.parts.size() == 1 &&
                                member.parts.front() == streamed->name;
        if (!isStreamed) {
            if (CrxResult rc = extract ? pass.Extract(member) : pass.Skip(member, 0))
                return rc;
            continue;
        }
        if (CrxResult rc = StreamMember(pass, member, streamed->sink, folder, m_memberEnd))
            return rc;
        streamed->found = true;
        // A read alone needs nothing after its member; one given the unpack
        // folder proves what the unpack put there after it.
        if (!extract) {
            if (unpacked.isEmpty())
                return CRX_OK;
            proof.Begin();
        }
    }
    if (proof.Proving())
        if (CrxResult rc = proof.NothingElse())
            return rc;
    return pass.Finish();
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
