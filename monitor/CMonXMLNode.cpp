#include "monitor/CMonXMLNode.h"

namespace mervolt {

void CMonXMLNode::AddChild(std::unique_ptr<CMonXMLElement> child)
{
    m_children.push_back(std::move(child));
}

CMonXMLElement* CMonXMLNode::FindChild(QStringView name) const
{
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
        if ((*it)->GetName() == name)
            return it->get();
    }
    return nullptr;
}

MonXMLResult CMonXMLNode::Begin(MonXMLContext& context)
{
    CMonXMLElement::Begin(context);
    m_strItemName = context.itemName;
    return MON_XML_OK;
}

MonXMLResult CMonXMLNode::StartChild(QStringView name, MonXMLContext& context)
{
    CMonXMLElement* child = FindChild(name);
    if (!child)
        return MON_E_ELEMENT_STACK;
    context.push = child;
    return child->Begin(context);
}

MonXMLResult CMonXMLNode::Characters(QStringView, MonXMLContext&)
{
    // The root and "map" hold only the blanks between items.
    return MON_XML_OK;
}

MonXMLResult CMonXMLNode::End(QStringView name, MonXMLContext& context)
{
    if (name != m_strName)
        return MON_E_ELEMENT_STACK;
    m_strText.clear();
    context.pop = true;
    return MON_XML_OK;
}

MonXMLResult CMonXMLNode::Write(MonXMLWriteContext& context)
{
    for (const auto& child : m_children) {
        child->SetItemName(m_strItemName);
        MonXMLResult rc = child->BeforeWrite(context);
        if (!rc)
            rc = child->Write(context);
        if (!rc)
            rc = child->AfterWrite(context);
        if (rc)
            return rc;
    }
    return MON_XML_OK;
}

} // namespace mervolt
