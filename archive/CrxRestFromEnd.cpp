#include "archive/CrxRestFromEnd.h"

#include "archive/CrxBzip2Tail.h"
#include "archive/CrxFd.h"

#include <QFile>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cstring>
#include <fcntl.h>
#include <memory>

namespace {

constexpr qsizetype kTarBlock = 512;
constexpr qsizetype kNoStart = -1;
constexpr qsizetype kUnsure = -2;

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
    const CrxTarReader reader = CrxOpenTarInMemory(tar);
    if (!reader)
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
        const bool endMark = CrxAllZero(rest.first(kTarBlock));
        if ((!endMark && !IsTarHeader(rest.data())) || !CrxAllZero(tail.sliced(at - pad, pad)))
            continue;
        QByteArrayView text = tail.first(at - pad);
        while (!text.isEmpty() && QByteArrayView(" \t\r\n").contains(text.back()))
            text.chop(1);
        if (!text.endsWith(lastText) || !(endMark ? CrxAllZero(rest) : ReadsToItsEnd(rest)))
            continue;
        if (found != kNoStart)
            return kUnsure;
        found = at;
    }
    return found;
}

} // namespace

void CrxReadDeleter::operator()(archive* a) const
{
    archive_read_free(a);
}

CrxTarReader CrxOpenTarInMemory(QByteArrayView tar)
{
    CrxTarReader reader(archive_read_new());
    if (!reader)
        return reader;
    archive_read_support_format_tar(reader.get());
    if (archive_read_open_memory(reader.get(), tar.data(), size_t(tar.size())) != ARCHIVE_OK)
        reader.reset();
    return reader;
}

bool CrxAllZero(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == 0; });
}

std::optional<QByteArray> CrxRestFromEnd(const QString& archivePath, qint64 memberSize,
                                         QByteArrayView lastText, qint64 limit)
{
    CrxFd in(::open(QFile::encodeName(archivePath).constData(), O_RDONLY | O_CLOEXEC));
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
