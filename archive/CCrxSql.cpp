#include "archive/CCrxSql.h"

#include "stroven/Stroven.h"

CCrxSql::CCrxSql() = default;

CCrxSql::~CCrxSql()
{
    CommitOpenTransaction();
}

CrxResult CCrxSql::CommitOpenTransaction()
{
    if (!m_pStatement || !IsPrepared() || !m_bTransactionOpen)
        return CRX_OK;
    if (m_pStatement->ExecCommit() != 0)
        return CRX_E_COMMIT;
    m_bTransactionOpen = false;
    m_nRowsSinceCommit = 0;
    return CRX_OK;
}

CrxResult CCrxSql::Attach(CSQliteDB* db, const QString& table)
{
    const CrxResult commit = CommitOpenTransaction();
    m_pStatement.reset();
    m_pDb = db;
    m_strTable = table;
    m_nKeyCount = m_nValueCount = m_nBlobCount = 0;
    m_nFlags = 0;
    m_bTransactionOpen = false;
    m_nRowsSinceCommit = 0;
    m_nRowsTotal = 0;
    if (commit != CRX_OK)
        return commit;
    return db ? CRX_OK : CRX_E_DB_OPEN;
}

CrxResult CCrxSql::ReleaseStatement()
{
    const CrxResult commit = CommitOpenTransaction();
    m_pStatement.reset();
    m_nFlags = 0;
    m_bTransactionOpen = false;
    return commit;
}

CrxResult CCrxSql::CreateStatement()
{
    m_nFlags = 0;
    ReleaseStatement();
    if (!m_pDb)
        return CRX_E_NO_DB;
    m_pStatement = std::make_unique<CSQliteSQL>(*m_pDb, StatementTable());
    return m_pStatement ? CRX_OK : CRX_E_NO_STATEMENT;
}

CrxResult CCrxSql::BeginTransaction()
{
    if (!m_pStatement || !IsPrepared())
        return CRX_E_NO_WRITE_STMT;
    if (CommitOpenTransaction() != CRX_OK)
        return CRX_E_COMMIT;
    m_nRowsSinceCommit = 0;
    if (m_pStatement->StartTransaction() != 0)
        return CRX_E_BEGIN_TRANSACTION;
    m_bTransactionOpen = true;
    return CRX_OK;
}

CrxResult CCrxSql::CountWrittenRow()
{
    ++m_nRowsSinceCommit;
    ++m_nRowsTotal;
    if (m_bTransactionOpen && m_nRowsSinceCommit >= m_nRowsPerTransaction)
        return BeginTransaction();
    return CRX_OK;
}

QString CCrxSql::QuoteName(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}
