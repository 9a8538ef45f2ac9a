#include "goods/CListFileReader.h"

#include "shared/textfiles/TextDecoding.h"

#include <algorithm>

namespace brelkin {

namespace {

// Large enough that reads cost little in calls; the buffer stays this small
// whatever the file's size, but for a line up to MaxLineBytes.
constexpr qint64 kReadPiece = 1 << 16;

// Room for a line end that the buffer holds only in part.
constexpr qsizetype kLineEndRoom = 4;

} // namespace

bool CListFileReader::Open(const QString& path)
{
    m_file.close();
    m_file.setFileName(path);
    m_buffer.clear();
    m_nAt = 0;
    m_nMostHeld = 0;
    m_bUtf8 = false;
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    ReadMore();
    if (m_buffer.startsWith("\xEF\xBB\xBF")) {
        m_bUtf8 = true;
        m_nAt = 3;
    } else if (m_buffer.startsWith("\xFF\xFE")) {
        m_nAt = 2;
    }
    // A mark inside the text is a character of it.
    const auto flags = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;
    m_decoder = QStringDecoder(m_bUtf8 ? QStringDecoder::Utf8 : QStringDecoder::Utf16LE, flags);
    return true;
}

bool CListFileReader::ReadMore()
{
    if (!m_file.isOpen())
        return false;
    const qsizetype kept = m_buffer.size();
    m_buffer.resize(kept + kReadPiece);
    const qint64 read = m_file.read(m_buffer.data() + kept, kReadPiece);
    m_buffer.resize(kept + qsizetype(std::max<qint64>(read, 0)));
    m_nMostHeld = std::max(m_nMostHeld, m_buffer.size());
    // A failed read ends the file as reading it whole did.
    if (read <= 0)
        m_file.close();
    return read > 0;
}

qsizetype CListFileReader::FindChar(QByteArrayView bytes, qsizetype from, char c) const
{
    if (m_bUtf8)
        return bytes.indexOf(c, from);
    // In UTF-16 the character is c and 00 at an even offset; other such bytes
    // belong to other characters.
    for (qsizetype at = bytes.indexOf(c, from); at >= 0 && at + 1 < bytes.size();
         at = bytes.indexOf(c, at + 1))
        if (at % 2 == 0 && bytes.at(at + 1) == '\0')
            return at;
    return -1;
}

bool CListFileReader::FindLine(qsizetype& size, qsizetype& next, bool& tooLong)
{
    // The lines given are dropped now and then, not at every line.
    if (m_nAt >= kReadPiece) {
        m_buffer.remove(0, m_nAt);
        m_nAt = 0;
    }
    tooLong = false;
    const auto lineEnd = [this](qsizetype from) {
        const qsizetype at = FindChar(QByteArrayView(m_buffer).sliced(m_nAt), from - m_nAt, '\n');
        return at < 0 ? -1 : m_nAt + at;
    };
    qsizetype from = m_nAt;
    qsizetype end = lineEnd(from);
    while (end < 0) {
        // Whole UTF-16 units searched hold no line end.
        from = m_nAt + ((m_buffer.size() - m_nAt) & ~qsizetype(1));
        if (from - m_nAt > MaxLineBytes + kLineEndRoom) {
            // Longer than any line is held: what was searched goes.
            tooLong = true;
            m_buffer.remove(m_nAt, from - m_nAt);
            from = m_nAt;
        }
        if (!ReadMore())
            break;
        end = lineEnd(from);
    }
    if (end < 0) {
        // The last line, without an end of its own.
        if (m_nAt >= m_buffer.size() && !tooLong)
            return false;
        end = m_buffer.size();
        next = end;
    } else {
        next = end + (m_bUtf8 ? 1 : 2);
    }
    size = end - m_nAt;
    // Its CR belongs to the line end.
    if (m_bUtf8 && size > 0 && m_buffer.at(end - 1) == '\r')
        size -= 1;
    else if (!m_bUtf8 && size >= 2 && size % 2 == 0 && m_buffer.at(end - 2) == '\r' &&
             m_buffer.at(end - 1) == '\0')
        size -= 2;
    tooLong = tooLong || size > MaxLineBytes;
    return true;
}

void CListFileReader::Decode(QByteArrayView bytes, ListFileLine& line)
{
    if (AppendDecodedText(m_decoder, !m_bUtf8, bytes, line.text))
        return;
    // Which values do not decode: each piece between TABs is decoded alone.
    line.text.clear();
    for (qsizetype start = 0, piece = 0;; ++piece) {
        const qsizetype tab = FindChar(bytes, start, '\t');
        const qsizetype end = tab < 0 ? bytes.size() : tab;
        if (!AppendDecodedText(m_decoder, !m_bUtf8, bytes.sliced(start, end - start), line.text))
            line.undecoded << int(piece);
        if (tab < 0)
            break;
        line.text += QLatin1Char('\t');
        start = tab + (m_bUtf8 ? 1 : 2);
    }
}

bool CListFileReader::ReadLine(ListFileLine& line)
{
    line.text.clear();
    line.undecoded.clear();
    qsizetype size = 0;
    qsizetype next = 0;
    if (!FindLine(size, next, line.tooLong))
        return false;
    if (!line.tooLong)
        Decode(QByteArrayView(m_buffer).sliced(m_nAt, size), line);
    m_nAt = next;
    return true;
}

int CListFileReader::CountLinesLeft()
{
    int lines = 0;
    qsizetype size = 0;
    qsizetype next = 0;
    bool tooLong = false;
    while (FindLine(size, next, tooLong)) {
        if (size > 0 || tooLong)
            ++lines;
        m_nAt = next;
    }
    return lines;
}

} // namespace brelkin
