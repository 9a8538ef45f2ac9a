#include "archive/CCrxSqlWriter.h"

#include "stroven/Stroven.h"

void CCrxSqlWriter::ClearLists()
{
    m_keyColumns.clear();
    m_valueColumns.clear();
    m_blobColumns.clear();
    m_keyValues.clear();
    m_values.clear();
    m_blobFiles.clear();
}

CrxResult CCrxSqlWriter::PrepareWrite()
{
    if (const CrxResult rc = CreateStatement(); rc != CRX_OK)
        return rc;
    if (m_pStatement->SetSQLForWrite(m_keyColumns, m_valueColumns, m_blobColumns) != 0) {
        m_keyColumns.clear();
        m_valueColumns.clear();
        m_blobColumns.clear();
        m_nFlags &= ~FLAG_PREPARED;
        return CRX_E_PREPARE_WRITE;
    }
    m_nFlags |= FLAG_PREPARED;
    return BeginTransaction();
}

CrxResult CCrxSqlWriter::InsertRow()
{
    if (!m_pStatement)
        return CRX_E_NO_STATEMENT;
    if (!IsPrepared())
        return CRX_E_NO_WRITE_STMT;
    if (m_pStatement->ExecWrite(m_keyValues, m_values, m_blobFiles, SQLWRITE_INSERT) != 0)
        return CRX_E_WRITE_ROW;
    return CountWrittenRow();
}

CrxResult CCrxSqlWriter::InsertRowUtf8(const QByteArrayView* texts, qsizetype count,
                                       const QStringList& blobFiles)
{
    if (!m_pStatement)
        return CRX_E_NO_STATEMENT;
    if (!IsPrepared())
        return CRX_E_NO_WRITE_STMT;
    if (m_pStatement->ExecInsertUtf8(texts, count, blobFiles) != 0)
        return CRX_E_WRITE_ROW;
    return CountWrittenRow();
}
