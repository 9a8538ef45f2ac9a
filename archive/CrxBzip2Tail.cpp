#include "archive/CrxBzip2Tail.h"

#include <bzlib.h>

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A block is at most about 1 MiB packed: the window holds a few.
constexpr qint64 kTailWindow = qint64(4) << 20;
constexpr std::uint64_t kBlockMagic = 0x314159265359;
constexpr std::uint64_t kStreamEndMagic = 0x177245385090;
constexpr int kMagicBits = 48;
constexpr int kCrcBits = 32;
constexpr qsizetype kDecodeStep = 1 << 20;

class BitWriter
{
public:
    explicit BitWriter(QByteArray& out) : m_out(out) {}
    // The low count bits of value, the highest first (count <= 32).
    void Put(std::uint64_t value, int count)
    {
        m_acc = (m_acc << count) | (value & ((std::uint64_t(1) << count) - 1));
        m_bits += count;
        while (m_bits >= 8) {
            m_bits -= 8;
            m_out.append(char((m_acc >> m_bits) & 0xFF));
        }
    }
    // Pads the last byte with zero bits, as bzip2 does.
    void Flush()
    {
        if (m_bits > 0)
            Put(0, 8 - m_bits);
    }

private:
    QByteArray& m_out;
    std::uint64_t m_acc = 0;
    int m_bits = 0;
};

bool DecodeStream(const QByteArray& stream, qint64 limit, QByteArray& out)
{
    bz_stream bz{};
    if (BZ2_bzDecompressInit(&bz, 0, 0) != BZ_OK)
        return false;
    bz.next_in = const_cast<char*>(stream.constData());
    bz.avail_in = unsigned(stream.size());
    int rc = BZ_OK;
    qsizetype used = 0;
    while (rc == BZ_OK) {
        if (used == out.size()) {
            if (out.size() >= limit)
                break;
            out.resize(std::min<qint64>(out.size() + kDecodeStep, limit));
        }
        bz.next_out = out.data() + used;
        bz.avail_out = unsigned(out.size() - used);
        const unsigned before = bz.avail_in;
        rc = BZ2_bzDecompress(&bz);
        const qsizetype made = (out.size() - used) - qsizetype(bz.avail_out);
        used += made;
        // Input spent without an end: the block was cut short.
        if (rc == BZ_OK && made == 0 && bz.avail_in == before)
            break;
    }
    BZ2_bzDecompressEnd(&bz);
    out.resize(used);
    return rc == BZ_STREAM_END;
}

} // namespace

CrxBzip2Tail::CrxBzip2Tail(int fd)
{
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || st.st_size < 14)
        return;
    const qint64 size = std::min<qint64>(st.st_size, kTailWindow);
    m_window.resize(size + 8, '\0');
    if (::pread(fd, m_window.data(), size_t(size), st.st_size - size) != ssize_t(size))
        return;
    m_windowBits = size * 8;
    // A whole file in the window: its first block follows "BZh" and the level.
    m_lowest = size == st.st_size ? 32 : 0;
    // The stream ends with its end magic, the combined CRC and up to seven
    // zero bits.
    for (int pad = 0; pad < 8; ++pad) {
        const qint64 at = m_windowBits - pad - kCrcBits - kMagicBits;
        if (at >= m_lowest && Bits48(at) == kStreamEndMagic &&
            (pad == 0 || (m_window[size - 1] & ((1 << pad) - 1)) == 0)) {
            m_streamEnd = at;
            m_nextStop = at;
            break;
        }
    }
}

std::uint64_t CrxBzip2Tail::Bits48(qint64 bit) const
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(m_window.constData()) + (bit >> 3);
    std::uint64_t value = 0;
    for (int i = 0; i < 8; ++i)
        value = (value << 8) | bytes[i];
    return (value << (bit & 7)) >> 16;
}

qint64 CrxBzip2Tail::FindBack(qint64 fromBit, std::uint64_t magic, qint64 downTo) const
{
    for (qint64 bit = fromBit; bit >= downTo; --bit) {
        const std::uint64_t bits = Bits48(bit);
        if (bits == magic)
            return bit;
        // An earlier stream's end: its blocks belong to another stream.
        if (bits == kStreamEndMagic)
            return -1;
    }
    return -1;
}

QByteArray CrxBzip2Tail::SingleBlockStream(qint64 start, qint64 stop) const
{
    QByteArray stream("BZh9");
    stream.reserve(stream.size() + (stop - start) / 8 + 16);
    BitWriter writer(stream);
    qint64 bit = start;
    for (; bit + 32 <= stop; bit += 32)
        writer.Put(Bits48(bit) >> 16, 32);
    if (bit < stop)
        writer.Put(Bits48(bit) >> (kMagicBits - (stop - bit)), int(stop - bit));
    // One block: the stream's combined CRC is the block's own.
    writer.Put(kStreamEndMagic >> 16, 32);
    writer.Put(kStreamEndMagic, 16);
    writer.Put(Bits48(start + kMagicBits) >> 16, kCrcBits);
    writer.Flush();
    return stream;
}

bool CrxBzip2Tail::BeginsStream(qint64 start) const
{
    // The stream's head, "BZh" and the level, ends on a byte boundary right
    // before its first block.
    if (start < 32 || start % 8 != 0)
        return false;
    const char* head = m_window.constData() + start / 8 - 4;
    return std::equal(head, head + 3, "BZh") && head[3] >= '1' && head[3] <= '9';
}

bool CrxBzip2Tail::CombinedCrcHolds() const
{
    std::uint32_t combined = 0;
    for (auto crc = m_blockCrcs.rbegin(); crc != m_blockCrcs.rend(); ++crc)
        combined = ((combined << 1) | (combined >> 31)) ^ *crc;
    return combined == std::uint32_t(Bits48(m_streamEnd + kMagicBits) >> 16);
}

bool CrxBzip2Tail::Extend(qint64 limit)
{
    if (m_nextStop < 0)
        return false;
    const qint64 start = FindBack(m_nextStop - kMagicBits, kBlockMagic, m_lowest);
    const qint64 stop = m_nextStop;
    m_nextStop = -1;
    if (start < 0 || stop - start < kMagicBits + kCrcBits)
        return false;
    QByteArray block;
    if (!DecodeStream(SingleBlockStream(start, stop), limit - m_decoded.size(), block))
        return false;
    m_decoded.prepend(block);
    m_blockCrcs.push_back(std::uint32_t(Bits48(start + kMagicBits) >> 16));
    m_nextStop = start;
    if (BeginsStream(start) && !CombinedCrcHolds()) {
        m_nextStop = -1;
        return false;
    }
    return true;
}
