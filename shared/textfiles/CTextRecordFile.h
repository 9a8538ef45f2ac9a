#pragma once

#include "shared/textfiles/TextRecordOptions.h"

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
