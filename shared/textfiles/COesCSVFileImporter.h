#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

class CSQliteDB;
class CSQliteSQL;
class CTextFileReader;

namespace platform {
class LegacyDecoder;
}

// Takes items ("CIA001"), departments ("CIA002") or clerks ("CSB004") over
// from an OES master file: comma-separated text in the legacy code page,
// three header lines, then one record per line. The table named decides the
// kind of file. Mode 0 empties the table first, mode 1 updates existing keys
// and adds the others, any other mode adds every row; it all runs in one
// transaction.
class COesCSVFileImporter
{
public:
    enum EFileKind : int { OES_ITEM = 0, OES_DEPARTMENT = 1, OES_CLERK = 2 };

    // keyColumn is not used: each kind has its fixed key column.
    COesCSVFileImporter(CSQliteDB* db, const QString& table, const QString& keyColumn,
                        const QString& path, int mode);
    virtual ~COesCSVFileImporter();
    COesCSVFileImporter(const COesCSVFileImporter&) = delete;
    COesCSVFileImporter& operator=(const COesCSVFileImporter&) = delete;

    bool ExecuteImport();
    QString GetErrMsgId() const { return m_strErrMsgId; }
    void GetErrorMessage(QString& out) const;

private:
    bool Fail(const QString& key, CSQliteSQL* rollback);
    bool CheckMakeTempFile();
    bool CheckHeaderLine(int index, QByteArrayView bytes, platform::LegacyDecoder& decoder) const;
    bool ConvertTxtToDBTable(CSQliteSQL* sql, CTextFileReader& reader);
    bool SetSQLParameter(CSQliteSQL* sql);
    // 1 written, 0 skipped, -1 failed (error key set).
    int ProcLine(const uchar* record, int fieldCount, CSQliteSQL* sql);
    bool ProcLineFILE0004(const QStringList& fields, bool& skip);
    bool ProcLineFILE0005(const QStringList& fields);
    bool ProcLineFILE0007_Part1(const QStringList& fields);
    bool ProcLineFILE0007_Part2(bool exists);
    // Departments and clerks: the code and the name of fields 0 and 1.
    bool TakeCodeAndName(const QStringList& fields);
    bool GetItemParamCode(int& status, const QString& itemCode, QString& paramCode);
    void RemoveTempFile();

    QString m_strErrMsgId;
    int m_nStatus = 0;
    QString m_strPath;
    QString m_strTempPath;
    int m_nFileKind = OES_ITEM;
    CSQliteDB* m_pDB = nullptr;
    QString m_strTable;
    QString m_strKeyColumn;
    QString m_strSysErr;
    QString m_strTimestamp;
    QStringList m_arrExistCode;
    int m_nMode = 0;

    int m_nErrorLine = 0;  // line of the OES file; 0 when none
    QString m_strKeyValue; // of the record in hand
    QStringList m_values;
};
