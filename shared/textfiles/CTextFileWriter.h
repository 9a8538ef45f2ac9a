#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <memory>

// Writes a table text file: UTF-8 without byte-order mark, values separated
// by one TAB, every line ended by one LF. The file replaces an old one only
// when Close succeeds; a writer dropped before that leaves the old file.
class CTextFileWriter
{
public:
    CTextFileWriter();
    virtual ~CTextFileWriter();
    CTextFileWriter(const CTextFileWriter&) = delete;
    CTextFileWriter& operator=(const CTextFileWriter&) = delete;

    bool Open(const QString& path);
    bool WriteLine(const QStringList& values);
    // Puts the finished file in place.
    bool Close();
    QString GetErrMsgId() const { return m_strErrMsgId; }

    // A value as it stands in the file: quoted (quotes doubled) when it holds
    // what the reader would take as structure or trim.
    static void AppendValue(QByteArray& line, const QString& value);

private:
    bool Flush();

    std::unique_ptr<QSaveFile> m_pFile;
    QString m_strErrMsgId;
    QByteArray m_buffer;
};
