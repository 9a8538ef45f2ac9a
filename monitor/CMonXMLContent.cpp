#include "monitor/CMonXMLContent.h"

#include "monitor/CMonXMLDocument.h"
#include "monitor/CMonXMLElement.h"

#include <QFile>
#include <QXmlStreamReader>

namespace mervolt {

bool CMonXMLContent::Record(MonXMLResult code)
{
    m_document.SetError(code);
    return false;
}

MonXMLContext CMonXMLContent::MakeContext(const CMonXMLElement& top) const
{
    MonXMLContext context;
    context.itemName = top.GetItemName();
    context.items = m_document.GetItems();
    return context;
}

bool CMonXMLContent::startElement(QStringView localName, const QXmlStreamAttributes& attributes)
{
    if (localName.isEmpty())
        return Record(MON_E_ELEMENT_EMPTY);
    CMonXMLElement* top = m_document.GetElementStack().Top();
    if (!top)
        return Record(MON_E_ELEMENT_STACK);
    MonXMLContext context = MakeContext(*top);
    context.attributes = &attributes;
    if (MonXMLResult rc = top->StartChild(localName, context))
        return Record(rc);
    if (context.push && !m_document.GetElementStack().Push(context.push))
        return Record(MON_E_ELEMENT_STACK);
    return true;
}

bool CMonXMLContent::endElement(QStringView localName)
{
    if (localName.isEmpty())
        return Record(MON_E_ELEMENT_EMPTY);
    CMonXMLElement* top = m_document.GetElementStack().Top();
    if (!top)
        return Record(MON_E_ELEMENT_STACK);
    MonXMLContext context = MakeContext(*top);
    if (MonXMLResult rc = top->End(localName, context))
        return Record(rc);
    if (context.pop && !m_document.GetElementStack().Pop())
        return Record(MON_E_ELEMENT_STACK);
    return true;
}

bool CMonXMLContent::characters(QStringView text)
{
    if (text.isEmpty())
        return true;
    CMonXMLElement* top = m_document.GetElementStack().Top();
    if (!top)
        return Record(MON_E_ELEMENT_STACK);
    MonXMLContext context = MakeContext(*top);
    if (MonXMLResult rc = top->Characters(text, context))
        return Record(rc);
    return true;
}

void CMonXMLContent::error()
{
    if (m_document.GetError() == MON_XML_OK)
        m_document.SetError(MON_E_SAX_ERROR);
}

void CMonXMLContent::fatalError()
{
    if (m_document.GetError() == MON_XML_OK)
        m_document.SetError(MON_E_SAX_FATAL);
}

MonXMLResult CMonXMLContent::ParseFile(CMonXMLDocument& document)
{
    CMonXMLContent content(document);
    QFile file(document.GetPath());
    if (!file.open(QIODevice::ReadOnly)) {
        content.fatalError();
        return document.GetError();
    }
    QXmlStreamReader reader(&file);
    bool go = true;
    while (go && !reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            // Entity declarations would let a file from an archive expand
            // without end; the file never needs one.
            go = false;
            content.error();
            break;
        case QXmlStreamReader::StartElement:
            go = content.startElement(reader.name(), reader.attributes());
            break;
        case QXmlStreamReader::EndElement:
            go = content.endElement(reader.name());
            break;
        case QXmlStreamReader::Characters:
            go = content.characters(reader.text());
            break;
        case QXmlStreamReader::Invalid:
            go = false;
            content.fatalError();
            break;
        default:
            break;
        }
    }
    return document.GetError();
}

} // namespace mervolt
