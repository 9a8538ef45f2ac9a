#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringDecoder>

namespace brelkin {

// Reads a list file a line at a time, so that a large file never sits in
// memory whole: decoded by its mark (FF FE or none: UTF-16LE; EF BB BF:
// UTF-8); CR LF or LF end a line, the last line also without.
class CListFileReader
{
public:
    // False, with ErrorString(), when the file cannot be opened.
    bool Open(const QString& path);
    QString ErrorString() const { return m_file.errorString(); }
    // The next line without its end; false after the last one.
    bool ReadLine(QString& line);

private:
    // Appends the next piece of the file to the buffer; false at its end.
    bool ReadMore();
    // The next line end in the buffer from offset from on; -1 for none yet.
    qsizetype FindLineEnd(qsizetype from) const;
    QString Decode(qsizetype size);

    QFile m_file;
    bool m_bUtf8 = false;
    QStringDecoder m_utf16{QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless};
    QByteArray m_buffer;
    qsizetype m_nAt = 0; // where the next line starts in the buffer
};

} // namespace brelkin
