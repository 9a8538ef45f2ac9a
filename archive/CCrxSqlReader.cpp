#include "archive/CCrxSqlReader.h"

CrxResult CCrxSqlReader::PrepareRead()
{
    if (m_columns.isEmpty())
        return CRX_OK;
    if (const CrxResult rc = CreateStatement(); rc != CRX_OK)
        return rc;
    // Text that is not UTF-8 would go into the archive as replacement
    // characters and come back changed.
    m_pStatement->SetStrictText(true);
    if (m_pStatement->SetSQLForRead(m_columns, m_strWhere, m_strOrderBy, kRowsPerBatch) != 0) {
        m_columns.clear();
        m_strWhere.clear();
        m_strOrderBy.clear();
        m_nFlags &= ~FLAG_PREPARED;
        return CRX_E_PREPARE_READ;
    }
    m_nFlags |= FLAG_PREPARED;
    return CRX_OK;
}

CSQRowArray* CCrxSqlReader::ReadNext(CrxResult& error, bool& end)
{
    error = CRX_OK;
    end = false;
    if (m_columns.isEmpty()) {
        end = true;
        return nullptr;
    }
    if (!m_pStatement) {
        error = CRX_E_NO_STATEMENT;
        return nullptr;
    }
    if (!IsPrepared()) {
        error = CRX_E_NO_READ_STMT;
        return nullptr;
    }
    int status = 0;
    CSQRowArray* rows = m_pStatement->ExecReadNext(status);
    if (status == SQLREAD_END) {
        end = true;
    } else if (status == SQLERR_NOT_UTF8 && rows && !rows->isEmpty()) {
        error = CRX_E_XML_UTF8;
        return rows;
    } else if (status != 0) {
        error = CRX_E_READ_ROWS;
    }
    if (!rows)
        error = CRX_E_READ_ROWS;
    return error == CRX_OK ? rows : nullptr;
}
