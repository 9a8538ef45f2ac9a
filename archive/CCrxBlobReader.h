#pragma once

// Blob columns of one row at a time, handed over while the row is current.

#include "archive/CCrxSql.h"

#include "stroven/Stroven.h"

#include <QStringList>

class CCrxBlobReader : public CCrxSql
{
public:
    void Clear();

    // A new statement reading m_blobColumns of the row matching m_strWhere:
    // 0, a CreateStatement code or CRX_E_PREPARE_BLOB (the reader is then
    // cleared).
    CrxResult PrepareBlobRead();
    // Blob column i of the row with m_keyValues to sink(i, bytes, size)
    // (bytes null for NULL): 0, CRX_E_NO_STATEMENT, CRX_E_NO_BLOB_STMT or
    // CRX_E_READ_BLOB (also when the sink returns false).
    CrxResult ReadBlobs(const CSQliteSQL::BlobSink& sink);

    QStringList m_blobColumns;
    QString m_strWhere;
    QStringList m_keyValues;
};
