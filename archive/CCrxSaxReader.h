#pragma once

// libxml2's SAX2 push parser in front of the reading engine: bytes go in as
// they come, start tags, text and end tags go to the engine as libxml2's
// UTF-8, neither copied nor widened. Archives are
// untrusted: a DOCTYPE stops the parse as a fatal error, no entity is
// substituted, nothing is loaded from outside; every error of the parser is
// fatal, as a well-formedness error is.

#include "archive/CrxResult.h"

#include <QByteArrayView>

class CrxContent;
class ICrxDocument;
struct _xmlParserCtxt;

class CCrxSaxReader
{
public:
    CCrxSaxReader(CrxContent& content, ICrxDocument& document);
    ~CCrxSaxReader();
    CCrxSaxReader(const CCrxSaxReader&) = delete;
    CCrxSaxReader& operator=(const CCrxSaxReader&) = delete;

    // The next piece of the document; false once the parse has stopped (an
    // error, an engine code or the document's end of interest).
    bool Feed(QByteArrayView bytes);
    // The end of the document.
    void Finish();
    bool Stopped() const { return m_bStopped; }

private:
    static void OnStart(void* self, const unsigned char* localName, const unsigned char* prefix,
                        const unsigned char* uri, int namespaceCount,
                        const unsigned char** namespaces, int attributeCount, int defaulted,
                        const unsigned char** attributes);
    static void OnEnd(void* self, const unsigned char* localName, const unsigned char* prefix,
                      const unsigned char* uri);
    static void OnText(void* self, const unsigned char* text, int length);
    static void OnDoctype(void* self, const unsigned char* name, const unsigned char* publicId,
                          const unsigned char* systemId);
    static void OnError(void* self, struct _xmlError* error);

    void Stop();
    void Fail();

    CrxContent& m_content;
    ICrxDocument& m_document;
    _xmlParserCtxt* m_pContext = nullptr;
    bool m_bStopped = false;
};
