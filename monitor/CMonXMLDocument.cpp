#include "monitor/CMonXMLDocument.h"

#include "monitor/CMonXMLNodeMAP.h"
#include "monitor/CMonXMLNode_data.h"
#include "monitor/CMonXMLcnvXmlWriter.h"

#include <QFileInfo>

namespace mervolt {

CMonXMLDocument::CMonXMLDocument() : m_root(QString()) {}

void CMonXMLDocument::BuildSchema()
{
    auto map = std::make_unique<CMonXMLNodeMAP>();
    for (const char* type : {"string", "int", "boolean"})
        map->AddChild(std::make_unique<CMonXMLNode_data>(QString::fromLatin1(type)));
    m_root.AddChild(std::move(map));
    m_stack.Push(&m_root);
}

MonXMLResult CMonXMLDocument::OpenForRead(const QString& path, CXmlDataArray* items)
{
    m_pItems = items;
    if (path.isEmpty())
        return MON_E_PATH;
    m_strPath = path;
    if (!QFileInfo(path).isFile())
        return MON_E_PATH;
    BuildSchema();
    return MON_XML_OK;
}

MonXMLResult CMonXMLDocument::OpenForWrite(const QString& path, CXmlDataArray* items)
{
    if (path.isEmpty())
        return MON_E_PATH;
    m_strPath = path;
    m_pItems = items;
    BuildSchema();
    return MON_XML_OK;
}

MonXMLResult CMonXMLDocument::WriteDocument()
{
    CMonXMLcnvXmlWriter writer(m_strPath);
    if (!writer.Open())
        return writer.GetError();
    MonXMLWriteContext context{&writer, m_pItems};
    if (MonXMLResult rc = m_root.Write(context))
        return rc;
    if (!writer.Close())
        return writer.GetError();
    return MON_XML_OK;
}

} // namespace mervolt
