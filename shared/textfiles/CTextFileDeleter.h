#pragma once

#include <QString>

class CSQliteDB;
class CSQliteSQL;

// Deletes every row of one table in one transaction.
class CTextFileDeleter
{
public:
    // The last two arguments are not used.
    CTextFileDeleter(CSQliteDB* db, const QString& table, const QString& = QString(),
                     const QString& = QString());
    virtual ~CTextFileDeleter();
    CTextFileDeleter(const CTextFileDeleter&) = default;
    CTextFileDeleter& operator=(const CTextFileDeleter&) = default;

    bool ExecuteDelete();
    QString GetErrMsgId() const { return m_strErrMsgId; }
    void GetErrorMessage(QString& out) const;

    // "DELETE FROM" the table, inside whatever transaction the caller holds.
    static int DeleteAllRows(CSQliteSQL& sql, const QString& table);

private:
    QString m_strErrMsgId;
    int m_nStatus = 0;
    CSQliteDB* m_pDB = nullptr;
    QString m_strTable;
};
