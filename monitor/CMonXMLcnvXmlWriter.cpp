#include "monitor/CMonXMLcnvXmlWriter.h"

#include "platform/XmlText.h"

namespace mervolt {

CMonXMLcnvXmlWriter::CMonXMLcnvXmlWriter(const QString& path) : m_strPath(path) {}

// An unfinished file is dropped by QSaveFile; the target stays as it was.
CMonXMLcnvXmlWriter::~CMonXMLcnvXmlWriter() = default;

bool CMonXMLcnvXmlWriter::Fail(MonXMLResult code)
{
    m_nError = code;
    return false;
}

bool CMonXMLcnvXmlWriter::Escape(QStringView text, bool attribute, QString& out)
{
    return platform::EscapeXml(text, attribute, out);
}

bool CMonXMLcnvXmlWriter::Open()
{
    m_nError = MON_XML_OK;
    m_open.clear();
    m_strLine.clear();
    if (m_strPath.isEmpty())
        return Fail(MON_E_CREATE_FILE);
    m_file.setFileName(m_strPath);
    if (!m_file.open(QIODevice::WriteOnly))
        return Fail(MON_E_CREATE_FILE);
    m_strLine = QLatin1StringView(kDeclaration);
    return Flush();
}

bool CMonXMLcnvXmlWriter::Close()
{
    m_nError = MON_XML_OK;
    if (!m_file.isOpen())
        return Fail(MON_E_NOT_OPEN);
    if (!m_file.commit())
        return Fail(MON_E_WRITE_FILE);
    return true;
}

bool CMonXMLcnvXmlWriter::CloseStartTag()
{
    if (m_open.empty() || m_open.back().startClosed || m_strLine.isEmpty())
        return true;
    m_strLine += u'>';
    m_open.back().startClosed = true;
    return Flush();
}

bool CMonXMLcnvXmlWriter::StartElement(const QString& name)
{
    m_nError = MON_XML_OK;
    if (!m_file.isOpen())
        return Fail(MON_E_NOT_OPEN);
    if (!CloseStartTag())
        return false;
    if (name.isEmpty())
        return Fail(MON_E_ELEMENT_NAME);
    m_open.push_back({name, false});
    m_strLine = u'<' + name;
    return true;
}

bool CMonXMLcnvXmlWriter::AddAttribute(const QString& name, const QString& value)
{
    m_nError = MON_XML_OK;
    if (name.isEmpty())
        return Fail(MON_E_ATTR_EMPTY);
    if (!m_file.isOpen())
        return Fail(MON_E_NOT_OPEN);
    if (m_open.empty() || m_open.back().startClosed)
        return Fail(MON_E_NO_OPEN_ELEMENT);
    if (!Escape(value, true, m_strEscaped))
        return Fail(MON_E_CONVERT);
    m_strLine += u' ' + name + QLatin1StringView("=\"") + m_strEscaped + u'"';
    return true;
}

bool CMonXMLcnvXmlWriter::WriteText(const QString& text)
{
    m_nError = MON_XML_OK;
    if (text.isEmpty())
        return true;
    if (!m_file.isOpen())
        return Fail(MON_E_NOT_OPEN);
    if (!Escape(text, false, m_strEscaped))
        return Fail(MON_E_CONVERT);
    if (!CloseStartTag())
        return false;
    m_strLine = m_strEscaped;
    return Flush();
}

bool CMonXMLcnvXmlWriter::EndElement()
{
    m_nError = MON_XML_OK;
    if (!m_file.isOpen())
        return Fail(MON_E_NOT_OPEN);
    if (m_open.empty())
        return Fail(MON_E_NO_OPEN_ELEMENT);
    OpenElement& top = m_open.back();
    if (top.startClosed) {
        m_strLine = QLatin1StringView("</") + top.name + u'>';
    } else {
        m_strLine += QLatin1StringView(" />");
        top.startClosed = true;
    }
    const bool ok = Flush();
    m_open.pop_back();
    return ok;
}

bool CMonXMLcnvXmlWriter::Flush()
{
    QByteArray bytes = m_strLine.toUtf8();
    if (m_bNewline)
        bytes += '\n';
    m_strLine.clear();
    if (m_file.write(bytes) != bytes.size())
        return Fail(MON_E_WRITE_FILE);
    return true;
}

} // namespace mervolt
