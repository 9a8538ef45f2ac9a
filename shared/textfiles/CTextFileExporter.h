#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CSQliteDB;
class CSQliteSQL;
class CTextFileWriter;

// Writes every row of one table to a table text file: the column names in
// line 1, then one line per row, in table order.
class CTextFileExporter
{
public:
    // The third argument is not used.
    CTextFileExporter(CSQliteDB* db, const QString& table, const QString& ignored,
                      const QString& path);
    virtual ~CTextFileExporter();

    bool ExecuteExport();
    QString GetErrMsgId() const { return m_strErrMsgId; }
    void GetErrorMessage(QString& out) const;

private:
    bool GetFieldName();
    bool SetSQLParameter(CSQliteSQL* sql);
    bool ConvertDBTableToTxt(CSQliteSQL* sql, CTextFileWriter& writer);
    bool ProcLine(const QStringList& row, CTextFileWriter& writer);

    QStringList m_arrFieldName;
    QString m_strErrMsgId;
    int m_nStatus = 0;
    int m_nBatchSize = 10000;
    QString m_strPath;
    CSQliteDB* m_pDB = nullptr;
    QString m_strTable;
    QString m_szErrorField;    // the column that cannot be written as text
    QString m_strErrorKey;     // the key of the row whose value cannot be written
    QList<int> m_keyPositions; // the key columns' places in a row
};
