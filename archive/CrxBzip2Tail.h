#pragma once

// The end of a bzip2 file, decoded without what comes before it. A bzip2
// block starts with a 48-bit magic at any bit, carries its own CRC and needs
// nothing of the blocks before it: each is decoded as a stream of its own,
// going back from the end, and its CRC checked. The last stream's combined
// CRC, made of its blocks' CRCs, is checked once its first block is
// decoded; short of that, a full decode of the file checks it.

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <vector>

class CrxBzip2Tail
{
public:
    // Reads the end of the file open at fd (at most the last few MiB).
    explicit CrxBzip2Tail(int fd);

    // Decodes the block before those decoded so far and puts its bytes in
    // front: false when there is none left to find in what was read, the
    // file does not end as a bzip2 stream, the block is damaged (or, the
    // stream's first, its stream's combined CRC fails), or the decoded bytes
    // would pass limit.
    bool Extend(qint64 limit);
    // The decoded bytes: the file's last ones.
    QByteArrayView Bytes() const { return m_decoded; }

private:
    std::uint64_t Bits48(qint64 bit) const;
    qint64 FindBack(qint64 fromBit, std::uint64_t magic, qint64 downTo) const;
    QByteArray SingleBlockStream(qint64 start, qint64 stop) const;
    bool BeginsStream(qint64 start) const;
    bool CombinedCrcHolds() const;

    QByteArray m_window;     // the file's last bytes, and 8 zero bytes
    qint64 m_windowBits = 0; // bits of the file in m_window
    qint64 m_streamEnd = -1; // bit where the stream's end magic starts
    qint64 m_nextStop = -1;  // bit where the next block to decode ends
    qint64 m_lowest = 0;     // no block magic is searched below this bit
    QByteArray m_decoded;
    // The stored CRCs of the blocks decoded so far, the last block's first.
    std::vector<std::uint32_t> m_blockCrcs;
};
