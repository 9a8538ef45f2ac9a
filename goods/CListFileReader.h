#pragma once

#include "shared/textfiles/CTextRecordFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringDecoder>

namespace brelkin {

// One line of a list file as read.
struct ListFileLine
{
    QString text; // without its line end
    // The TAB-separated pieces of the line (0 first) whose bytes do not
    // decode; the text holds what the decoder made of them.
    QList<int> undecoded;
    // Longer than CListFileReader::MaxLineBytes: passed over as it was read,
    // never held whole; the text is empty.
    bool tooLong = false;
};

// Reads a list file a line at a time, so that a large file never sits in
// memory whole: decoded by its mark (FF FE or none: UTF-16LE; EF BB BF:
// UTF-8) with the checks of the library's text imports; CR LF or LF end a
// line, the last line also without.
class CListFileReader
{
public:
    // The longest line held: that of the library's text files, far beyond any
    // row of a list.
    static constexpr qsizetype MaxLineBytes = CTextRecordFile::MaxLineBytes;

    // False, with ErrorString(), when the file cannot be opened.
    bool Open(const QString& path);
    QString ErrorString() const { return m_file.errorString(); }
    // The next line; false after the last one.
    bool ReadLine(ListFileLine& line);
    // Reads on to the end of the file, each line passed over: the number of
    // those lines that are not blank.
    int CountLinesLeft();
    // The most bytes of the file held at once.
    qsizetype MostBytesHeld() const { return m_nMostHeld; }

private:
    // Appends the next piece of the file to the buffer; false at its end.
    bool ReadMore();
    // Finds the next line in the buffer, reading on as needed: its bytes
    // without the line end start at m_nAt; next is where the line after it
    // starts. A line that grows past MaxLineBytes is dropped as it is read.
    // False when no line is left.
    bool FindLine(qsizetype& size, qsizetype& next, bool& tooLong);
    // The position of the character c in bytes from from on (in UTF-16 a
    // unit at an even offset); -1 when there is none.
    qsizetype FindChar(QByteArrayView bytes, qsizetype from, char c) const;
    void Decode(QByteArrayView bytes, ListFileLine& line);

    QFile m_file;
    bool m_bUtf8 = false;
    QStringDecoder m_decoder;
    QByteArray m_buffer;
    qsizetype m_nAt = 0; // where the next line starts in the buffer
    qsizetype m_nMostHeld = 0;
};

} // namespace brelkin
