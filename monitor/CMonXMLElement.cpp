#include "monitor/CMonXMLElement.h"

namespace mervolt {

MonXMLResult CMonXMLElement::Begin(MonXMLContext&)
{
    m_strText.clear();
    return MON_XML_OK;
}

MonXMLResult CMonXMLElement::StartChild(QStringView, MonXMLContext&)
{
    return MON_XML_OK;
}

MonXMLResult CMonXMLElement::Characters(QStringView, MonXMLContext&)
{
    return MON_XML_OK;
}

MonXMLResult CMonXMLElement::End(QStringView, MonXMLContext&)
{
    return MON_XML_OK;
}

MonXMLResult CMonXMLElement::BeforeWrite(MonXMLWriteContext&)
{
    return MON_XML_OK;
}

MonXMLResult CMonXMLElement::Write(MonXMLWriteContext&)
{
    return MON_XML_OK;
}

MonXMLResult CMonXMLElement::AfterWrite(MonXMLWriteContext&)
{
    return MON_XML_OK;
}

} // namespace mervolt
