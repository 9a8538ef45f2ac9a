#include "archive/CCrxcnvXmlWriter.h"

#include "platform/XmlText.h"

namespace {

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
    return m_file.isOpen() ? true : Fail(CRX_E_XML_NOT_OPEN);
}

void CCrxcnvXmlWriter::StartLine(int depth)
{
    m_strLine.fill(QLatin1Char('\t'), depth);
}

bool CCrxcnvXmlWriter::Flush()
{
    if (!m_file.isOpen() || m_strLine.isEmpty())
        return true;
    // At most three UTF-8 bytes per UTF-16 unit, and the line feed.
    m_utf8.resize(m_strLine.size() * 3 + 1);
    char* end = m_encoder.appendToBuffer(m_utf8.data(), m_strLine);
    *end++ = '\n';
    const qint64 size = end - m_utf8.constData();
    m_strLine.resize(0);
    return m_file.write(m_utf8.constData(), size) == size ? true : Fail(CRX_E_XML_WRITE);
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

bool CCrxcnvXmlWriter::Close()
{
    if (!Begin())
        return false;
    const bool flushed = Flush() && m_file.flush();
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
    if (!Escape(value, m_strEscaped))
        return Fail(CRX_E_XML_UTF8);
    if (!CloseStartTag())
        return false;
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

bool CCrxcnvXmlWriter::TopName(QString* name) const
{
    if (m_stack.empty())
        return false;
    if (name)
        *name = m_stack.back().name;
    return true;
}
