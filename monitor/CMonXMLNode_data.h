#pragma once

#include "monitor/CMonXMLNode.h"

namespace mervolt {

class CXmlItem;

// An item element ("string", "int", "boolean"): its "name" attribute names
// the item, its text is the item's value. It holds no elements.
class CMonXMLNode_data : public CMonXMLNode
{
public:
    using CMonXMLNode::CMonXMLNode;

    MonXMLResult Begin(MonXMLContext& context) override;
    MonXMLResult StartChild(QStringView name, MonXMLContext& context) override;
    MonXMLResult Characters(QStringView text, MonXMLContext& context) override;

    static constexpr const char* kNameAttribute = "name";

private:
    // The item of the open element; items stay where they are while a file
    // is read (the array only grows).
    CXmlItem* m_pItem = nullptr;
};

} // namespace mervolt
