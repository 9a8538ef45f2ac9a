#include "archive/CrxBzip2Tail.h"

#include "archive/tests/CrxScratchFixture.h"
#include "archive/tests/CrxTestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using crxtest::Prose;
using korvane::test::writeFile;

namespace {

// bzip2 at 100k blocks: several blocks from a few hundred KB.
QByteArray Compress(const QByteArray& data)
{
    return crxtest::Bzip2(data, 1);
}

class CrxBzip2TailTest : public crxtest::ScratchFixture
{
protected:
    // Decodes the file back to its start (or as far as it goes): the
    // blocks decoded and the bytes.
    std::pair<int, QByteArray> DecodeBack(const QByteArray& file, qint64 limit = 1 << 30)
    {
        EXPECT_TRUE(writeFile(Path("f.bz2"), file));
        const int fd = ::open(QFile::encodeName(Path("f.bz2")).constData(), O_RDONLY);
        CrxBzip2Tail tail(fd);
        int blocks = 0;
        QByteArray previous;
        while (tail.Extend(limit)) {
            ++blocks;
            // Each block goes in front of those before it.
            EXPECT_TRUE(tail.Bytes().endsWith(previous));
            EXPECT_GT(tail.Bytes().size(), previous.size());
            previous = tail.Bytes().toByteArray();
        }
        ::close(fd);
        return {blocks, tail.Bytes().toByteArray()};
    }
};

TEST_F(CrxBzip2TailTest, DecodesTheStreamBlockByBlockFromItsEnd)
{
    const QByteArray data = Prose(350000, 1);
    const auto [blocks, bytes] = DecodeBack(Compress(data));
    EXPECT_EQ(blocks, 4);
    EXPECT_EQ(bytes, data);
}

TEST_F(CrxBzip2TailTest, StopsWhereTheLastStreamOrTheReadableEndStops)
{
    const QByteArray first = Prose(150000, 2);
    const QByteArray second = Prose(150000, 3);
    const QByteArray packed = Compress(second);
    QByteArray damaged = packed;
    damaged[damaged.size() - 300] ^= 0x04;
    // The stream's own CRC, made of its blocks', at its end.
    QByteArray badStreamCrc = packed;
    badStreamCrc[badStreamCrc.size() - 2] ^= 0x01;

    const struct
    {
        const char* name;
        QByteArray file;
        qint64 limit;
        int blocks;
    } cases[] = {
        // An earlier stream's blocks belong to another CRC.
        {"two streams", Compress(first) + packed, 1 << 30, 2},
        {"limit", packed, 40000, 0},
        {"limit after a block", packed, 120000, 1},
        {"damaged last block", damaged, 1 << 30, 0},
        // Found out once the stream's first block is decoded.
        {"stream CRC", badStreamCrc, 1 << 30, 1},
        {"stream CRC of the last stream", Compress(first) + badStreamCrc, 1 << 30, 1},
        {"bytes after the end", packed + "x", 1 << 30, 0},
        {"no bzip2", Prose(5000, 4), 1 << 30, 0},
        {"empty stream", Compress({}), 1 << 30, 0},
    };
    for (const auto& c : cases) {
        const auto [blocks, bytes] = DecodeBack(c.file, c.limit);
        EXPECT_EQ(blocks, c.blocks) << c.name;
        EXPECT_EQ(bytes, second.right(bytes.size())) << c.name;
        EXPECT_EQ(bytes.isEmpty(), blocks == 0) << c.name;
    }
    EXPECT_EQ(DecodeBack(Compress(first) + packed).second, second);
}

} // namespace
