#include "archive/CCrxcnvXmlWriter.h"

#include "platform/XmlText.h"

#include <algorithm>

namespace {

// Lines are written in batches of this size.
constexpr qsizetype kBatch = 256 * 1024;

bool IsNameStartChar(char32_t c)
{
    // No ":" either: a prefix nobody declared makes a namespace-aware reader
    // refuse the file.
    return (c >= 'A' && c <= 'Z') || c == '_' || (c >= 'a' && c <= 'z') ||
           (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
           (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(char32_t c)
{
    return IsNameStartChar(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// Walks the code points of text; false on a lone surrogate.
template <typename F> bool ForEachCodePoint(QStringView text, F&& f)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        char32_t c = u;
        if (QChar::isHighSurrogate(u)) {
            if (i + 1 >= text.size() || !QChar::isLowSurrogate(text[i + 1].unicode()))
                return false;
            c = QChar::surrogateToUcs4(u, text[i + 1].unicode());
            ++i;
        } else if (QChar::isLowSurrogate(u)) {
            return false;
        }
        if (!f(c))
            return false;
    }
    return true;
}

} // namespace

CCrxcnvXmlWriter::CCrxcnvXmlWriter(const QString& path) : m_strPath(path) {}

CCrxcnvXmlWriter::~CCrxcnvXmlWriter()
{
    if (m_file.isOpen())
        m_file.close();
}

bool CCrxcnvXmlWriter::Escape(QStringView text, QString& out)
{
    // Its values go into text and attributes alike, tabs and line feeds as they are.
    return platform::EscapeXml(text, false, out);
}

bool CCrxcnvXmlWriter::IsXmlName(QStringView name)
{
    // Column names are ASCII: checked without decoding.
    const auto asciiStart = [](char16_t u) {
        return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_';
    };
    if (!name.isEmpty() &&
        std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return asciiStart(name.front().unicode()) &&
               std::all_of(name.begin() + 1, name.end(), [&](QChar c) {
                   const char16_t u = c.unicode();
                   return asciiStart(u) || (u >= '0' && u <= '9') || u == '-' || u == '.';
               });
    bool first = true;
    return !name.isEmpty() && ForEachCodePoint(name, [&first](char32_t c) {
        const bool ok = first ? IsNameStartChar(c) : IsNameChar(c);
        first = false;
        return ok;
    });
}

bool CCrxcnvXmlWriter::Fail(CrxResult code)
{
    m_nLastError = code;
    return false;
}

bool CCrxcnvXmlWriter::Begin()
{
    m_nLastError = CRX_OK;
    return IsOpen() ? true : Fail(CRX_E_XML_NOT_OPEN);
}

void CCrxcnvXmlWriter::StartLine(int depth)
{
    m_strLine.fill(QLatin1Char('\t'), depth);
}

char* CCrxcnvXmlWriter::PutUtf8(char* out, QStringView text)
{
    const char16_t* in = text.utf16();
    qsizetype i = 0;
    for (; i < text.size() && in[i] < 0x80; ++i)
        out[i] = char(in[i]);
    return i == text.size() ? out + i : m_encoder.appendToBuffer(out + i, text.sliced(i));
}

bool CCrxcnvXmlWriter::Flush()
{
    if (!IsOpen() || m_strLine.isEmpty())
        return true;
    // At most three UTF-8 bytes per UTF-16 unit, and the line feed.
    const qsizetype start = m_utf8.size();
    m_utf8.resize(start + m_strLine.size() * 3 + 1);
    char* end = PutUtf8(m_utf8.data() + start, m_strLine);
    *end++ = '\n';
    m_utf8.resize(end - m_utf8.constData());
    m_strLine.resize(0);
    return m_utf8.size() < kBatch || WriteBatch();
}

bool CCrxcnvXmlWriter::WriteBatch()
{
    if (m_bMemory)
        return true;
    const qint64 size = m_utf8.size();
    const bool written = m_file.write(m_utf8.constData(), size) == size;
    m_utf8.resize(0);
    return written ? true : Fail(CRX_E_XML_WRITE);
}

bool CCrxcnvXmlWriter::CloseStartTag()
{
    if (m_stack.empty() || m_stack.back().startClosed)
        return true;
    m_stack.back().startClosed = true;
    if (m_strLine.isEmpty())
        return true;
    m_strLine += QLatin1Char('>');
    return m_bInline ? true : Flush();
}

bool CCrxcnvXmlWriter::Open()
{
    m_nLastError = CRX_OK;
    m_stack.clear();
    m_strLine.clear();
    m_utf8.resize(0);
    m_bMemory = false;
    m_nOuterDepth = 0;
    if (m_strPath.isEmpty())
        return Fail(CRX_E_XML_CREATE);
    if (m_file.isOpen())
        m_file.close();
    m_file.setFileName(m_strPath);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Fail(CRX_E_XML_CREATE);
    m_strLine = QLatin1String(kDeclaration);
    return Flush();
}

void CCrxcnvXmlWriter::OpenInMemory(int depth)
{
    m_nLastError = CRX_OK;
    m_stack.clear();
    m_strLine.clear();
    m_utf8.resize(0);
    m_bMemory = true;
    m_nOuterDepth = depth;
}

bool CCrxcnvXmlWriter::Close()
{
    if (!Begin())
        return false;
    const bool flushed = Flush() && WriteBatch() && m_file.flush();
    m_file.close();
    if (!flushed || m_file.error() != QFileDevice::NoError)
        return Fail(CRX_E_XML_WRITE);
    return true;
}

bool CCrxcnvXmlWriter::StartElement(const QString& name)
{
    if (!Begin() || !CloseStartTag())
        return false;
    if (!IsXmlName(name))
        return Fail(CRX_E_XML_ELEMENT_NAME);
    StartLine(Depth());
    m_strLine += QLatin1Char('<') + name;
    m_stack.push_back({name, false});
    return true;
}

bool CCrxcnvXmlWriter::AddAttribute(const QString& name, const QString& value)
{
    m_nLastError = CRX_OK;
    if (!IsXmlName(name))
        return Fail(CRX_E_XML_ATTR_NAME);
    if (!Begin())
        return false;
    if (m_stack.empty() || m_stack.back().startClosed)
        return Fail(CRX_E_XML_STATE);
    if (!Escape(value, m_strEscaped))
        return Fail(CRX_E_XML_UTF8);
    m_strLine += QLatin1Char(' ');
    m_strLine += name;
    m_strLine += QLatin1String("=\"");
    m_strLine += m_strEscaped;
    m_strLine += QLatin1Char('"');
    return true;
}

bool CCrxcnvXmlWriter::WriteSimpleElement(const QString& name, const QString& value)
{
    if (!Begin())
        return false;
    if (!IsXmlName(name))
        return Fail(CRX_E_XML_ELEMENT_NAME);
    const bool plain = platform::IsPlainXmlText(value);
    if (!plain && !Escape(value, m_strEscaped))
        return Fail(CRX_E_XML_UTF8);
    if (!CloseStartTag())
        return false;
    if (m_strLine.isEmpty()) {
        // Most lines of an archive: straight into the batch as UTF-8.
        const QStringView text = plain ? QStringView(value) : QStringView(m_strEscaped);
        const qsizetype start = m_utf8.size();
        m_utf8.resize(start + Depth() + (2 * name.size() + text.size()) * 3 + 6);
        char* out = std::fill_n(m_utf8.data() + start, Depth(), '\t');
        *out++ = '<';
        out = PutUtf8(out, name);
        *out++ = '>';
        out = PutUtf8(out, text);
        *out++ = '<';
        *out++ = '/';
        out = PutUtf8(out, name);
        *out++ = '>';
        *out++ = '\n';
        m_utf8.resize(out - m_utf8.constData());
        return m_utf8.size() < kBatch || WriteBatch();
    }
    if (plain) {
        m_strEscaped.resize(0);
        m_strEscaped.append(value);
    }
    StartLine(Depth());
    m_strLine += QLatin1Char('<');
    m_strLine += name;
    m_strLine += QLatin1Char('>');
    m_strLine += m_strEscaped;
    m_strLine += QLatin1String("</");
    m_strLine += name;
    m_strLine += QLatin1Char('>');
    return Flush();
}

bool CCrxcnvXmlWriter::WriteText(const QString& text)
{
    m_nLastError = CRX_OK;
    if (text.isEmpty())
        return true;
    if (!Begin())
        return false;
    if (!Escape(text, m_strEscaped))
        return Fail(CRX_E_XML_UTF8);
    if (!CloseStartTag())
        return false;
    if (m_bInline) {
        m_strLine += m_strEscaped;
        return true;
    }
    StartLine(Depth());
    m_strLine += m_strEscaped;
    return Flush();
}

bool CCrxcnvXmlWriter::EndElement()
{
    if (!Begin())
        return false;
    if (m_stack.empty())
        return Fail(CRX_E_XML_STATE);
    const OpenElement top = m_stack.back();
    m_stack.pop_back();
    if (!top.startClosed) {
        m_strLine += QLatin1String(" />");
    } else {
        // A line still pending holds inline text: the end tag follows it.
        if (m_strLine.isEmpty())
            StartLine(Depth());
        m_strLine += QLatin1String("</") + top.name + QLatin1Char('>');
    }
    return Flush();
}

bool CCrxcnvXmlWriter::WriteLines(QByteArrayView utf8)
{
    if (!Begin())
        return false;
    if (utf8.isEmpty())
        return true;
    if (!CloseStartTag() || !Flush())
        return false;
    if (m_bMemory) {
        m_utf8.append(utf8);
        return true;
    }
    // Lines come in large parts: straight to the file, no copy.
    if (!WriteBatch())
        return false;
    return m_file.write(utf8.data(), utf8.size()) == utf8.size() ? true : Fail(CRX_E_XML_WRITE);
}

bool CCrxcnvXmlWriter::TopName(QString* name) const
{
    if (m_stack.empty())
        return false;
    if (name)
        *name = m_stack.back().name;
    return true;
}
