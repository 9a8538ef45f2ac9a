#include "shared/data/CSplitStringData.h"

namespace {
constexpr QChar kQuote = QLatin1Char('"');
constexpr QChar kLineFeed = QLatin1Char('\n');
} // namespace

CSplitStringData::CSplitStringData(const QString& text, const QString& delimiter)
    : m_chDelimiter(delimiter.isEmpty() ? QChar() : delimiter.front()),
      m_bHasDelimiter(!delimiter.isEmpty())
{
    Split(text.endsWith(kLineFeed) ? text.chopped(1) : text);
}

CSplitStringData::~CSplitStringData() = default;

void CSplitStringData::Split(const QString& text)
{
    const qsizetype end = text.size();
    const auto isDelimiter = [&](qsizetype i) {
        return m_bHasDelimiter && i < end && text[i] == m_chDelimiter;
    };
    qsizetype pos = 0;
    while (pos < end) {
        QString field;
        if (text[pos] == kQuote) {
            ++pos;
            while (pos < end) {
                const QChar c = text[pos++];
                if (c != kQuote) {
                    field += c;
                } else if (pos == end || isDelimiter(pos)) {
                    ++pos; // the closing quote ends the field; skip its delimiter
                    break;
                } else {
                    // Two quotes stand for one; a lone quote is kept as it is.
                    field += kQuote;
                    if (text[pos] == kQuote)
                        ++pos;
                }
            }
        } else {
            const qsizetype next = m_bHasDelimiter ? text.indexOf(m_chDelimiter, pos) : -1;
            const qsizetype stop = next < 0 ? end : next;
            field = text.mid(pos, stop - pos);
            pos = stop + 1;
        }
        m_arrValues.append(field);
    }
}
