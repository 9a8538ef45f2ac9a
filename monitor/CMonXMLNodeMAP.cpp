#include "monitor/CMonXMLNodeMAP.h"

#include "monitor/CMonXMLcnvXmlWriter.h"
#include "monitor/CXmlDataArray.h"

namespace mervolt {

MonXMLResult CMonXMLNodeMAP::Write(MonXMLWriteContext& context)
{
    if (!context.items || !context.writer)
        return MON_E_NOMEMORY;
    CMonXMLcnvXmlWriter& writer = *context.writer;
    if (!writer.StartElement(m_strName))
        return writer.GetError();
    for (int i = 0; i < context.items->GetSize(); ++i) {
        const CXmlItem* item = context.items->GetAt(i);
        if (!item)
            continue;
        // An element the schema lacks would make the file unreadable.
        if (!item->m_strType.isEmpty() && !HasChild(item->m_strType))
            return MON_E_ELEMENT_STACK;
        // Start tag, value and end tag on one line.
        const bool ok = writer.StartElement(item->m_strType) &&
                        writer.AddAttribute(QStringLiteral("name"), item->m_strName) &&
                        (writer.SetNewline(false), writer.WriteText(item->m_strValue)) &&
                        (writer.SetNewline(true), writer.EndElement());
        if (!ok)
            return writer.GetError();
    }
    if (!writer.EndElement())
        return writer.GetError();
    return MON_XML_OK;
}

} // namespace mervolt
