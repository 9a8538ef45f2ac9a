#pragma once

// Writes a bzip2-compressed tar member by member: lbzip2 compresses it on
// every core where it is installed, else bzip2 runs in-process. Members come
// from files or straight from memory, so a caller can stream what it reads
// without staging it. A writer that is not closed (a failure, an abort, a
// destruction) leaves no file that reads as an archive: the file it opened
// is emptied, the temporary one beside a target removed, the target itself
// never touched.

#include "archive/CrxResult.h"

#include <QByteArray>
#include <QString>

#include <ctime>
#include <filesystem>
#include <memory>
#include <vector>

class CCrxBzip2Process;
struct archive;

class CCrxPackWriter
{
public:
    // One member of a folder tree: its path relative to the tree's root, as
    // the open reads it back.
    struct TreeItem
    {
        QString relative;
        std::filesystem::path native;
        bool folder;
        // The stored name when it is no UTF-8 (the legacy code page), else
        // empty: relative is stored as UTF-8.
        QByteArray legacyName;
    };

    // abort: polled between blocks (null: never aborted). parallel false
    // compresses in-process even where lbzip2 is installed.
    CCrxPackWriter(const CrxAbortFlag* abort, bool parallel);
    ~CCrxPackWriter();
    CCrxPackWriter(const CCrxPackWriter&) = delete;
    CCrxPackWriter& operator=(const CCrxPackWriter&) = delete;

    // Writes into archivePath (created or truncated): 0 or CRX_E_PACK.
    CrxResult Open(const QString& archivePath);
    // Writes into a temporary archive beside target that Commit renames
    // over it: 0 or CRX_E_PACK (no temporary name could be reserved). Those
    // that killed saves left in the folder go first (CrxFileOps.h).
    CrxResult OpenBeside(const QString& target);

    // Each adds one member: 0, CRX_E_CANCELLED or CRX_E_PACK. After the
    // first failure every call gives that code again.
    CrxResult AddFolder(const QString& relative, const timespec& mtime);
    CrxResult AddFile(const QString& relative, const std::filesystem::path& native);
    CrxResult AddData(const QString& relative, const char* data, qint64 size);
    // Every item of a CollectTree list.
    CrxResult AddTree(const std::vector<TreeItem>& items);

    // Ends the archive and syncs it to disk: 0, CRX_E_CANCELLED or
    // CRX_E_PACK (the file is then left empty).
    CrxResult Close();
    // Close, then the temporary archive replaces target in one step: 0, a
    // Close code or CRX_E_REPLACE_TARGET.
    CrxResult Commit(const QString& target);

    // Whether lbzip2 compresses this archive (known once opened).
    bool Parallel() const { return m_bParallel; }

    // Every entry below root, folders before their contents, in name order:
    // CRX_E_PACK when it cannot be read or holds anything but files and
    // folders (a link or device would give an archive our own reader
    // refuses), CRX_E_MEMBER_NAME with the file in the detail (CrxDetail.h)
    // when a name cannot be stored so that the open reads it back as it
    // stands (CrxMemberName.h) or two would be read back alike. A file is
    // never left out.
    static CrxResult CollectTree(const QString& root, std::vector<TreeItem>& items);

private:
    CrxResult Start(const QString& archivePath);
    // The sticky failure, or a fail when not open or aborted.
    CrxResult Ready();
    CrxResult AddFile(const TreeItem& item);
    // legacyName: stored in place of relative when not empty.
    CrxResult WriteHeader(const QString& relative, const QByteArray& legacyName, bool folder,
                          qint64 size, const timespec& mtime);
    CrxResult WriteData(const char* data, size_t size);
    CrxResult Fail(CrxResult rc);

    const CrxAbortFlag* m_pAbort;
    bool m_bWanted;
    bool m_bParallel = false;
    bool m_bClosed = false;
    CrxResult m_nResult = CRX_OK;
    int m_fd = -1;
    QString m_strTemp;
    std::unique_ptr<CCrxBzip2Process> m_pChild;
    archive* m_pWriter = nullptr;
    std::vector<char> m_buffer;
};
