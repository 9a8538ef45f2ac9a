#pragma once

// The reading engine: the archive XML is streamed, never loaded whole, and
// every start tag, piece of text and end tag goes to the element on top of
// the document's element stack. The first code an element hook returns is
// recorded on the document and stops the parse; a reader error is recorded
// only when nothing was recorded before.

#include "archive/CrxResult.h"

#include <QString>
#include <QStringView>

class CrxAttributes;
class ICrxDocument;
struct CrxParseContext;
class CCrxElement;

class CrxContent
{
public:
    explicit CrxContent(ICrxDocument& document) : m_document(document) {}
    virtual ~CrxContent() = default;

    // Each returns false when the parse must stop (the code is recorded).
    bool startElement(QStringView localName, const CrxAttributes& attributes);
    bool endElement(QStringView localName);
    bool characters(QStringView text);
    // The reader's own errors.
    void error();
    void fatalError();

    // Parses the file at path into the document's grammar. The result is
    // the document's recorded error afterwards. A DOCTYPE is refused
    // (CRX_E_SAX_FATAL): archives are untrusted and carry none.
    static CrxResult ParseFile(ICrxDocument& document, const QString& path);

private:
    CCrxElement* ValidTop();
    CrxParseContext MakeContext(CCrxElement& top, const CrxAttributes* attributes);
    bool Record(CrxResult code);

    ICrxDocument& m_document;
};
