#include "archive/CrxBzip2Source.h"

#include "archive/CCrxBzip2Process.h"

#include <QFile>

#include <bzlib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

// Left to itself, lbzip2 runs ahead of a slower reader (the parse) by some
// 25 MB a thread. Held while it holds more than this, it decompresses on
// three threads as fast as the parse reads, and an open, child included,
// stays under 100 MB. Four made no open faster and passed 100 MB.
constexpr int kDecompressThreads = 3;
constexpr long kDecompressBudgetKb = 48 * 1024;
constexpr size_t kInputChunk = 256 * 1024;
constexpr size_t kFinishChunk = 256 * 1024;
// "BZh", the level and the magic of a block or of the stream's end.
constexpr size_t kStreamHead = 10;

// The start of a bzip2 stream as libarchive's own reader recognises it.
bool StartsAsBzip2(const char* bytes, size_t size)
{
    static const char block[6] = {0x31, 0x41, 0x59, 0x26, 0x53, 0x59};
    static const char end[6] = {0x17, 0x72, 0x45, 0x38, 0x50, char(0x90)};
    return size >= kStreamHead && std::equal(bytes, bytes + 3, "BZh") && bytes[3] >= '1' &&
           bytes[3] <= '9' &&
           (std::equal(bytes + 4, bytes + 10, block) || std::equal(bytes + 4, bytes + 10, end));
}

} // namespace

// The in-process decompression: the stream being decoded and the file's
// bytes not yet given to it.
struct CrxBzip2Source::Decoder
{
    ~Decoder()
    {
        if (inStream)
            BZ2_bzDecompressEnd(&bz);
    }
    bz_stream bz{};
    bool inStream = false;
    bool inputEnded = false;
    // Past the last stream.
    bool done = false;
    std::vector<char> input = std::vector<char>(kInputChunk);
};

CrxBzip2Source::CrxBzip2Source() = default;

CrxBzip2Source::~CrxBzip2Source() = default;

bool CrxBzip2Source::Open(const QString& archivePath, bool parallel)
{
    m_in = CrxFd(::open(QFile::encodeName(archivePath).constData(), O_RDONLY | O_CLOEXEC));
    char head[kStreamHead];
    if (m_in.get() < 0 || ::pread(m_in.get(), head, sizeof head, 0) != ssize_t(sizeof head) ||
        !StartsAsBzip2(head, sizeof head))
        return false;
    if (parallel) {
        auto child = std::make_unique<CCrxBzip2Process>();
        if (child->StartDecompress(m_in.get(), kDecompressThreads, kDecompressBudgetKb)) {
            m_pChild = std::move(child);
            m_in.close();
            return true;
        }
    }
    m_pDecoder = std::make_unique<Decoder>();
    return true;
}

ssize_t CrxBzip2Source::Read(char* data, size_t size)
{
    if (m_pChild)
        return m_pChild->Read(data, size);
    return m_pDecoder ? Decode(data, size) : -1;
}

bool CrxBzip2Source::FillInput(size_t atLeast)
{
    Decoder& d = *m_pDecoder;
    if (d.bz.avail_in >= atLeast || d.inputEnded)
        return true;
    size_t have = d.bz.avail_in;
    if (have > 0)
        std::memmove(d.input.data(), d.bz.next_in, have);
    while (have < atLeast) {
        const ssize_t n = ::read(m_in.get(), d.input.data() + have, d.input.size() - have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            d.inputEnded = true;
            break;
        }
        have += size_t(n);
    }
    d.bz.next_in = d.input.data();
    d.bz.avail_in = unsigned(have);
    return true;
}

ssize_t CrxBzip2Source::Decode(char* data, size_t size)
{
    Decoder& d = *m_pDecoder;
    if (d.done)
        return 0;
    d.bz.next_out = data;
    d.bz.avail_out = unsigned(size);
    for (;;) {
        if (!d.inStream) {
            // Between streams: another one begins, or the rest is none.
            if (!FillInput(kStreamHead))
                return -1;
            if (!StartsAsBzip2(d.bz.next_in, d.bz.avail_in)) {
                d.done = true;
                return 0;
            }
            if (BZ2_bzDecompressInit(&d.bz, 0, 0) != BZ_OK)
                return -1;
            d.inStream = true;
        }
        if (d.bz.avail_in == 0 && !FillInput(1))
            return -1;
        const unsigned before = d.bz.avail_in;
        const int rc = BZ2_bzDecompress(&d.bz);
        const size_t made = size - d.bz.avail_out;
        if (rc == BZ_STREAM_END) {
            // Its CRC held.
            BZ2_bzDecompressEnd(&d.bz);
            d.inStream = false;
            if (made > 0)
                return ssize_t(made);
            continue;
        }
        if (rc != BZ_OK)
            return -1;
        if (made > 0)
            return ssize_t(made);
        // Nothing came of the input: the stream was cut short.
        if (d.bz.avail_in == before && (d.bz.avail_in > 0 || d.inputEnded))
            return -1;
    }
}

CrxResult CrxBzip2Source::Finish(const std::function<CrxResult(qint64)>& count,
                                 const CrxAbortFlag* abort)
{
    std::vector<char> buffer(kFinishChunk);
    for (;;) {
        const ssize_t n = Read(buffer.data(), buffer.size());
        if (n == 0)
            break;
        const CrxResult rc = n < 0 ? CRX_E_UNPACK : count(n);
        if (rc != CRX_OK) {
            Stop();
            return rc;
        }
    }
    if (!m_pChild)
        return m_pDecoder ? CRX_OK : CRX_E_UNPACK;
    const CrxResult rc = m_pChild->Finish(abort, CRX_E_UNPACK);
    m_pChild.reset();
    return rc;
}

void CrxBzip2Source::Stop()
{
    if (m_pChild)
        m_pChild->Kill();
    m_pChild.reset();
    m_pDecoder.reset();
}
