#pragma once

#include "monitor/CMonXMLElement.h"

#include <QHash>

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
    bool HasChild(const QString& name) const { return m_byName.contains(name); }

    MonXMLResult Begin(MonXMLContext& context) override;
    MonXMLResult StartChild(QStringView name, MonXMLContext& context) override;
    MonXMLResult Characters(QStringView text, MonXMLContext& context) override;
    MonXMLResult End(QStringView name, MonXMLContext& context) override;
    // Writes no tag of its own: each child in order, stopping at a failure.
    MonXMLResult Write(MonXMLWriteContext& context) override;

private:
    std::vector<std::unique_ptr<CMonXMLElement>> m_children;
    QHash<QString, CMonXMLElement*> m_byName;
};

} // namespace mervolt
