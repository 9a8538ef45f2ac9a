#pragma once

// The options of a text record file and the codes they and its reader use,
// apart from the reader, so that the steps that check them need no file.

#include <QString>

// Encodings a caller may name for the file (the delivered text is always UTF-16LE).
enum TextFileEncoding : quint32 {
    TEXTENC_UTF8 = 1,
    TEXTENC_UTF16BE = 2,
    TEXTENC_UTF16LE = 3,
    TEXTENC_ANSI = 4, // the legacy code page
};

enum TextParseFlag : quint32 {
    TEXTPARSE_KEEPBLANKS = 1,        // text fields keep their blanks
    TEXTPARSE_BLANKNUMBERISTEXT = 2, // a number with blanks round it is text
    TEXTPARSE_APOSTROPHETEXT = 4,    // a leading apostrophe marks a text field
    TEXTPARSE_MULTILINE = 8,         // a quoted field may go on over the next line
};

enum TextSeparator : quint16 {
    TEXTSEP_COMMA = 0x01,
    TEXTSEP_SEMICOLON = 0x02,
    TEXTSEP_SPACE = 0x04,
    TEXTSEP_TAB = 0x08,
    TEXTSEP_CUSTOM = 0x10,
    TEXTSEP_MERGE = 0x100, // a run of separators counts as one
};

enum TextQuoting : quint16 {
    TEXTQUOTE_NONE = 0,
    TEXTQUOTE_DOUBLE = 1,
    TEXTQUOTE_APOSTROPHE = 2,
    TEXTQUOTE_CUSTOM = 4,
};

// Kinds of the entries of a packed record.
enum TextFieldKind : qint32 {
    TEXTFIELD_END = 0,
    TEXTFIELD_EMPTY = 1,
    TEXTFIELD_TEXT = 2,
    TEXTFIELD_NUMBER = 3,
};

// Failure codes, kept in LastError().
enum TextRecordError : quint32 {
    TEXTERR_NONE = 0,
    TEXTERR_NO_OPTIONS = 0xE0000002,
    TEXTERR_NO_PATH = 0xE0000006,
    TEXTERR_EMPTY_PATH = 0xE0000007,
    TEXTERR_FILE_ENCODING = 0xE0000008,
    TEXTERR_BUFFER_ENCODING = 0xE0000009,
    TEXTERR_SEPARATOR = 0xE000000C,
    TEXTERR_QUOTING = 0xE000000D,
    TEXTERR_QUOTE_IS_SEPARATOR = 0xE000000F,
    TEXTERR_MEMORY = 0xE0000016,
    TEXTERR_HANDLE = 0xE000001A,
    TEXTERR_NO_DESTINATION = 0xE000001B,
    TEXTERR_NO_SIZE_OUT = 0xE000001C,
    TEXTERR_SPLIT = 0xE000001D,
    TEXTERR_DESTINATION_SIZE = 0xE000001E,
    TEXTERR_DESTINATION_SMALL = 0xE0000024,
    TEXTERR_FILE = 0xE0000025,
    TEXTERR_UTF32 = 0xE0000028,
    TEXTERR_CONVERT = 0xE0000029,
    // A NUL, or an end-of-file mark (Ctrl-Z), with data still after it.
    TEXTERR_CONTROL = 0xE000002A,
    // A line (or a quoted value over several lines) longer than MaxLineBytes.
    TEXTERR_LINE_LONG = 0xE000002B,
};

struct TextRecordOptions
{
    QString strPath;
    quint32 nFileEncoding = TEXTENC_UTF8;
    quint32 nBufferEncoding = TEXTENC_UTF16LE;
    quint32 dwParseFlags = 0;
    quint16 wSeparators = 0;
    quint16 wQuoting = TEXTQUOTE_NONE;
    char16_t chSeparator = 0;
    char16_t chQuote = 0;
};
