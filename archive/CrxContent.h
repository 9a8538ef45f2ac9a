#pragma once

// The reading engine: the archive XML is streamed, never loaded whole, and
// every start tag, piece of text and end tag goes to the element on top of
// the document's element stack, as the parser's UTF-8 bytes. The first code
// an element hook returns is
// recorded on the document and stops the parse; a reader error is recorded
// only when nothing was recorded before.

#include "archive/CrxResult.h"

#include <QByteArrayView>
#include <QString>

class CrxAttributes;
class ICrxDocument;
struct CrxParseContext;
class CCrxDb;
class CCrxElement;

class CrxContent
{
public:
    explicit CrxContent(ICrxDocument& document) : m_document(document) {}
    virtual ~CrxContent() = default;

    // Each returns false when the parse must stop (the code is recorded).
    bool startElement(QByteArrayView localName, const CrxAttributes& attributes);
    bool endElement(QByteArrayView localName);
    // A piece of text; an element's text may come in several.
    bool characters(QByteArrayView text);
    // The reader's own errors.
    void error();
    void fatalError();

private:
    CCrxElement* ValidTop();
    CrxParseContext MakeContext(CCrxElement& top, const CrxAttributes* attributes);
    bool Record(CrxResult code);

    ICrxDocument& m_document;
    // The database of the element on top, looked up once while it stays
    // there: its database name changes only before it is pushed.
    const CCrxElement* m_pDbTop = nullptr;
    CCrxDb* m_pTopDb = nullptr;
};
