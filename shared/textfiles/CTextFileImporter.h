#pragma once

#include "shared/textfiles/CTextColumnCheck.h"

#include <QList>
#include <QString>
#include <QStringList>

class CSQliteDB;
class CSQliteSQL;
class CTextFileReader;

// Reads a table text file into its table. Mode 0 replaces the table's rows,
// mode 1 updates the rows whose keys exist and adds the others, any other
// mode adds every row. All of it is one transaction.
class CTextFileImporter
{
public:
    CTextFileImporter(CSQliteDB* db, const QString& table, const QString& keyColumn,
                      const QString& path, int mode);
    virtual ~CTextFileImporter();

    // The columns that hold codes (digits only, of their width); every other
    // column is checked against its declared type and width.
    void SetCodeColumns(const QStringList& columns) { m_codeColumns = columns; }

    bool ExecuteImport();
    QString GetErrMsgId() const { return m_strErrMsgId; }
    void GetErrorMessage(QString& out) const;

    // Index of code in codes (sorted in exact text order), or -1.
    static int ExistCodeBinarySearch(const QStringList& codes, const QString& code);
    int ExistCodeBinarySearch(const QString& code) const;
    // Every value of a table's key column, sorted for ExistCodeBinarySearch.
    static bool ReadSortedCodes(CSQliteDB& db, const QString& table, const QString& column,
                                QStringList& codes, int& status);
    // Opens an import's one transaction on sql: mode 0 empties the table
    // first, mode 1 reads the existing keys of keyColumn into codes (other
    // modes leave codes empty). "" on success; else the error key, with
    // status set and the transaction rolled back.
    static QString BeginImport(CSQliteDB& db, CSQliteSQL& sql, const QString& table,
                               const QString& keyColumn, int mode, QStringList& codes, int& status);

private:
    bool GetFieldName(const uchar* record, int fieldCount);
    bool CheckFieldName();
    bool SetSQLParameter(CSQliteSQL* sql);
    bool ProcLine(const uchar* record, int fieldCount, CSQliteSQL* sql);
    bool ConvertTxtToDBTable(CSQliteSQL* sql, CTextFileReader& reader);
    bool Fail(const QString& key, CSQliteSQL* rollback);
    // After a refused insert: whether the key is in the table already
    // (from the table or from an earlier line of the file).
    bool KeyExists(const QString& key) const;

    QStringList m_arrFieldName;
    QString m_strErrMsgId;
    int m_nStatus = 0;
    int m_nKeyPos = -1;
    int m_nCreatePos = -1;
    int m_nUpdatePos = -1;
    QStringList m_arrExistCode;
    int m_nMode = 0;
    QString m_strPath;
    CSQliteDB* m_pDB = nullptr;
    QString m_strTable;
    QString m_strKeyColumn;
    QString m_szErrorField;
    QString m_strTimestamp;

    int m_nHeaderFieldCount = 0;
    bool m_bTableHasCreate = false;
    bool m_bTableHasUpdate = false;
    int m_nErrorLine = 0;
    int m_nErrorFieldCount = 0;
    QStringList m_keyValues; // reused from row to row
    QStringList m_values;
    QStringList m_codeColumns;
    QStringList m_headerNames;        // every header field, the key included
    QList<CTextColumnCheck> m_checks; // by header position
    QString m_strErrorValue;          // a value its column cannot hold, or a repeated key
};
