#include "archive/CCrxPackWriter.h"

#include "archive/CCrxBzip2Process.h"
#include "archive/CrxDetail.h"
#include "archive/CrxFileOps.h"
#include "archive/CrxMemberName.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUtf8StringView>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr size_t kChunk = 64 * 1024;

struct EntryDeleter
{
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};

la_ssize_t WriteChild(archive* a, void* data, const void* buffer, size_t size)
{
    if (!static_cast<CCrxBzip2Process*>(data)->Write(static_cast<const char*>(buffer), size)) {
        archive_set_error(a, EPIPE, "lbzip2 input");
        return -1;
    }
    return la_ssize_t(size);
}

CrxResult Collect(const fs::path& root, const QString& prefix, const QByteArray& prefixBytes,
                  std::vector<CCrxPackWriter::TreeItem>& items, QSet<QString>& names)
{
    std::error_code ec;
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
        entries.push_back(it->path());
    if (ec)
        return CRX_E_PACK;
    std::sort(entries.begin(), entries.end());
    for (const fs::path& entry : entries) {
        const QByteArray name = QByteArray::fromStdString(entry.filename().native());
        const QByteArray bytes = prefixBytes + name;
        bool known = false;
        const QString relative = prefix + CrxNativeNameText(name, known);
        // Stored as its bytes on disk, the name must come back as it stands
        // and as no other: the open reads a whole path in one code page.
        if (!known || CrxMemberNameText(bytes) != relative || names.contains(relative)) {
            CrxCurrentDetail().file = relative;
            return CRX_E_MEMBER_NAME;
        }
        names.insert(relative);
        const QByteArray legacyName = QUtf8StringView(bytes).isValidUtf8() ? QByteArray() : bytes;
        const fs::file_type type = fs::symlink_status(entry, ec).type();
        if (ec)
            return CRX_E_PACK;
        if (type == fs::file_type::directory) {
            items.push_back({relative, entry, true, legacyName});
            if (const CrxResult rc =
                    Collect(entry, relative + QLatin1Char('/'), bytes + '/', items, names);
                rc != CRX_OK)
                return rc;
        } else if (type == fs::file_type::regular) {
            items.push_back({relative, entry, false, legacyName});
        } else {
            return CRX_E_PACK;
        }
    }
    return CRX_OK;
}

} // namespace

CCrxPackWriter::CCrxPackWriter(const CrxAbortFlag* abort, bool parallel)
    : m_pAbort(abort), m_bWanted(parallel)
{
}

CCrxPackWriter::~CCrxPackWriter()
{
    if (m_fd >= 0 && !m_bClosed)
        Fail(CRX_E_CANCELLED);
    if (m_pWriter)
        archive_write_free(m_pWriter);
    if (m_fd >= 0)
        ::close(m_fd);
}

CrxResult CCrxPackWriter::CollectTree(const QString& root, std::vector<TreeItem>& items)
{
    QSet<QString> names;
    return Collect(fs::path(QFile::encodeName(root).toStdString()), QString(), QByteArray(), items,
                   names);
}

CrxResult CCrxPackWriter::Open(const QString& archivePath)
{
    return archivePath.isEmpty() ? CRX_E_PACK : Start(archivePath);
}

CrxResult CCrxPackWriter::OpenBeside(const QString& target)
{
    QString temp;
    if (target.isEmpty())
        return CRX_E_PACK;
    RemoveStaleTempArchives(QFileInfo(target).absolutePath());
    if (!MakeTempArchiveName(target, temp))
        return CRX_E_PACK;
    m_strTemp = temp;
    const CrxResult rc = Start(temp);
    if (rc != CRX_OK && m_fd < 0)
        RetryDeleteFile(temp);
    // Held while the file is written, so no other save takes it for stale.
    if (m_fd >= 0)
        LockTempArchive(m_fd);
    return rc;
}

CrxResult CCrxPackWriter::Start(const QString& archivePath)
{
    m_fd = ::open(QFile::encodeName(archivePath).constData(),
                  O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (m_fd < 0)
        return m_nResult = CRX_E_PACK;
    m_buffer.resize(kChunk);
    // lbzip2 compresses the tar on every core straight into the archive.
    m_pChild = std::make_unique<CCrxBzip2Process>();
    m_bParallel =
        m_bWanted && !CCrxBzip2Process::Program().isEmpty() && m_pChild->StartCompress(m_fd);
    m_pWriter = archive_write_new();
    if (!m_pWriter || archive_write_set_format_pax_restricted(m_pWriter) != ARCHIVE_OK)
        return Fail(CRX_E_PACK);
    int opened = ARCHIVE_FATAL;
    if (m_bParallel)
        opened = archive_write_open(m_pWriter, m_pChild.get(), nullptr, WriteChild, nullptr);
    else if (archive_write_add_filter_bzip2(m_pWriter) == ARCHIVE_OK)
        opened = archive_write_open_fd(m_pWriter, m_fd);
    return opened == ARCHIVE_OK ? CRX_OK : Fail(CRX_E_PACK);
}

CrxResult CCrxPackWriter::Fail(CrxResult rc)
{
    if (m_nResult != CRX_OK)
        return m_nResult;
    m_nResult = rc;
    if (m_fd >= 0) {
        if (m_bParallel) {
            // Killed before the file is emptied, so it writes nothing more.
            // The close then only releases the writer's buffers: what it
            // still writes finds no child.
            m_pChild->Kill();
            if (m_pWriter)
                archive_write_close(m_pWriter);
            [[maybe_unused]] const int emptied = ::ftruncate(m_fd, 0);
        } else {
            // Emptied, and whatever is still written goes to /dev/null.
            [[maybe_unused]] const int emptied = ::ftruncate(m_fd, 0);
            const int devNull = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
            const bool cutOff = devNull >= 0 && ::dup2(devNull, m_fd) >= 0;
            if (devNull >= 0)
                ::close(devNull);
            if (!cutOff) {
                if (m_pWriter)
                    archive_write_close(m_pWriter);
                [[maybe_unused]] const int again = ::ftruncate(m_fd, 0);
            } else if (m_pWriter) {
                // Only a close releases the bzip2 compressor (archive_write_fail
                // and free leak its megabytes), and it compresses the pending
                // block first, which would hold up a cancel for most of a
                // second: it runs on a thread of its own, which owns the
                // descriptor until then.
                std::thread([a = std::exchange(m_pWriter, nullptr), fd = std::exchange(m_fd, -1)] {
                    archive_write_close(a);
                    archive_write_free(a);
                    ::close(fd);
                }).detach();
            }
        }
    }
    if (!m_strTemp.isEmpty()) {
        RetryDeleteFile(m_strTemp);
        m_strTemp.clear();
    }
    return rc;
}

CrxResult CCrxPackWriter::Ready()
{
    if (m_nResult != CRX_OK)
        return m_nResult;
    if (!m_pWriter || m_bClosed)
        return Fail(CRX_E_PACK);
    return CrxAborted(m_pAbort) ? Fail(CRX_E_CANCELLED) : CRX_OK;
}

CrxResult CCrxPackWriter::WriteHeader(const QString& relative, const QByteArray& legacyName,
                                      bool folder, qint64 size, const timespec& mtime)
{
    if (const CrxResult rc = Ready(); rc != CRX_OK)
        return rc;
    std::unique_ptr<archive_entry, EntryDeleter> entry(archive_entry_new());
    if (legacyName.isEmpty())
        archive_entry_set_pathname_utf8(
            entry.get(),
            (relative + (folder ? QStringLiteral("/") : QString())).toUtf8().constData());
    else
        archive_entry_copy_pathname(entry.get(), (legacyName + (folder ? "/" : "")).constData());
    archive_entry_set_filetype(entry.get(), folder ? AE_IFDIR : AE_IFREG);
    archive_entry_set_perm(entry.get(), folder ? 0755 : 0644);
    archive_entry_set_size(entry.get(), folder ? 0 : size);
    archive_entry_set_mtime(entry.get(), mtime.tv_sec, mtime.tv_nsec);
    // A name in the legacy code page has no UTF-8 form for the pax header:
    // libarchive stores its bytes as they are ("hdrcharset=BINARY") and warns.
    const int written = archive_write_header(m_pWriter, entry.get());
    if (written != ARCHIVE_OK && !(written == ARCHIVE_WARN && !legacyName.isEmpty()))
        return Fail(CRX_E_PACK);
    return CRX_OK;
}

CrxResult CCrxPackWriter::WriteData(const char* data, size_t size)
{
    while (size > 0) {
        if (CrxAborted(m_pAbort))
            return Fail(CRX_E_CANCELLED);
        const size_t n = std::min(size, kChunk);
        if (archive_write_data(m_pWriter, data, n) != la_ssize_t(n))
            return Fail(CRX_E_PACK);
        data += n;
        size -= n;
    }
    return CRX_OK;
}

CrxResult CCrxPackWriter::AddFolder(const QString& relative, const timespec& mtime)
{
    return WriteHeader(relative, QByteArray(), true, 0, mtime);
}

CrxResult CCrxPackWriter::AddData(const QString& relative, const char* data, qint64 size)
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    if (const CrxResult rc = WriteHeader(relative, QByteArray(), false, size, now); rc != CRX_OK)
        return rc;
    return WriteData(data, size_t(size));
}

CrxResult CCrxPackWriter::AddFile(const QString& relative, const fs::path& native)
{
    return AddFile(TreeItem{relative, native, false, QByteArray()});
}

CrxResult CCrxPackWriter::AddFile(const TreeItem& item)
{
    const fs::path& native = item.native;
    if (m_nResult != CRX_OK)
        return m_nResult;
    struct stat st
    {
    };
    const int in = ::open(native.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (in < 0 || ::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (in >= 0)
            ::close(in);
        return Fail(CRX_E_PACK);
    }
    CrxResult rc = WriteHeader(item.relative, item.legacyName, false, st.st_size, st.st_mtim);
    for (qint64 left = st.st_size; rc == CRX_OK && left > 0;) {
        const ssize_t n =
            ::read(in, m_buffer.data(), size_t(std::min<qint64>(left, qint64(m_buffer.size()))));
        if (n < 0 && errno == EINTR)
            continue;
        // A file that shrank while packing would leave a damaged entry.
        rc = n <= 0 ? Fail(CRX_E_PACK) : WriteData(m_buffer.data(), size_t(n));
        left -= n;
    }
    ::close(in);
    return rc;
}

CrxResult CCrxPackWriter::AddTree(const std::vector<TreeItem>& items)
{
    for (const TreeItem& item : items) {
        if (!item.folder) {
            if (const CrxResult rc = AddFile(item); rc != CRX_OK)
                return rc;
            continue;
        }
        struct stat st
        {
        };
        if (::lstat(item.native.c_str(), &st) != 0)
            return Fail(CRX_E_PACK);
        if (const CrxResult rc = WriteHeader(item.relative, item.legacyName, true, 0, st.st_mtim);
            rc != CRX_OK)
            return rc;
    }
    return m_nResult;
}

CrxResult CCrxPackWriter::Close()
{
    if (const CrxResult rc = Ready(); rc != CRX_OK)
        return rc;
    if (archive_write_close(m_pWriter) != ARCHIVE_OK)
        return Fail(CRX_E_PACK);
    // An lbzip2 that failed or died leaves no archive that passes as saved.
    if (m_bParallel)
        if (const CrxResult rc = m_pChild->Finish(m_pAbort, CRX_E_PACK))
            return Fail(rc);
    // On disk before it replaces the previous archive.
    if (::fsync(m_fd) != 0)
        return Fail(CRX_E_PACK);
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0)
        return Fail(CRX_E_PACK);
    m_bClosed = true;
    return CRX_OK;
}

CrxResult CCrxPackWriter::Commit(const QString& target)
{
    if (m_strTemp.isEmpty() && m_nResult == CRX_OK)
        return Fail(CRX_E_PACK);
    if (const CrxResult rc = Close(); rc != CRX_OK)
        return rc;
    const QString temp = std::exchange(m_strTemp, QString());
    // rename() replaces the target in one step: readers see the old archive
    // or the new one, never a missing or partial file.
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target).constData()) !=
        0) {
        RetryDeleteFile(temp);
        return CRX_E_REPLACE_TARGET;
    }
    return CRX_OK;
}
