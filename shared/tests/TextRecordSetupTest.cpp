// The steps of opening a text record file, without a file: which options are
// refused, what separators, quote and flags they make, and which encoding
// the first bytes name.
#include "shared/textfiles/TextRecordSetup.h"

#include <gtest/gtest.h>

namespace {

TextRecordOptions TabSetupOptions()
{
    TextRecordOptions o;
    o.strPath = QStringLiteral("any.txt");
    o.wSeparators = TEXTSEP_TAB;
    o.wQuoting = TEXTQUOTE_DOUBLE;
    return o;
}

} // namespace

TEST(TextRecordSetupTest, CheckFindsTheFirstFault)
{
    EXPECT_EQ(CheckTextRecordOptions(nullptr), TEXTERR_NO_OPTIONS);
    const struct
    {
        const char* name;
        void (*change)(TextRecordOptions&);
        quint32 error;
    } cases[] = {
        {"valid", [](TextRecordOptions&) {}, TEXTERR_NONE},
        {"no path", [](TextRecordOptions& o) { o.strPath = QString(); }, TEXTERR_NO_PATH},
        {"empty path", [](TextRecordOptions& o) { o.strPath = ""; }, TEXTERR_EMPTY_PATH},
        {"file encoding 0", [](TextRecordOptions& o) { o.nFileEncoding = 0; },
         TEXTERR_FILE_ENCODING},
        {"file encoding ANSI", [](TextRecordOptions& o) { o.nFileEncoding = TEXTENC_ANSI; },
         TEXTERR_NONE},
        {"path before encoding",
         [](TextRecordOptions& o) {
             o.strPath = "";
             o.nFileEncoding = 9;
         },
         TEXTERR_EMPTY_PATH},
        {"buffer encoding", [](TextRecordOptions& o) { o.nBufferEncoding = TEXTENC_UTF8; },
         TEXTERR_BUFFER_ENCODING},
        {"only merge", [](TextRecordOptions& o) { o.wSeparators = TEXTSEP_MERGE; },
         TEXTERR_SEPARATOR},
        {"custom separator CR",
         [](TextRecordOptions& o) {
             o.wSeparators = TEXTSEP_CUSTOM;
             o.chSeparator = '\r';
         },
         TEXTERR_SEPARATOR},
        {"separator before quoting",
         [](TextRecordOptions& o) {
             o.wSeparators = 0;
             o.wQuoting = 3;
         },
         TEXTERR_SEPARATOR},
        {"quoting 8", [](TextRecordOptions& o) { o.wQuoting = 8; }, TEXTERR_QUOTING},
        {"custom quote LF",
         [](TextRecordOptions& o) {
             o.wQuoting = TEXTQUOTE_CUSTOM;
             o.chQuote = '\n';
         },
         TEXTERR_QUOTING},
        {"custom quote is a chosen separator",
         [](TextRecordOptions& o) {
             o.wSeparators = TEXTSEP_TAB | TEXTSEP_SEMICOLON;
             o.wQuoting = TEXTQUOTE_CUSTOM;
             o.chQuote = ';';
         },
         TEXTERR_QUOTE_IS_SEPARATOR},
        {"custom quote is an unchosen separator",
         [](TextRecordOptions& o) {
             o.wQuoting = TEXTQUOTE_CUSTOM;
             o.chQuote = ';';
         },
         TEXTERR_NONE},
        {"custom separator is the apostrophe quote",
         [](TextRecordOptions& o) {
             o.wSeparators = TEXTSEP_CUSTOM;
             o.chSeparator = '\'';
             o.wQuoting = TEXTQUOTE_APOSTROPHE;
         },
         TEXTERR_QUOTE_IS_SEPARATOR},
        {"comma separator with no quoting",
         [](TextRecordOptions& o) {
             o.wSeparators = TEXTSEP_COMMA;
             o.wQuoting = TEXTQUOTE_NONE;
         },
         TEXTERR_NONE},
    };
    for (const auto& c : cases) {
        TextRecordOptions o = TabSetupOptions();
        c.change(o);
        EXPECT_EQ(CheckTextRecordOptions(&o), c.error) << c.name;
    }
}

TEST(TextRecordSetupTest, SyntaxOfTheOptions)
{
    constexpr quint32 kAllFlags = TEXTPARSE_KEEPBLANKS | TEXTPARSE_BLANKNUMBERISTEXT |
                                  TEXTPARSE_APOSTROPHETEXT | TEXTPARSE_MULTILINE;
    const struct
    {
        const char* name;
        quint16 separators;
        char16_t customSeparator;
        quint16 quoting;
        char16_t customQuote;
        QString expectedSeparators;
        char16_t expectedQuote;
        quint32 expectedFlags;
    } cases[] = {
        {"every separator, custom first", 0x1F | TEXTSEP_MERGE, u'|', TEXTQUOTE_DOUBLE, 0,
         QStringLiteral("|,; \t"), u'"',
         TEXTPARSE_KEEPBLANKS | TEXTPARSE_APOSTROPHETEXT | TEXTPARSE_MULTILINE},
        {"comma, no quote", TEXTSEP_COMMA, 0, TEXTQUOTE_NONE, 0, QStringLiteral(","), 0, kAllFlags},
        {"apostrophe quote drops the apostrophe flag", TEXTSEP_COMMA, 0, TEXTQUOTE_APOSTROPHE, 0,
         QStringLiteral(","), u'\'', kAllFlags & ~TEXTPARSE_APOSTROPHETEXT},
        {"apostrophe separator drops the apostrophe flag", TEXTSEP_CUSTOM, u'\'', TEXTQUOTE_NONE, 0,
         QStringLiteral("'"), 0, kAllFlags & ~TEXTPARSE_APOSTROPHETEXT},
        {"custom TAB separator drops both blank flags", TEXTSEP_CUSTOM, u'\t', TEXTQUOTE_DOUBLE, 0,
         QStringLiteral("\t"), u'"',
         kAllFlags & ~(TEXTPARSE_KEEPBLANKS | TEXTPARSE_BLANKNUMBERISTEXT)},
        {"space quote drops both blank flags", TEXTSEP_COMMA, 0, TEXTQUOTE_CUSTOM, u' ',
         QStringLiteral(","), u' ',
         kAllFlags & ~(TEXTPARSE_KEEPBLANKS | TEXTPARSE_BLANKNUMBERISTEXT)},
        {"space separator keeps blanks of text", TEXTSEP_SPACE, 0, TEXTQUOTE_DOUBLE, 0,
         QStringLiteral(" "), u'"', kAllFlags & ~TEXTPARSE_BLANKNUMBERISTEXT},
        {"custom quote", TEXTSEP_SEMICOLON, 0, TEXTQUOTE_CUSTOM, u'#', QStringLiteral(";"), u'#',
         kAllFlags},
    };
    for (const auto& c : cases) {
        TextRecordOptions o = TabSetupOptions();
        o.wSeparators = c.separators;
        o.chSeparator = c.customSeparator;
        o.wQuoting = c.quoting;
        o.chQuote = c.customQuote;
        o.dwParseFlags = kAllFlags;
        const TextRecordSyntax syntax = ChooseTextRecordSyntax(o);
        EXPECT_EQ(syntax.separators, c.expectedSeparators) << c.name;
        EXPECT_EQ(syntax.quote, c.expectedQuote) << c.name;
        EXPECT_EQ(syntax.parseFlags, c.expectedFlags) << c.name;
    }
}

TEST(TextRecordSetupTest, ByteOrderMarkNamesTheEncoding)
{
    const struct
    {
        const char* name;
        QByteArray head;
        quint32 named;
        int encoding;
        qsizetype markBytes;
    } cases[] = {
        {"no mark, UTF-8 named", "ab", TEXTENC_UTF8, 1, 0},
        {"no mark, ANSI named", "ab", TEXTENC_ANSI, 6, 0},
        {"no mark, UTF-16BE named", QByteArray("\0a", 2), TEXTENC_UTF16BE, 2, 0},
        {"UTF-8 mark over ANSI",
         "\xEF\xBB\xBF"
         "a",
         TEXTENC_ANSI, 1, 3},
        {"UTF-16LE mark over UTF-8",
         QByteArray("\xFF\xFE"
                    "a\0",
                    4),
         TEXTENC_UTF8, 3, 2},
        {"UTF-16BE mark over UTF-8", QByteArray("\xFE\xFF\0a", 4), TEXTENC_UTF8, 2, 2},
        {"UTF-32LE mark refused", QByteArray("\xFF\xFE\0\0", 4), TEXTENC_UTF16LE, 0, 4},
        {"UTF-32BE mark refused", QByteArray("\0\0\xFE\xFF", 4), TEXTENC_UTF8, 0, 4},
        {"UTF-16LE mark and one NUL is UTF-16LE", QByteArray("\xFF\xFE\0", 3), TEXTENC_UTF8, 3, 2},
        {"half a mark", "\xEF\xBB", TEXTENC_UTF8, 1, 0},
        {"one byte", "\xFE", TEXTENC_ANSI, 6, 0},
    };
    for (const auto& c : cases) {
        const TextRecordEncoding found = DetectTextRecordEncoding(c.head, c.named);
        EXPECT_EQ(found.encoding, c.encoding) << c.name;
        EXPECT_EQ(found.markBytes, c.markBytes) << c.name;
    }
}
