#pragma once

// A statement on one table of a work database with its transaction
// bookkeeping: rows are inserted in transactions of at most
// kRowsPerTransaction rows, and the open one is committed when the statement
// is released (attached to another table, closed or destroyed). Nothing is
// ever rolled back. The import and export walks fill the column groups and
// drive the statement directly.

#include "archive/CrxResult.h"

#include <QString>

#include <memory>

class CSQliteDB;
class CSQliteSQL;

class CCrxSql
{
public:
    CCrxSql();
    virtual ~CCrxSql();
    CCrxSql(const CCrxSql&) = delete;
    CCrxSql& operator=(const CCrxSql&) = delete;

    enum Flags { FLAG_TABLE_INFO = 1, FLAG_PREPARED = 2 };
    static constexpr qint64 kRowsPerTransaction = 1'000'000;

    // Commits an open transaction, drops the statement and takes the
    // connection (not owned) and table: 0, CRX_E_COMMIT or CRX_E_DB_OPEN
    // (no connection).
    CrxResult Attach(CSQliteDB* db, const QString& table);
    // Commits an open transaction and drops the statement: 0 or
    // CRX_E_COMMIT (the statement is dropped all the same).
    CrxResult ReleaseStatement();
    // A new statement on the connection and table (no commit): 0,
    // CRX_E_NO_DB or CRX_E_NO_STATEMENT.
    CrxResult CreateStatement();
    // Commits an open transaction and starts the next: 0,
    // CRX_E_NO_WRITE_STMT, CRX_E_COMMIT or CRX_E_BEGIN_TRANSACTION.
    CrxResult BeginTransaction();
    // Counts one written row; the row that fills a transaction commits it
    // and starts the next.
    CrxResult CountWrittenRow();

    CSQliteSQL* Statement() const { return m_pStatement.get(); }
    CSQliteDB* Connection() const { return m_pDb; }
    const QString& Table() const { return m_strTable; }
    bool IsPrepared() const { return (m_nFlags & FLAG_PREPARED) != 0; }

    int m_nKeyCount = 0;
    int m_nValueCount = 0;
    int m_nBlobCount = 0;
    int m_nFlags = 0;
    bool m_bTransactionOpen = false;
    qint64 m_nRowsSinceCommit = 0;
    qint64 m_nRowsTotal = 0;
    // Tests lower it to see the commit without a million rows.
    qint64 m_nRowsPerTransaction = kRowsPerTransaction;

    // A name as SQL text: in double quotes, inner quotes doubled.
    static QString QuoteName(const QString& name);

protected:
    CrxResult CommitOpenTransaction();
    // The table as the statement is made on it.
    virtual QString StatementTable() const { return m_strTable; }

    CSQliteDB* m_pDb = nullptr;
    QString m_strTable;
    std::unique_ptr<CSQliteSQL> m_pStatement;
};
