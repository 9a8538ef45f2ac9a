#pragma once

// The members after a streamed member (the archive XML), read from the
// archive's last bzip2 blocks without decoding what lies before them, so
// that the header read need not decompress the whole XML to reach the
// schema texts and media behind it. What the last blocks hold need not be
// what a reading from the archive's start yields (a second stream, members
// after the tar's end mark): a read from the start proves it before the
// open keeps anything (CCrxArchiver::ReadMember given the unpack folder).

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>

struct archive;

// An unpack takes no more than this from the end: the members, their
// headers and the streamed member's last bytes, decoded.
constexpr qint64 kCrxRestFromEndLimit = qint64(8) << 20;

// The tar from the first member after the streamed one to the end of the
// archive's last bzip2 stream, from its last blocks alone. The streamed
// member has memberSize bytes and its text ends with lastText (white space
// may follow). nullopt when where the members start cannot be told for
// certain within limit decoded bytes (or the last blocks are damaged).
std::optional<QByteArray> CrxRestFromEnd(const QString& archivePath, qint64 memberSize,
                                         QByteArrayView lastText, qint64 limit);

bool CrxAllZero(QByteArrayView bytes);

// A libarchive reader, freed with its owner.
struct CrxReadDeleter
{
    void operator()(archive* a) const;
};
using CrxTarReader = std::unique_ptr<archive, CrxReadDeleter>;

// A tar reader over tar, which must outlive it; null when it cannot open.
CrxTarReader CrxOpenTarInMemory(QByteArrayView tar);
