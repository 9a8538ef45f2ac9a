// The Preference.xml reader on arbitrary bytes: it must read or refuse,
// never crash. Whatever it read, the writer either refuses it or writes a
// file that reads back to the same items (the writer never writes what the
// reader refuses).
#include "fuzz/FuzzScratch.h"
#include "monitor/CXmlDataArray.h"
#include "monitor/PreferenceXml.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "Preference.xml: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzScratch& scratch = FuzzScratch::Instance();
    const QString input = scratch.WriteInput(QStringLiteral("Preference.xml"), data, size);
    mervolt::CXmlDataArray items;
    mervolt::ReadPreferenceXml(input, items);

    // Carriage returns are dropped on writing; names that differ only by
    // one would meet.
    for (int i = 0; i < items.GetSize(); ++i) {
        if (items.GetAt(i)->m_strName.contains(u'\r'))
            return 0;
    }
    const QString output = scratch.Folder() + QStringLiteral("/written.xml");
    if (mervolt::WritePreferenceXml(output, items) != mervolt::MON_XML_OK)
        return 0;
    mervolt::CXmlDataArray back;
    Require(mervolt::ReadPreferenceXml(output, back) == mervolt::MON_XML_OK,
            "a written file does not read back");
    Require(back.GetSize() == items.GetSize(), "items lost or gained");
    for (int i = 0; i < items.GetSize(); ++i) {
        const mervolt::CXmlItem& a = *items.GetAt(i);
        const mervolt::CXmlItem& b = *back.GetAt(i);
        Require(a.m_strType == b.m_strType && a.m_strName == b.m_strName &&
                    QString(a.m_strValue).remove(u'\r') == b.m_strValue,
                "an item changed");
    }
    return 0;
}
