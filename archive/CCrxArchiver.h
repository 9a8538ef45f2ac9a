#pragma once

// The archive container: a bzip2-compressed tar. The bzip2 stream is made
// by lbzip2 on every core where it is installed and decoded by it on three
// (held while it runs ahead of its reader), else in-process
// (CrxBzip2Source); the tar is always read and written in-process. Archives
// come from outside, so unpacking takes only plain files and folders under
// relative paths, and stops past a size limit; nothing lands outside the
// unpack folder.

#include "archive/CrxResult.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Takes one member's bytes as they are decompressed, so that a reader can
// work on them without the member ever landing on disk.
class ICrxMemberSink
{
public:
    virtual ~ICrxMemberSink() = default;
    // false: no more is wanted; the rest of the member is read past.
    virtual bool Take(QByteArrayView bytes) = 0;
    // The member has ended (also after a Take that wanted no more).
    virtual void End() = 0;
};

class CCrxArchiver
{
public:
    CCrxArchiver() = default;
    virtual ~CCrxArchiver() = default;
    CCrxArchiver(const CCrxArchiver&) = delete;
    CCrxArchiver& operator=(const CCrxArchiver&) = delete;

    // The caller's abort flag; null points back at the archiver's own flag,
    // which stays 0. Polled between blocks, many times a second.
    void SetAbortFlag(const CrxAbortFlag* flag) { m_pAbort = flag ? flag : &m_nOwnAbort; }

    // Unpacks archivePath into folder (which must exist): 0, CRX_E_CANCELLED
    // or CRX_E_UNPACK (not a bzip2 tar, a damaged stream anywhere in the
    // file, an entry that is a link, device or path leaving the folder, two
    // entries of one name, past the size limit, or into the file system's
    // reserve). Names that are not UTF-8 are read in the legacy code page.
    // A failure removes what the unpack added to the folder.
    CrxResult Unpack(const QString& archivePath, const QString& folder);
    // Unpack, except for the member named member at the top of the archive:
    // its bytes go to sink (read past when sink is null), counted against
    // the size limit as every other member, and an empty file stands at its
    // path (so a second member of that name still fails the unpack).
    CrxResult UnpackStreaming(const QString& archivePath, const QString& folder,
                              const QString& member, ICrxMemberSink* sink);
    // Reads the archive up to the end of the member named member at its top
    // and hands its bytes to sink; nothing is written. found says whether
    // the member came. 0, CRX_E_CANCELLED or CRX_E_UNPACK (as Unpack).
    // With unpacked, the folder an UnpackStreaming of the archive filled,
    // the reading goes on to the end of the file and proves that folder:
    // each member after the member stands there as the archive has it and
    // nothing else does, and every stream is whole (CRX_E_UNPACK if not).
    // Only then does the folder hold what a reading from the start yields.
    CrxResult ReadMember(const QString& archivePath, const QString& member, ICrxMemberSink& sink,
                         bool& found, const QString& unpacked = QString());
    // The streamed member's text ends with lastText (white space may follow).
    // Once its sink wants no more, UnpackStreaming may then take the members
    // after it from the last blocks of the archive, without decompressing
    // the rest of it, where their start can be found for certain. Until a
    // ReadMember given the folder has proven them, they are only what the
    // archive's end holds.
    void SetMemberEnd(const QByteArray& lastText) { m_memberEnd = lastText; }
    // Packs everything in folder, with paths relative to it and an entry
    // for every folder (so an empty one survives), into archivePath:
    // 0, CRX_E_CANCELLED, CRX_E_PACK (archivePath is then left empty) or
    // CRX_E_MEMBER_NAME (a name the archive cannot carry, CrxMemberName.h).
    CrxResult Pack(const QString& folder, const QString& archivePath);
    // Packs folder into a temporary archive beside target and renames it
    // over target. A failed or cancelled pack leaves target byte for byte
    // and no temporary archive: 0, a Pack code, CRX_E_PACK (no temporary
    // name could be reserved) or CRX_E_REPLACE_TARGET.
    CrxResult PackToTarget(const QString& folder, const QString& target);

    // Off: bzip2 in-process even where lbzip2 is installed.
    void SetParallel(bool on) { m_bParallel = on; }
    // Whether packing and unpacking run lbzip2.
    bool UsesParallel() const;

    // Unpacking stops past this many bytes (file data plus a block per
    // entry). The default allows 200 times the archive's size, at least
    // 2 GiB; a bzip2 bomb expands a millionfold.
    void SetUnpackLimit(qint64 bytes) { m_nUnpackLimit = bytes; }
    qint64 UnpackLimitFor(qint64 archiveSize) const;

private:
    bool Aborted() const { return CrxAborted(m_pAbort); }
    struct Streamed;
    // folder empty: nothing is written, and the reading ends with the
    // streamed member.
    CrxResult UnpackEntries(const QString& archivePath, const QString& folder, Streamed* streamed,
                            const QString& unpacked = QString());

    CrxAbortFlag m_nOwnAbort{0};
    const CrxAbortFlag* m_pAbort = &m_nOwnAbort;
    qint64 m_nUnpackLimit = 0; // 0 = the default rule
    QByteArray m_memberEnd;
    bool m_bParallel = true;
};
