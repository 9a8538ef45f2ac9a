// The multi-line message edit: what it stores.
#include "goods/base/CMessageEdit.h"

#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(CMessageEditTest, LineBreaksAreStoredAsCrLf)
{
    const struct
    {
        const char* edit;
        const char* stored;
    } cases[] = {
        {"line1\r\nline2", "line1\r\nline2"},
        {"line1\nline2 more", "line1\r\nline2 more"},
        {"a\rb", "a\r\nb"},
        {"a\n\nb\n", "a\r\n\r\nb\r\n"},
        {"", ""},
        {"plain", "plain"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edit);
        EXPECT_EQ(CMessageEdit::ToStoredLineBreaks(QString::fromLatin1(c.edit)),
                  QString::fromLatin1(c.stored));
    }
    EXPECT_EQ(
        CMessageEdit::ToStoredLineBreaks(QStringLiteral("a") + QChar::ParagraphSeparator + "b"),
        QStringLiteral("a\r\nb"));
}

} // namespace
