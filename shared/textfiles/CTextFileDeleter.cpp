#include "shared/textfiles/CTextFileDeleter.h"

#include "shared/data/CSqLiteUtility.h"
#include "shared/textfiles/CTextFileError.h"

#include "stroven/Stroven.h"

CTextFileDeleter::CTextFileDeleter(CSQliteDB* db, const QString& table, const QString&,
                                   const QString&)
    : m_pDB(db), m_strTable(table)
{
}

CTextFileDeleter::~CTextFileDeleter() = default;

int CTextFileDeleter::DeleteAllRows(CSQliteSQL& sql, const QString& table)
{
    return sql.ExecSQL(QStringLiteral("DELETE FROM ") + CSqLiteUtility::QuoteSQLName(table));
}

bool CTextFileDeleter::ExecuteDelete()
{
    m_strErrMsgId.clear();
    m_nStatus = 0;
    if (!m_pDB) {
        m_nStatus = SQLERR_NOT_OPEN;
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_DELETE");
        return false;
    }
    CSQliteSQL sql(*m_pDB, m_strTable);
    CSqLiteUtility::RunBulkPragmas(sql);
    m_nStatus = sql.StartTransaction();
    if (m_nStatus == 0) {
        m_nStatus = DeleteAllRows(sql, m_strTable);
        if (m_nStatus == 0)
            m_nStatus = sql.ExecCommit();
        if (m_nStatus != 0)
            sql.ExecRollback();
    }
    if (m_nStatus != 0) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_DELETE");
        return false;
    }
    return true;
}

void CTextFileDeleter::GetErrorMessage(QString& out) const
{
    CTextFileError error;
    error.m_strKey = m_strErrMsgId;
    error.m_nStatus = m_nStatus;
    out = error.Message();
}
