#pragma once

#include "monitor/CMonXMLNode.h"

namespace mervolt {

// The document element "map": written with one line per item.
class CMonXMLNodeMAP : public CMonXMLNode
{
public:
    CMonXMLNodeMAP() : CMonXMLNode(QStringLiteral("map")) {}

    MonXMLResult Write(MonXMLWriteContext& context) override;
};

} // namespace mervolt
