#pragma once

#include "shared/textfiles/CTextRecordFile.h"

#include <QByteArray>
#include <QString>

// The record reader of the library's text imports: a table text file (TAB,
// UTF-8 unless a byte-order mark says otherwise) or a comma file in the
// legacy code page.
class CTextFileReader
{
public:
    CTextFileReader();
    virtual ~CTextFileReader();
    CTextFileReader(const CTextFileReader&) = delete;
    CTextFileReader& operator=(const CTextFileReader&) = delete;

    // 0 when open, -1 on failure (error key set).
    int Open(const QString& path, bool csv);
    // 1 with the packed record (valid until the next call) and its field
    // count; -2 at the end of the data; -1 on failure (error key set).
    int ReadRecord(const uchar*& record, int& fieldCount);
    QString GetErrMsgId() const { return m_strErrMsgId; }
    // The physical line of the record last read, or of the failure.
    int GetLineNumber() const { return m_file.LineNumber(); }
    // The engine's failure code of the last call.
    quint32 GetLastError() const { return m_file.LastError(); }

private:
    void SetReadError();

    CTextRecordFile m_file;
    QByteArray m_record;
    QString m_strErrMsgId;
};
