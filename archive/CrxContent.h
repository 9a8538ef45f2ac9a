#pragma once

// The reading engine: the archive XML is streamed, never loaded whole, and
// every start tag, piece of text and end tag goes to the element on top of
// the document's element stack, as the parser's UTF-8 bytes. The first code
// an element hook returns is
// recorded on the document and stops the parse; a reader error is recorded
// only when nothing was recorded before.

#include "archive/CrxParseContext.h"
#include "archive/CrxResult.h"

#include <QByteArrayView>
#include <QString>

class CrxAttributes;
class ICrxDocument;
class CCrxElement;
class CCrxElementStack;

class CrxContent
{
public:
    // A document keeps its element stack and abort flag for a whole parse:
    // both are looked up here, once.
    explicit CrxContent(ICrxDocument& document);
    virtual ~CrxContent() = default;

    // Each returns false when the parse must stop (the code is recorded).
    bool startElement(QByteArrayView localName, const CrxAttributes& attributes);
    bool endElement(QByteArrayView localName);
    // Whether the last end tag closed the element on top.
    bool EndedTop() const { return m_bEndedTop; }
    // A piece of text; an element's text may come in several.
    bool characters(QByteArrayView text);
    // The reader's own errors.
    void error();
    void fatalError();

private:
    CrxParseContext MakeContext(CCrxElement& top, const CrxAttributes* attributes);
    bool Record(CrxResult code);

    ICrxDocument& m_document;
    CCrxElementStack& m_stack;
    const CrxAbortFlag* m_pAbort;
    // What a hook is told of the element on top, looked up again only when
    // another element comes on top: the database an element's name gives
    // changes only before the element is pushed, and the document's options
    // stay as they are for the parse.
    const CCrxElement* m_pContextTop = nullptr;
    CrxParseContext m_topContext;
    bool m_bEndedTop = false;
};
