#include "archive/CCrxSaxReader.h"

#include "archive/CrxAttributes.h"
#include "archive/CrxContent.h"
#include "archive/ICrxDocument.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <mutex>

namespace {

QByteArrayView Name(const unsigned char* utf8)
{
    return utf8 ? QByteArrayView(utf8, qstrlen(reinterpret_cast<const char*>(utf8)))
                : QByteArrayView();
}

xmlSAXHandler MakeHandler()
{
    xmlSAXHandler handler{};
    handler.initialized = XML_SAX2_MAGIC;
    return handler;
}

} // namespace

CCrxSaxReader::CCrxSaxReader(CrxContent& content, ICrxDocument& document)
    : m_content(content), m_document(document)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { xmlInitParser(); });
    xmlSAXHandler handler = MakeHandler();
    handler.startElementNs = &CCrxSaxReader::OnStart;
    handler.endElementNs = &CCrxSaxReader::OnEnd;
    handler.characters = &CCrxSaxReader::OnText;
    handler.ignorableWhitespace = &CCrxSaxReader::OnText;
    handler.cdataBlock = &CCrxSaxReader::OnText;
    handler.internalSubset = &CCrxSaxReader::OnDoctype;
    handler.serror = &CCrxSaxReader::OnError;
    m_pContext = xmlCreatePushParserCtxt(&handler, this, nullptr, 0, nullptr);
    if (!m_pContext) {
        Fail();
        return;
    }
    // No XML_PARSE_NOENT (entities stay unsubstituted) and no DTD loading.
    xmlCtxtUseOptions(m_pContext, XML_PARSE_NONET);
}

CCrxSaxReader::~CCrxSaxReader()
{
    if (m_pContext)
        xmlFreeParserCtxt(m_pContext);
}

bool CCrxSaxReader::Feed(QByteArrayView bytes)
{
    if (m_bStopped)
        return false;
    xmlParseChunk(m_pContext, bytes.data(), int(bytes.size()), 0);
    return !m_bStopped;
}

void CCrxSaxReader::Finish()
{
    if (m_bStopped)
        return;
    xmlParseChunk(m_pContext, nullptr, 0, 1);
    m_bStopped = true;
}

void CCrxSaxReader::Stop()
{
    m_bStopped = true;
    if (m_pContext)
        xmlStopParser(m_pContext);
}

void CCrxSaxReader::Fail()
{
    m_content.fatalError();
    Stop();
}

void CCrxSaxReader::OnStart(void* self, const unsigned char* localName, const unsigned char*,
                            const unsigned char*, int, const unsigned char**, int attributeCount,
                            int, const unsigned char** attributes)
{
    auto* reader = static_cast<CCrxSaxReader*>(self);
    if (reader->m_bStopped)
        return;
    const CrxAttributes view(attributes, attributeCount);
    if (!reader->m_content.startElement(Name(localName), view))
        reader->Stop();
}

void CCrxSaxReader::OnEnd(void* self, const unsigned char* localName, const unsigned char*,
                          const unsigned char*)
{
    auto* reader = static_cast<CCrxSaxReader*>(self);
    if (reader->m_bStopped)
        return;
    const QByteArrayView name = Name(localName);
    CrxContent& content = reader->m_content;
    if (!content.endElement(name) || (content.EndedTop() && reader->m_document.ParseComplete(name)))
        reader->Stop();
}

void CCrxSaxReader::OnText(void* self, const unsigned char* text, int length)
{
    auto* reader = static_cast<CCrxSaxReader*>(self);
    if (reader->m_bStopped)
        return;
    // Each piece ends on a whole character: it goes on as it comes.
    if (!reader->m_content.characters(QByteArrayView(text, length)))
        reader->Stop();
}

void CCrxSaxReader::OnDoctype(void* self, const unsigned char*, const unsigned char*,
                              const unsigned char*)
{
    static_cast<CCrxSaxReader*>(self)->Fail();
}

void CCrxSaxReader::OnError(void* self, xmlError* error)
{
    auto* reader = static_cast<CCrxSaxReader*>(self);
    // Only XML 1.0 documents are archives; libxml2 merely warns of others.
    if (reader->m_bStopped || !error ||
        (error->level == XML_ERR_WARNING && error->code != XML_WAR_UNKNOWN_VERSION))
        return;
    reader->Fail();
}
