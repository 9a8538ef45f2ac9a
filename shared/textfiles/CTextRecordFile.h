#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringDecoder>
#include <QStringView>

#include <array>
#include <cstdint>
#include <memory>

namespace platform {
class LegacyDecoder;
}

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

// One field of a packed record, viewed in place.
struct TextRecordField
{
    qint32 nKind = TEXTFIELD_END;
    QStringView text;
};

// Reads one delimited text file record by record. Every record is delivered
// packed: per field a header of three 32-bit numbers (text bytes, padded
// bytes, kind) followed by the padded UTF-16 text, and an end entry last.
//
// The file is read forward in blocks, never whole: memory depends on the
// longest line, not on the file, and a line longer than MaxLineBytes fails
// the read with TEXTERR_LINE_LONG.
class CTextRecordFile
{
public:
    static constexpr qsizetype MaxLineBytes = 4 << 20;

    CTextRecordFile();
    virtual ~CTextRecordFile();
    CTextRecordFile(const CTextRecordFile&) = delete;
    CTextRecordFile& operator=(const CTextRecordFile&) = delete;

    // 0 when open, -1 on failure (see LastError).
    int OpenTextRecordFile(const TextRecordOptions* options);
    // Parses the next record unless one is pending. Field count and byte size
    // are -2 at the end of the data and -1 on an error (then nullptr).
    CTextRecordFile* PeekTextRecord(int* fieldCount, int* byteSize);
    // 1 when the pending record was copied; -2 at the end of the data; -1 on an error.
    int ReadTextRecord(void* destination, int destinationSize, int* byteSize);
    // 1, or -1 when nothing is open.
    int CloseTextRecordFile();

    bool IsOpen() const { return m_bOpen; }
    quint32 LastError() const { return m_nLastError; }
    // The 1-based physical line of the record last parsed, or where parsing failed.
    int LineNumber() const { return m_nRecordLine; }

    // The fields of a packed record, up to its end entry.
    static QList<TextRecordField> SplitRecord(const uchar* record);

private:
    enum CharClass {
        CC_END,
        CC_QUOTE,
        CC_CR,
        CC_LF,
        CC_SEPARATOR,
        CC_BLANK,
        CC_APOSTROPHE,
        CC_SIGN,
        CC_POINT,
        CC_EXPONENT,
        CC_DIGIT,
        CC_OTHER,
    };
    enum Terminator { TERM_LINEEND, TERM_SEPARATOR, TERM_END };
    enum LineResult { LINE_OK, LINE_END, LINE_ERROR };

    CharClass ClassOf(char16_t c) const; // CC_CR for every CR
    CharClass ClassAt(qsizetype pos) const;
    int LineEndAt(qsizetype pos) const; // 0, 1 or 2 characters
    bool IsSeparatorChar(char16_t c) const;
    LineResult ReadPhysicalLine(bool append);
    // Reads the next block behind the unread bytes; false on a read error.
    bool ReadBlock();
    bool RestIsTrailer(qsizetype linePos);
    bool ParseRecord(); // false on an error; m_bAtEnd when there is none
    int ParseField(qsizetype& pos, int fieldNo, bool& recordDone);
    int ClassifyField(qsizetype start, qsizetype end, bool quoted, qsizetype quoteEnd, bool closed,
                      QString& unquoted, QStringView& text) const;
    // text views the line, or unquoted for a quoted field.
    void AppendEntry(int kind, QStringView text);
    bool Fail(quint32 code);

    bool m_bOpen = false;
    TextRecordOptions m_options;
    int m_nEncoding = 0; // internal: 1 UTF-8, 2 UTF-16BE, 3 UTF-16LE, 6 ANSI
    char16_t m_chQuote = 0;
    QString m_strSeparators;
    std::array<quint8, 128> m_asciiClass{}; // ClassOf of the ASCII characters

    QFile m_file;
    QByteArray m_data; // the block being read: unread bytes from m_nReadPos
    qsizetype m_nReadPos = 0;
    bool m_bFileEnd = false; // every byte of the file is in m_data
    QStringDecoder m_decoder;
    std::unique_ptr<platform::LegacyDecoder> m_pLegacyDecoder; // one for the whole file

    QString m_line;
    QString m_quotedText; // a quoted field without its quotes, kept from field to field
    QByteArray m_record;
    int m_nFieldCount = 0;
    bool m_bPending = false;
    bool m_bAtEnd = false;
    bool m_bFailed = false;
    int m_nLinesRead = 0;
    int m_nRecordLine = 0;
    quint32 m_nLastError = TEXTERR_NONE;
    quint32 m_nFailCode = TEXTERR_NONE;
};
