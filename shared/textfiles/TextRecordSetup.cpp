#include "shared/textfiles/TextRecordSetup.h"

#include <cstring>

quint32 CheckTextRecordOptions(const TextRecordOptions* options)
{
    if (!options)
        return TEXTERR_NO_OPTIONS;
    const TextRecordOptions& o = *options;
    if (o.strPath.isNull())
        return TEXTERR_NO_PATH;
    if (o.strPath.isEmpty())
        return TEXTERR_EMPTY_PATH;
    if (o.nFileEncoding < TEXTENC_UTF8 || o.nFileEncoding > TEXTENC_ANSI)
        return TEXTERR_FILE_ENCODING;
    if (o.nBufferEncoding != TEXTENC_UTF16LE)
        return TEXTERR_BUFFER_ENCODING;

    const bool customSep = o.wSeparators & TEXTSEP_CUSTOM;
    if ((o.wSeparators & 0x1F) == 0 ||
        (customSep && (o.chSeparator == '\r' || o.chSeparator == '\n')))
        return TEXTERR_SEPARATOR;
    const bool customQuote = o.wQuoting == TEXTQUOTE_CUSTOM;
    if ((o.wQuoting != TEXTQUOTE_NONE && o.wQuoting != TEXTQUOTE_DOUBLE &&
         o.wQuoting != TEXTQUOTE_APOSTROPHE && !customQuote) ||
        (customQuote && (o.chQuote == '\r' || o.chQuote == '\n')))
        return TEXTERR_QUOTING;

    const TextRecordSyntax syntax = ChooseTextRecordSyntax(o);
    if (customQuote && syntax.separators.contains(QChar(syntax.quote)))
        return TEXTERR_QUOTE_IS_SEPARATOR;
    if (customSep && syntax.quote != 0 && o.chSeparator == syntax.quote)
        return TEXTERR_QUOTE_IS_SEPARATOR;
    return TEXTERR_NONE;
}

TextRecordSyntax ChooseTextRecordSyntax(const TextRecordOptions& o)
{
    TextRecordSyntax syntax;
    const bool customSep = o.wSeparators & TEXTSEP_CUSTOM;
    const bool customQuote = o.wQuoting == TEXTQUOTE_CUSTOM;
    if (customSep)
        syntax.separators += QChar(o.chSeparator);
    if (o.wSeparators & TEXTSEP_COMMA)
        syntax.separators += u',';
    if (o.wSeparators & TEXTSEP_SEMICOLON)
        syntax.separators += u';';
    if (o.wSeparators & TEXTSEP_SPACE)
        syntax.separators += u' ';
    if (o.wSeparators & TEXTSEP_TAB)
        syntax.separators += u'\t';
    if (o.wQuoting == TEXTQUOTE_DOUBLE)
        syntax.quote = u'"';
    else if (o.wQuoting == TEXTQUOTE_APOSTROPHE)
        syntax.quote = u'\'';
    else if (customQuote)
        syntax.quote = o.chQuote;

    // Flags that the chosen separators or quotes make meaningless.
    syntax.parseFlags = o.dwParseFlags;
    const auto isSepOrCustomQuote = [&](char16_t c) {
        return syntax.separators.contains(QChar(c)) || (customQuote && o.chQuote == c);
    };
    if ((customSep && o.chSeparator == u'\'') || syntax.quote == u'\'')
        syntax.parseFlags &= ~TEXTPARSE_APOSTROPHETEXT;
    if ((customSep && (o.chSeparator == u'\t' || o.chSeparator == u' ')) ||
        (customQuote && (o.chQuote == u'\t' || o.chQuote == u' ')))
        syntax.parseFlags &= ~TEXTPARSE_KEEPBLANKS;
    if (isSepOrCustomQuote(u' ') || isSepOrCustomQuote(u'\t'))
        syntax.parseFlags &= ~TEXTPARSE_BLANKNUMBERISTEXT;
    return syntax;
}

TextRecordEncoding DetectTextRecordEncoding(QByteArrayView head, quint32 namedEncoding)
{
    static const struct
    {
        const char* bytes;
        int length;
        int encoding; // 0 refuses the file
    } marks[] = {
        {"\xFF\xFE\x00\x00", 4, 0}, {"\x00\x00\xFE\xFF", 4, 0}, {"\xEF\xBB\xBF", 3, 1},
        {"\xFF\xFE", 2, 3},         {"\xFE\xFF", 2, 2},
    };
    for (const auto& mark : marks) {
        if (mark.length <= head.size() && !std::memcmp(head.data(), mark.bytes, mark.length))
            return {mark.encoding, mark.length};
    }
    return {namedEncoding == TEXTENC_ANSI ? 6 : int(namedEncoding), 0};
}
