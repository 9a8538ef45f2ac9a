#include "monitor/CMonXMLNode_data.h"

#include "monitor/CXmlDataArray.h"

#include <QXmlStreamAttributes>

namespace mervolt {

MonXMLResult CMonXMLNode_data::Begin(MonXMLContext& context)
{
    CMonXMLNode::Begin(context);
    if (!context.attributes || context.attributes->isEmpty())
        return MON_E_NO_NAME_ATTR;
    const QXmlStreamAttribute* found = nullptr;
    for (const QXmlStreamAttribute& attribute : *context.attributes) {
        if (attribute.name().isEmpty())
            return MON_E_ATTR_NO_NAME;
        if (attribute.name() == QLatin1StringView(kNameAttribute)) {
            found = &attribute;
            break;
        }
    }
    if (!found)
        return MON_E_NO_NAME_ATTR;
    m_strItemName = found->value().toString();
    m_pItem = context.items ? context.items->FindOrAddItem(m_strName, m_strItemName) : nullptr;
    if (!m_pItem)
        return MON_E_NOMEMORY;
    m_strText.clear();
    return MON_XML_OK;
}

MonXMLResult CMonXMLNode_data::StartChild(QStringView, MonXMLContext&)
{
    return MON_E_ELEMENT_STACK;
}

MonXMLResult CMonXMLNode_data::Characters(QStringView text, MonXMLContext& context)
{
    // The reader may hand one element's text over in pieces; the value is
    // always all of it so far.
    m_strText.append(text);
    CXmlItem* item =
        context.items ? context.items->FindOrAddItem(m_strName, m_strItemName) : nullptr;
    if (!item)
        return MON_E_NOMEMORY;
    item->m_strValue = m_strText;
    return MON_XML_OK;
}

} // namespace mervolt
