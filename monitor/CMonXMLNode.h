#pragma once

#include "monitor/CMonXMLElement.h"

#include <memory>
#include <vector>

namespace mervolt {

// An element with child elements of the schema, which it owns. A start tag
// inside it must name one of them.
class CMonXMLNode : public CMonXMLElement
{
public:
    using CMonXMLElement::CMonXMLElement;

    // Appends the child; a later child of the same name takes the name over.
    void AddChild(std::unique_ptr<CMonXMLElement> child);
    bool HasChild(QStringView name) const { return FindChild(name) != nullptr; }

    MonXMLResult Begin(MonXMLContext& context) override;
    MonXMLResult StartChild(QStringView name, MonXMLContext& context) override;
    MonXMLResult Characters(QStringView text, MonXMLContext& context) override;
    MonXMLResult End(QStringView name, MonXMLContext& context) override;
    // Writes no tag of its own: each child in order, stopping at a failure.
    MonXMLResult Write(MonXMLWriteContext& context) override;

private:
    // The last child of that name (the schema has three at the most).
    CMonXMLElement* FindChild(QStringView name) const;

    std::vector<std::unique_ptr<CMonXMLElement>> m_children;
};

} // namespace mervolt
