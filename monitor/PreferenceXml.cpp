#include "monitor/PreferenceXml.h"

#include "monitor/CMonXMLContent.h"
#include "monitor/CMonXMLDocument.h"

#include <exception>
#include <new>

namespace mervolt {

namespace {

// Runs one step, turning an exception into the step's code.
template <typename F> MonXMLResult Guarded(MonXMLResult otherCode, F&& step)
{
    try {
        return step();
    } catch (const std::bad_alloc&) {
        return MON_E_NOMEMORY;
    } catch (...) {
        return otherCode;
    }
}

} // namespace

MonXMLResult ReadPreferenceXml(const QString& path, CXmlDataArray& items)
{
    CMonXMLDocument document;
    if (MonXMLResult rc =
            Guarded(MON_E_OPEN_EXCEPTION, [&] { return document.OpenForRead(path, &items); }))
        return rc;
    return Guarded(MON_E_PARSE_EXCEPTION, [&] { return CMonXMLContent::ParseFile(document); });
}

MonXMLResult WritePreferenceXml(const QString& path, CXmlDataArray& items)
{
    CMonXMLDocument document;
    if (MonXMLResult rc =
            Guarded(MON_E_OPEN_EXCEPTION, [&] { return document.OpenForWrite(path, &items); }))
        return rc;
    return Guarded(MON_E_PARSE_EXCEPTION, [&] { return document.WriteDocument(); });
}

} // namespace mervolt
