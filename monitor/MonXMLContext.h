#pragma once

#include <QString>

class QXmlStreamAttributes;

namespace mervolt {

class CMonXMLElement;
class CMonXMLcnvXmlWriter;
class CXmlDataArray;

// What the content handler hands to the element on top of the stack.
struct MonXMLContext
{
    const QXmlStreamAttributes* attributes = nullptr; // start tags only
    QString itemName;                                 // of the top element
    CXmlDataArray* items = nullptr;
    CMonXMLElement* push = nullptr; // out: a child to push
    bool pop = false;               // out: the top element ended
};

// What a parent hands to its children while the document is written.
struct MonXMLWriteContext
{
    CMonXMLcnvXmlWriter* writer = nullptr;
    CXmlDataArray* items = nullptr;
};

} // namespace mervolt
