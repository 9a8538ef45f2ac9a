#include "archive/CCrxSaxReader.h"

#include "archive/CrxAttributes.h"
#include "archive/CrxContent.h"
#include "archive/ICrxDocument.h"

#include <QStringDecoder>

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <mutex>

namespace {

constexpr size_t kTextFlush = 1 << 20;
// Archives name a few dozen elements; a hostile one may name millions.
constexpr size_t kNameCacheLimit = 4096;

// Widened onto the end of a buffer kept from call to call: most names and
// values are ASCII, widened without a decoder.
void AppendUtf8(QString& out, QByteArrayView utf8)
{
    const qsizetype start = out.size();
    out.resize(start + utf8.size());
    QChar* data = out.data() + start;
    qsizetype i = 0;
    for (; i < utf8.size() && uchar(utf8[i]) < 0x80; ++i)
        data[i] = QChar(uchar(utf8[i]));
    if (i == utf8.size())
        return;
    // libxml2 hands over whole, valid characters only.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QChar* end = decoder.appendToBuffer(data + i, utf8.sliced(i));
    out.resize(end - out.constData());
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
    if (!m_bStopped)
        FlushText();
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

const QString& CCrxSaxReader::Name(const unsigned char* utf8)
{
    if (!utf8) {
        m_strName.clear();
        return m_strName;
    }
    // libxml2 hands names out of its dictionary, so one name keeps its
    // pointer: it is widened once. The bytes are compared all the same, in
    // case a name ever comes from a buffer that is reused.
    const auto found = m_names.find(utf8);
    if (found != m_names.end() &&
        qstrcmp(found->second.first, reinterpret_cast<const char*>(utf8)) == 0)
        return found->second.second;
    if (m_names.size() >= kNameCacheLimit)
        m_names.clear();
    const QByteArray bytes(reinterpret_cast<const char*>(utf8));
    QString name;
    AppendUtf8(name, bytes);
    auto& entry = m_names[utf8];
    entry = {bytes, std::move(name)};
    return entry.second;
}

bool CCrxSaxReader::FlushText()
{
    if (m_strText.isEmpty())
        return true;
    const bool go = m_content.characters(m_strText);
    m_strText.resize(0);
    if (go)
        return true;
    Stop();
    return false;
}

void CCrxSaxReader::OnStart(void* self, const unsigned char* localName, const unsigned char*,
                            const unsigned char*, int, const unsigned char**, int attributeCount,
                            int, const unsigned char** attributes)
{
    auto* reader = static_cast<CCrxSaxReader*>(self);
    if (reader->m_bStopped || !reader->FlushText())
        return;
    const CrxAttributes view(attributes, attributeCount);
    if (!reader->m_content.startElement(reader->Name(localName), view))
        reader->Stop();
}

void CCrxSaxReader::OnEnd(void* self, const unsigned char* localName, const unsigned char*,
                          const unsigned char*)
{
    auto* reader = static_cast<CCrxSaxReader*>(self);
    if (reader->m_bStopped || !reader->FlushText())
        return;
    const QString& name = reader->Name(localName);
    if (!reader->m_content.endElement(name) || reader->m_document.ParseComplete(name))
        reader->Stop();
}

void CCrxSaxReader::OnText(void* self, const unsigned char* text, int length)
{
    auto* reader = static_cast<CCrxSaxReader*>(self);
    if (reader->m_bStopped)
        return;
    AppendUtf8(reader->m_strText, QByteArrayView(text, length));
    // Text the grammar drops must not pile up here: each piece ends on a
    // whole character, so the text may be handed over at any piece.
    if (size_t(reader->m_strText.size()) >= kTextFlush)
        reader->FlushText();
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
