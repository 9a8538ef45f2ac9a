#pragma once

// The reading engine of Preference.xml: every start tag, piece of text and
// end tag goes to the element on top of the document's stack. The first
// code recorded stops the parse; a reader error is recorded only when
// nothing was before.

#include "monitor/MonXMLContext.h"
#include "monitor/MonXMLResult.h"

#include <QStringView>

class QXmlStreamAttributes;

namespace mervolt {

class CMonXMLDocument;
class CMonXMLElement;

class CMonXMLContent
{
public:
    explicit CMonXMLContent(CMonXMLDocument& document) : m_document(document) {}
    virtual ~CMonXMLContent() = default;

    // Each returns false when the parse must stop.
    bool startElement(QStringView localName, const QXmlStreamAttributes& attributes);
    bool endElement(QStringView localName);
    bool characters(QStringView text);
    // The reader's own complaints: a refused construct, or malformed XML.
    void error();
    void fatalError();

    // Parses the document's file; the result is the document's code. A
    // DOCTYPE stops the parse before any declaration in it is used.
    static MonXMLResult ParseFile(CMonXMLDocument& document);

private:
    bool Record(MonXMLResult code);
    MonXMLContext MakeContext(const CMonXMLElement& top) const;

    CMonXMLDocument& m_document;
};

} // namespace mervolt
