#include "goods/CListFileReader.h"

#include <algorithm>

namespace brelkin {

namespace {

// Large enough that reads cost little in calls; the buffer stays this small
// whatever the file's size.
constexpr qint64 kReadPiece = 1 << 16;

} // namespace

bool CListFileReader::Open(const QString& path)
{
    m_file.close();
    m_file.setFileName(path);
    m_buffer.clear();
    m_nAt = 0;
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
    // A failed read ends the file as reading it whole did.
    if (read <= 0)
        m_file.close();
    return read > 0;
}

qsizetype CListFileReader::FindLineEnd(qsizetype from) const
{
    if (m_bUtf8)
        return m_buffer.indexOf('\n', from);
    // In UTF-16 a line ends with 0A 00 at an even offset from its start;
    // other 0A bytes belong to other characters.
    for (qsizetype at = m_buffer.indexOf('\n', from); at >= 0 && at + 1 < m_buffer.size();
         at = m_buffer.indexOf('\n', at + 1))
        if ((at - m_nAt) % 2 == 0 && m_buffer.at(at + 1) == '\0')
            return at;
    return -1;
}

QString CListFileReader::Decode(qsizetype size)
{
    const QByteArrayView bytes(m_buffer.constData() + m_nAt, size);
    return m_bUtf8 ? QString::fromUtf8(bytes) : m_utf16.decode(bytes);
}

bool CListFileReader::ReadLine(QString& line)
{
    // The lines given are dropped now and then, not at every line.
    if (m_nAt >= kReadPiece) {
        m_buffer.remove(0, m_nAt);
        m_nAt = 0;
    }
    qsizetype from = m_nAt;
    qsizetype end = FindLineEnd(from);
    while (end < 0) {
        // Whole UTF-16 units searched hold no line end.
        from = m_nAt + ((m_buffer.size() - m_nAt) & ~qsizetype(1));
        if (!ReadMore())
            break;
        end = FindLineEnd(from);
    }
    if (end < 0) {
        // The last line, without an end of its own.
        if (m_nAt >= m_buffer.size())
            return false;
        line = Decode(m_buffer.size() - m_nAt);
        m_nAt = m_buffer.size();
    } else {
        line = Decode(end - m_nAt);
        m_nAt = end + (m_bUtf8 ? 1 : 2);
    }
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    return true;
}

} // namespace brelkin
