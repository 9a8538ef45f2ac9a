#include "archive/CCrxBlobReader.h"

void CCrxBlobReader::Clear()
{
    m_blobColumns.clear();
    m_strWhere.clear();
    m_keyValues.clear();
}

CrxResult CCrxBlobReader::PrepareBlobRead()
{
    if (const CrxResult rc = CreateStatement(); rc != CRX_OK)
        return rc;
    if (m_pStatement->SetSQLForBlobRead(m_blobColumns, m_strWhere) != 0) {
        Clear();
        m_nFlags &= ~FLAG_PREPARED;
        return CRX_E_PREPARE_BLOB;
    }
    m_nFlags |= FLAG_PREPARED;
    return CRX_OK;
}

CrxResult CCrxBlobReader::ReadBlobs(const CSQliteSQL::BlobSink& sink)
{
    if (!m_pStatement)
        return CRX_E_NO_STATEMENT;
    if (!IsPrepared())
        return CRX_E_NO_BLOB_STMT;
    return m_pStatement->ExecBlobRead(m_keyValues, sink) == 0 ? CRX_OK : CRX_E_READ_BLOB;
}
