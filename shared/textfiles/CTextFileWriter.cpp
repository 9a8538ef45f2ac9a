#include "shared/textfiles/CTextFileWriter.h"

#include <QStringEncoder>

namespace {

constexpr qsizetype kFlushSize = 1 << 16;

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}

bool NeedsQuotes(QStringView value)
{
    if (value.isEmpty())
        return false;
    if (value.front() == u'"' || IsBlank(value.front()) || IsBlank(value.back()))
        return true;
    for (QChar c : value)
        if (c == u'\t' || c == u'\r' || c == u'\n' || c == QChar(0x1A))
            return true;
    return false;
}

// Bytes a value takes at most in the file: 3 UTF-8 bytes per UTF-16 unit
// (a doubled quote takes 2) and its two quotes.
qsizetype MaxValueBytes(QStringView value)
{
    return 3 * value.size() + 2;
}

// Writes text as UTF-8 at out and returns the end. Most values are ASCII and
// are copied unit by unit.
char* WriteUtf8(char* out, QStringView text)
{
    qsizetype i = 0;
    for (; i < text.size() && text[i].unicode() < 0x80; ++i)
        *out++ = char(text[i].unicode());
    if (i < text.size()) {
        QStringEncoder encoder(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
        out = encoder.appendToBuffer(out, text.mid(i));
    }
    return out;
}

// Writes a value at out as it stands in the file and returns the end.
char* WriteValue(char* out, QStringView value)
{
    // Plain ASCII, neither blank nor quote at its ends: as it stands, in one pass.
    if (!value.isEmpty() && value.front() != u'"' && !IsBlank(value.front()) &&
        !IsBlank(value.back())) {
        char* at = out;
        qsizetype i = 0;
        for (; i < value.size(); ++i) {
            const char16_t c = value[i].unicode();
            if (c < 0x20 || c >= 0x80)
                break;
            *at++ = char(c);
        }
        if (i == value.size())
            return at;
    }
    if (!NeedsQuotes(value))
        return WriteUtf8(out, value);
    *out++ = '"';
    for (qsizetype from = 0; from < value.size();) {
        qsizetype quote = value.indexOf(u'"', from);
        if (quote < 0)
            quote = value.size();
        out = WriteUtf8(out, value.mid(from, quote - from));
        if (quote < value.size()) {
            *out++ = '"';
            *out++ = '"';
        }
        from = quote + 1;
    }
    *out++ = '"';
    return out;
}

} // namespace

CTextFileWriter::CTextFileWriter() = default;

CTextFileWriter::~CTextFileWriter() = default;

bool CTextFileWriter::Open(const QString& path)
{
    m_strErrMsgId.clear();
    m_buffer.clear();
    m_pFile = std::make_unique<QSaveFile>(path);
    if (!m_pFile->open(QIODevice::WriteOnly)) {
        m_pFile.reset();
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTOPEN");
        return false;
    }
    return true;
}

void CTextFileWriter::AppendValue(QByteArray& line, const QString& value)
{
    const qsizetype at = line.size();
    line.resize(at + MaxValueBytes(value));
    line.truncate(WriteValue(line.data() + at, value) - line.constData());
}

bool CTextFileWriter::WriteLine(const QStringList& values)
{
    if (!m_pFile) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTWRITE");
        return false;
    }
    // Room for the whole line at once; the buffer keeps it from line to line.
    qsizetype bound = 3;
    for (const QString& value : values)
        bound += MaxValueBytes(value) + 1;
    const qsizetype at = m_buffer.size();
    m_buffer.resize(at + bound);
    char* out = m_buffer.data() + at;
    if (values.size() == 1 && values.front().isEmpty()) {
        // a bare empty line would be read as no row at all
        *out++ = '"';
        *out++ = '"';
    } else {
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (i)
                *out++ = '\t';
            out = WriteValue(out, values[i]);
        }
    }
    *out++ = '\n';
    m_buffer.truncate(out - m_buffer.constData());
    return m_buffer.size() < kFlushSize || Flush();
}

bool CTextFileWriter::Flush()
{
    if (m_pFile->write(m_buffer) != m_buffer.size()) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTWRITE");
        return false;
    }
    m_buffer.truncate(0); // keeps its capacity for the next lines
    return true;
}

bool CTextFileWriter::Close()
{
    if (!m_pFile) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTWRITE");
        return false;
    }
    const bool ok = Flush() && m_pFile->commit();
    m_pFile.reset();
    if (!ok)
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTWRITE");
    return ok;
}
