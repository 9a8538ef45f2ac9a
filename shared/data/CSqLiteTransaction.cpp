#include "shared/data/CSqLiteTransaction.h"

CSqLiteTransaction::CSqLiteTransaction(CSQliteDB& db, CSQliteSQL& sql) : m_sql(sql)
{
    if (db.InTransaction())
        return;
    m_nStartStatus = m_sql.StartTransaction();
    m_bOwned = m_nStartStatus == 0;
}

CSqLiteTransaction::~CSqLiteTransaction()
{
    if (m_bOwned)
        m_sql.ExecRollback();
}

int CSqLiteTransaction::Commit()
{
    if (!m_bOwned)
        return 0;
    const int status = m_sql.ExecCommit();
    if (status == 0)
        m_bOwned = false; // a failed commit leaves the transaction to roll back
    return status;
}

int CSqLiteTransaction::Rollback()
{
    if (!m_bOwned)
        return 0;
    m_bOwned = false;
    return m_sql.ExecRollback();
}
