#include "shared/textfiles/CTextRecordFile.h"

#include "shared/textfiles/TextDecoding.h"
#include "shared/textfiles/TextRecordSetup.h"

#include "platform/LegacyCodePage.h"

#include <QFile>
#include <QtEndian>

#include <charconv>
#include <cstring>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "packed records carry host-order UTF-16LE");

namespace {

constexpr char16_t kIdeographicBlank = 0x3000;
constexpr char16_t kCtrlZ = 0x1A;
// Bytes read at a time; a line longer than a block makes the block grow.
constexpr qsizetype kBlockBytes = 1 << 20;
constexpr int kMaxNumberChars = 98;
constexpr qint32 kEntryHeader = 3 * sizeof(qint32);

bool IsTrailerUnit(uint c)
{
    return c == 0 || c == kCtrlZ || c == '\r' || c == '\n';
}

// A number with an exponent counts only when it converts to a non-zero value.
bool ConvertsToNonZero(QStringView text)
{
    QByteArray ascii = text.left(kMaxNumberChars).toLatin1();
    const char* first = ascii.constData();
    const char* last = first + ascii.size();
    if (first != last && *first == '+')
        ++first;
    double value = 0;
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() && ec != std::errc::result_out_of_range)
        return false;
    return value != 0 || ec == std::errc::result_out_of_range;
}

} // namespace

CTextRecordFile::CTextRecordFile() = default;

CTextRecordFile::~CTextRecordFile()
{
    if (m_bOpen)
        CloseTextRecordFile();
}

bool CTextRecordFile::Fail(quint32 code)
{
    m_nLastError = code;
    return false;
}

int CTextRecordFile::OpenTextRecordFile(const TextRecordOptions* options)
{
    m_nLastError = TEXTERR_NONE;
    if (m_bOpen)
        CloseTextRecordFile();
    if (const quint32 fault = CheckTextRecordOptions(options); fault != TEXTERR_NONE)
        return Fail(fault), -1;
    TextRecordOptions o = *options;
    const TextRecordSyntax syntax = ChooseTextRecordSyntax(o);
    o.dwParseFlags = syntax.parseFlags;

    m_file.setFileName(o.strPath);
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Fail(TEXTERR_FILE), -1;
    m_data.clear();
    m_nReadPos = 0;
    m_bFileEnd = false;
    if (m_file.size() <= 0 || !ReadBlock()) {
        m_file.close();
        return Fail(TEXTERR_FILE), -1;
    }
    const TextRecordEncoding detected = DetectTextRecordEncoding(m_data, o.nFileEncoding);
    if (detected.encoding == 0) {
        m_file.close();
        m_data.clear();
        return Fail(TEXTERR_UTF32), -1;
    }
    const int encoding = detected.encoding;

    m_options = o;
    m_nEncoding = encoding;
    m_chQuote = syntax.quote;
    m_strSeparators = syntax.separators;
    // Every character of a line is classed, most of them ASCII: once per file.
    for (char16_t c = 0; c < m_asciiClass.size(); ++c)
        m_asciiClass[c] = quint8(ClassOf(c));
    m_nReadPos = detected.markBytes;
    const auto flags = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;
    if (encoding == 1)
        m_decoder = QStringDecoder(QStringDecoder::Utf8, flags);
    else if (encoding == 2)
        m_decoder = QStringDecoder(QStringDecoder::Utf16BE, flags);
    else if (encoding == 3)
        m_decoder = QStringDecoder(QStringDecoder::Utf16LE, flags);
    if (encoding == 6)
        m_pLegacyDecoder = std::make_unique<platform::LegacyDecoder>();
    m_line.clear();
    m_record.clear();
    m_nFieldCount = 0;
    m_bPending = m_bAtEnd = m_bFailed = false;
    m_nLinesRead = m_nRecordLine = 0;
    m_bOpen = true;
    return 0;
}

int CTextRecordFile::CloseTextRecordFile()
{
    m_nLastError = TEXTERR_NONE;
    if (!m_bOpen)
        return Fail(TEXTERR_HANDLE), -1;
    m_bOpen = false;
    m_file.close();
    m_data = QByteArray();
    m_line = QString();
    m_record = QByteArray();
    m_pLegacyDecoder.reset();
    return 1;
}

CTextRecordFile* CTextRecordFile::PeekTextRecord(int* fieldCount, int* byteSize)
{
    const auto answer = [&](int count, int size) {
        if (fieldCount)
            *fieldCount = count;
        if (byteSize)
            *byteSize = size;
    };
    m_nLastError = TEXTERR_NONE;
    if (!m_bOpen) {
        Fail(TEXTERR_HANDLE);
        answer(-1, -1);
        return nullptr;
    }
    if (!m_bPending && !m_bAtEnd && !m_bFailed && !ParseRecord()) {
        // A record that failed stays failed: reading on would start inside it.
        m_bFailed = true;
        m_nFailCode = m_nLastError ? m_nLastError : TEXTERR_SPLIT;
    }
    if (m_bFailed) {
        m_nLastError = m_nFailCode;
        answer(-1, -1);
        return nullptr;
    }
    if (m_bAtEnd) {
        answer(-2, -2);
        return nullptr;
    }
    answer(m_nFieldCount, int(m_record.size()));
    return this;
}

int CTextRecordFile::ReadTextRecord(void* destination, int destinationSize, int* byteSize)
{
    m_nLastError = TEXTERR_NONE;
    if (!m_bOpen)
        return Fail(TEXTERR_HANDLE), -1;
    if (!destination)
        return Fail(TEXTERR_NO_DESTINATION), -1;
    if (destinationSize <= 0)
        return Fail(TEXTERR_DESTINATION_SIZE), -1;
    if (!byteSize)
        return Fail(TEXTERR_NO_SIZE_OUT), -1;
    int count = 0;
    int size = 0;
    if (!PeekTextRecord(&count, &size)) {
        *byteSize = 0;
        return count == -2 ? -2 : -1;
    }
    if (destinationSize < size)
        return Fail(TEXTERR_DESTINATION_SMALL), -1;
    std::memcpy(destination, m_record.constData(), size);
    *byteSize = size;
    m_bPending = false;
    return 1;
}

QList<TextRecordField> CTextRecordFile::SplitRecord(const uchar* record)
{
    QList<TextRecordField> fields;
    if (!record)
        return fields;
    // Counted first: a list grown field by field would move for every few.
    qsizetype count = 0;
    for (const uchar* at = record;; ++count) {
        qint32 head[3];
        std::memcpy(head, at, sizeof head);
        if (head[2] == TEXTFIELD_END)
            break;
        at += kEntryHeader + head[1];
    }
    fields.reserve(count);
    for (;;) {
        qint32 head[3];
        std::memcpy(head, record, sizeof head);
        if (head[2] == TEXTFIELD_END)
            break;
        const auto* text = reinterpret_cast<const char16_t*>(record + kEntryHeader);
        fields.append({head[2], QStringView(text, head[0] / 2)});
        record += kEntryHeader + head[1];
    }
    return fields;
}

bool CTextRecordFile::IsSeparatorChar(char16_t c) const
{
    for (QChar s : m_strSeparators)
        if (s.unicode() == c)
            return true;
    return false;
}

CTextRecordFile::CharClass CTextRecordFile::ClassOf(char16_t c) const
{
    if (c == 0)
        return CC_END;
    if (c == kIdeographicBlank)
        return CC_BLANK;
    if (m_chQuote && c == m_chQuote)
        return CC_QUOTE;
    if (c == u'\r')
        return CC_CR; // a CR alone is another character: ClassAt looks at the next one
    if (c == u'\n')
        return CC_LF;
    if (IsSeparatorChar(c))
        return CC_SEPARATOR;
    switch (c) {
    case u'\t':
    case u' ':
        return CC_BLANK;
    case kCtrlZ:
        return CC_END;
    case u'\'':
        return CC_APOSTROPHE;
    case u'+':
    case u'-':
        return CC_SIGN;
    case u'.':
        return CC_POINT;
    case u'E':
    case u'e':
        return CC_EXPONENT;
    default:
        return c >= u'0' && c <= u'9' ? CC_DIGIT : CC_OTHER;
    }
}

CTextRecordFile::CharClass CTextRecordFile::ClassAt(qsizetype pos) const
{
    if (pos >= m_line.size())
        return CC_END;
    const char16_t c = m_line.at(pos).unicode();
    const CharClass k = c < m_asciiClass.size() ? CharClass(m_asciiClass[c]) : ClassOf(c);
    if (k == CC_CR)
        return pos + 1 < m_line.size() && m_line.at(pos + 1) == u'\n' ? CC_CR : CC_OTHER;
    return k;
}

int CTextRecordFile::LineEndAt(qsizetype pos) const
{
    const CharClass k = ClassAt(pos);
    return k == CC_CR ? 2 : k == CC_LF ? 1 : 0;
}

// True when from this point of the line to the end of the file only NULs,
// end-of-file marks and line ends follow: the tail some editors leave. The
// bytes not read yet are looked at from the file and left unread.
bool CTextRecordFile::RestIsTrailer(qsizetype linePos)
{
    for (qsizetype i = linePos; i < m_line.size(); ++i)
        if (!IsTrailerUnit(m_line.at(i).unicode()))
            return false;
    const bool wide = m_nEncoding == 2 || m_nEncoding == 3;
    const auto isTrailer = [&](const QByteArray& bytes, qsizetype from) {
        const auto* b = reinterpret_cast<const uchar*>(bytes.constData());
        if (!wide) {
            for (qsizetype i = from; i < bytes.size(); ++i)
                if (!IsTrailerUnit(b[i]))
                    return false;
            return true;
        }
        for (qsizetype i = from; i + 1 < bytes.size(); i += 2) {
            const uint unit = m_nEncoding == 3 ? b[i] | (b[i + 1] << 8) : (b[i] << 8) | b[i + 1];
            if (!IsTrailerUnit(unit))
                return false;
        }
        return true;
    };
    // An odd byte left over at a block end joins the next block's first.
    QByteArray carry = m_data.mid(m_nReadPos);
    if (!isTrailer(carry, 0))
        return false;
    if (m_bFileEnd)
        return true;
    const qint64 back = m_file.pos();
    bool trailer = true;
    carry = wide && carry.size() % 2 ? carry.right(1) : QByteArray();
    while (trailer) {
        const QByteArray block = m_file.read(kBlockBytes);
        if (block.isEmpty())
            break;
        carry += block;
        trailer = isTrailer(carry, 0);
        carry = wide && carry.size() % 2 ? carry.right(1) : QByteArray();
    }
    m_file.seek(back);
    return trailer;
}

bool CTextRecordFile::ReadBlock()
{
    // Unread bytes move to the front; the block grows only for a long line.
    m_data.remove(0, m_nReadPos);
    m_nReadPos = 0;
    const qsizetype kept = m_data.size();
    m_data.resize(kept + kBlockBytes);
    const qint64 got = m_file.read(m_data.data() + kept, kBlockBytes);
    if (got < 0) {
        m_data.resize(kept);
        return false;
    }
    m_data.resize(kept + got);
    if (got == 0)
        m_bFileEnd = true;
    return true;
}

CTextRecordFile::LineResult CTextRecordFile::ReadPhysicalLine(bool append)
{
    if (!append)
        m_line.truncate(0);
    const bool wide = m_nEncoding == 2 || m_nEncoding == 3;
    qsizetype end = -1;
    qsizetype scanned = 0; // bytes after m_nReadPos already searched
    for (;;) {
        const qsizetype size = m_data.size();
        const char* base = m_data.constData();
        if (wide) {
            const int lfOffset = m_nEncoding == 3 ? 0 : 1;
            qsizetype i = m_nReadPos + scanned;
            for (; i + 1 < size; i += 2) {
                if (base[i + lfOffset] == '\n' && base[i + 1 - lfOffset] == 0) {
                    end = i + 2;
                    break;
                }
            }
            scanned = i - m_nReadPos;
        } else {
            const void* lf =
                std::memchr(base + m_nReadPos + scanned, '\n', size - m_nReadPos - scanned);
            if (lf)
                end = static_cast<const char*>(lf) - base + 1;
            scanned = size - m_nReadPos;
        }
        if (end < 0 && m_bFileEnd) {
            if (m_nReadPos >= size)
                return LINE_END;
            end = size; // the last line has no line end
        }
        if ((end < 0 ? size : end) - m_nReadPos + m_line.size() * 2 > MaxLineBytes) {
            m_nRecordLine = m_nLinesRead + 1;
            return Fail(TEXTERR_LINE_LONG), LINE_ERROR;
        }
        if (end >= 0)
            break;
        if (!ReadBlock()) {
            m_nRecordLine = m_nLinesRead + 1;
            return Fail(TEXTERR_MEMORY), LINE_ERROR;
        }
    }
    const QByteArrayView bytes(m_data.constData() + m_nReadPos, end - m_nReadPos);
    m_nReadPos = end;
    ++m_nLinesRead;

    bool ok = true;
    const qsizetype at = m_line.size();
    if (m_nEncoding == 6) {
        m_line += m_pLegacyDecoder->decode(bytes, &ok);
    } else {
        ok = AppendDecodedText(m_decoder, wide, bytes, m_line);
    }
    if (!ok || m_line.size() == at) {
        // Bad bytes are reported with their line, never turned into other characters.
        m_nRecordLine = m_nLinesRead;
        return Fail(TEXTERR_CONVERT), LINE_ERROR;
    }
    return LINE_OK;
}

bool CTextRecordFile::ParseRecord()
{
    m_record.truncate(0); // keeps the capacity for the next record
    m_nFieldCount = 0;
    for (;;) {
        const LineResult r = ReadPhysicalLine(false);
        if (r == LINE_ERROR)
            return false;
        if (r == LINE_END) {
            m_bAtEnd = true;
            return true;
        }
        m_nRecordLine = m_nLinesRead;
        // A blank line holds no record; it must not become a row of empty values.
        if (LineEndAt(0) != m_line.size())
            break;
    }
    qsizetype pos = 0;
    bool done = false;
    for (int fieldNo = 1; !done; ++fieldNo) {
        const int r = ParseField(pos, fieldNo, done);
        if (r < 0)
            return false;
        if (r == 0) {
            m_bAtEnd = true;
            return true;
        }
    }
    AppendEntry(TEXTFIELD_END, QStringView());
    m_bPending = true;
    return true;
}

// Scans one field from pos: 1 when an entry was added, 0 when the line holds
// no record at all, -1 on an error.
int CTextRecordFile::ParseField(qsizetype& pos, int fieldNo, bool& recordDone)
{
    const qsizetype start = pos;
    Terminator term = TERM_END;
    qsizetype termPos = start;

    // NUL and Ctrl-Z end the text only when nothing but such a tail follows.
    const auto endOfTextAt = [&](qsizetype i) {
        if (i >= m_line.size() || RestIsTrailer(i)) {
            m_nReadPos = m_data.size();
            m_bFileEnd = true; // the rest is the trailer: nothing more to read
            return true;
        }
        return Fail(TEXTERR_CONTROL);
    };
    const auto walkToTerminator = [&](qsizetype i) {
        for (;; ++i) {
            const CharClass k = ClassAt(i);
            if (k == CC_SEPARATOR || k == CC_LF || k == CC_CR) {
                term = k == CC_SEPARATOR ? TERM_SEPARATOR : TERM_LINEEND;
                termPos = i;
                return true;
            }
            if (k == CC_END) {
                term = TERM_END;
                termPos = i;
                return endOfTextAt(i);
            }
        }
    };

    bool quoted = false;
    bool closed = false;
    qsizetype quoteEnd = -1;
    const CharClass first = ClassAt(start);
    if (first == CC_QUOTE) {
        quoted = true;
        bool sawQuote = false;
        bool continued = false;
        qsizetype i = start + 1;
        for (;;) {
            const CharClass k = ClassAt(i);
            if (k == CC_QUOTE) {
                sawQuote = !sawQuote;
                ++i;
                continue;
            }
            if (sawQuote)
                break;
            if (k == CC_LF || k == CC_CR) {
                if (!(m_options.dwParseFlags & TEXTPARSE_MULTILINE))
                    break;
                const qsizetype after = i + LineEndAt(i);
                if (after >= m_line.size()) {
                    const LineResult r = ReadPhysicalLine(true);
                    if (r == LINE_ERROR)
                        return -1;
                    if (r == LINE_END) {
                        // An open quote must not swallow the rest of the file unnoticed.
                        if (continued)
                            return Fail(TEXTERR_SPLIT), -1;
                        break;
                    }
                    continued = true;
                }
                i = after;
                continue;
            }
            if (k == CC_END) {
                if (i < m_line.size() && m_line.at(i) == QChar(kCtrlZ) && !RestIsTrailer(i)) {
                    ++i; // a quoted end-of-file mark is text
                    continue;
                }
                if (continued && i >= m_line.size())
                    return Fail(TEXTERR_SPLIT), -1;
                break;
            }
            ++i;
        }
        closed = sawQuote;
        quoteEnd = i;
        if (!walkToTerminator(i))
            return -1;
    } else if (first == CC_LF || first == CC_CR) {
        term = TERM_LINEEND;
    } else if (first == CC_SEPARATOR) {
        term = TERM_SEPARATOR;
    } else if (first == CC_END) {
        if (!endOfTextAt(start))
            return -1;
    } else if (!walkToTerminator(start)) {
        return -1;
    }

    qsizetype next = termPos + 1;
    if (term == TERM_SEPARATOR && (m_options.wSeparators & TEXTSEP_MERGE))
        while (ClassAt(next) == CC_SEPARATOR)
            ++next;

    QStringView text;
    const int kind = ClassifyField(start, termPos, quoted, quoteEnd, closed, m_quotedText, text);
    if (fieldNo == 1 && kind == TEXTFIELD_EMPTY && term == TERM_END)
        return 0;
    AppendEntry(kind, text);
    if (term == TERM_SEPARATOR)
        pos = next;
    else
        recordDone = true;
    return 1;
}

int CTextRecordFile::ClassifyField(qsizetype start, qsizetype end, bool quoted, qsizetype quoteEnd,
                                   bool closed, QString& unquoted, QStringView& text) const
{
    const quint32 flags = m_options.dwParseFlags;
    const QStringView line(m_line);
    if ((flags & TEXTPARSE_APOSTROPHETEXT) && start < end && m_line.at(start) == u'\'') {
        text = line.mid(start + 1, end - start - 1);
        return TEXTFIELD_TEXT;
    }
    if (quoted) {
        const qsizetype innerEnd = closed ? quoteEnd - 1 : end;
        unquoted.truncate(0);
        unquoted.reserve(end - start);
        for (qsizetype i = start + 1; i < innerEnd; ++i) {
            const QChar c = m_line.at(i);
            unquoted += c;
            if (c.unicode() == m_chQuote && i + 1 < innerEnd && m_line.at(i + 1) == c)
                ++i;
        }
        if (closed)
            unquoted += line.mid(quoteEnd, end - quoteEnd);
        text = unquoted;
        return TEXTFIELD_TEXT;
    }

    qsizetype i = start;
    while (i < end && ClassAt(i) == CC_BLANK)
        ++i;
    const qsizetype firstPos = i;
    const qsizetype leading = firstPos - start;
    const CharClass firstClass = firstPos < end ? ClassAt(firstPos) : CC_END;
    const bool numberStart =
        firstClass == CC_DIGIT || firstClass == CC_POINT || firstClass == CC_SIGN;
    const bool emptyStart = firstClass == CC_END || firstClass == CC_LF || firstClass == CC_CR ||
                            firstClass == CC_SEPARATOR;
    // What starts as no number is text whatever follows; kept with its blanks
    // it needs no further look.
    if ((flags & TEXTPARSE_KEEPBLANKS) && !numberStart && !emptyStart) {
        text = line.mid(start, end - start);
        return TEXTFIELD_TEXT;
    }
    int digits = 0, points = 0, signs = 0, exponents = 0, blanks = 0, others = 0;
    qsizetype signPos = -1;
    qsizetype lastNonBlankEnd = firstPos;
    qsizetype scanEnd = firstPos;
    for (qsizetype j = firstPos; j < end; ++j) {
        const CharClass k = ClassAt(j);
        if (k == CC_LF || k == CC_CR || k == CC_END)
            break;
        switch (k) {
        case CC_DIGIT:
            ++digits;
            break;
        case CC_POINT:
            ++points;
            break;
        case CC_SIGN:
            ++signs;
            signPos = j;
            break;
        case CC_EXPONENT:
            ++exponents;
            break;
        case CC_BLANK:
            ++blanks;
            break;
        default:
            ++others;
            break;
        }
        if (k != CC_BLANK)
            lastNonBlankEnd = j + 1;
        scanEnd = j + 1;
    }
    const qsizetype trailing = scanEnd - lastNonBlankEnd;
    const qsizetype inner = blanks - trailing;

    int kind = TEXTFIELD_TEXT;
    if (numberStart) {
        const bool plain = others == 0 && inner == 0 && exponents == 0 && points <= 1 &&
                           signs <= 1 && digits >= 1 && (signs == 0 || signPos == firstPos);
        const bool scientific =
            !plain && others == 0 && inner == 0 && digits >= 1 && exponents == 1 &&
            ConvertsToNonZero(QStringView(m_line).mid(firstPos, lastNonBlankEnd - firstPos));
        if (plain || scientific)
            kind = TEXTFIELD_NUMBER;
    } else if (emptyStart) {
        kind = TEXTFIELD_EMPTY;
    }

    const bool blankOnly = kind == TEXTFIELD_EMPTY && start < end;
    if ((flags & TEXTPARSE_KEEPBLANKS) && (kind == TEXTFIELD_TEXT || blankOnly)) {
        text = line.mid(start, end - start);
        return TEXTFIELD_TEXT;
    }
    if ((flags & TEXTPARSE_BLANKNUMBERISTEXT) && kind == TEXTFIELD_NUMBER &&
        (leading > 0 || trailing > 0)) {
        text = line.mid(start, end - start);
        return TEXTFIELD_TEXT;
    }
    if (kind != TEXTFIELD_EMPTY)
        text = line.mid(firstPos, lastNonBlankEnd - firstPos);
    return kind;
}

void CTextRecordFile::AppendEntry(int kind, QStringView text)
{
    const bool carriesText = kind == TEXTFIELD_TEXT || kind == TEXTFIELD_NUMBER;
    const qint32 cbText = carriesText ? qint32(text.size() * 2) : 0;
    const qint32 cbPadded = carriesText ? (cbText / 4 + 1) * 4 : 0;
    const qint32 head[3] = {cbText, cbPadded, kind};
    const qsizetype at = m_record.size();
    m_record.resize(at + kEntryHeader + cbPadded, '\0');
    char* out = m_record.data() + at;
    std::memcpy(out, head, sizeof head);
    if (cbText)
        std::memcpy(out + kEntryHeader, text.data(), cbText);
    if (kind != TEXTFIELD_END)
        ++m_nFieldCount;
}
