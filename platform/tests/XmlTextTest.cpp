#include "platform/XmlText.h"

#include <gtest/gtest.h>

namespace {

struct EscapeCase
{
    const char16_t* text;
    bool attribute;
    bool ok;
    const char16_t* escaped;
};

const EscapeCase kCases[] = {
    {u"plain", false, true, u"plain"},
    {u"a&b<c>d\"e'f", false, true, u"a&amp;b&lt;c&gt;d&quot;e&apos;f"},
    {u"a\r\nb\tc", false, true, u"a\nb\tc"},
    {u"a\r\nb\tc", true, true, u"a&#10;b&#9;c"},
    {u"\U0001F600&", false, true, u"\U0001F600&amp;"},
    {u"a\x01", false, false, u""},
    {u"a\xFFFE", false, false, u""},
    {u"\xD800x", false, false, u""},
    {u"x\xDC00", true, false, u""},
};

} // namespace

TEST(XmlText, EscapesOrRefusesEachCase)
{
    for (const EscapeCase& c : kCases) {
        QString out = QStringLiteral("stale");
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(platform::EscapeXml(text, c.attribute, out), c.ok) << text.toStdString();
        if (c.ok) {
            EXPECT_EQ(out, QString::fromUtf16(c.escaped)) << text.toStdString();
        }
    }
}
