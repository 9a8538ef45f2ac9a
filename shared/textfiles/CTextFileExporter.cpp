#include "shared/textfiles/CTextFileExporter.h"

#include "shared/textfiles/CTextFileError.h"
#include "shared/textfiles/CTextFileWriter.h"
#include "shared/textfiles/TextValueChars.h"

#include "stroven/Stroven.h"

CTextFileExporter::CTextFileExporter(CSQliteDB* db, const QString& table, const QString&,
                                     const QString& path)
    : m_strPath(path), m_pDB(db), m_strTable(table)
{
}

CTextFileExporter::~CTextFileExporter() = default;

bool CTextFileExporter::ExecuteExport()
{
    m_strErrMsgId.clear();
    m_szErrorField.clear();
    m_strErrorKey.clear();
    m_nStatus = 0;
    if (!m_pDB) {
        m_nStatus = SQLERR_NOT_OPEN;
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_READDATA");
        return false;
    }
    // The columns come first: a table that cannot be written leaves no file behind.
    if (!GetFieldName())
        return false;
    CTextFileWriter writer;
    if (!writer.Open(m_strPath)) {
        m_strErrMsgId = writer.GetErrMsgId();
        return false;
    }
    if (!writer.WriteLine(m_arrFieldName)) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTWRITE");
        return false;
    }
    CSQliteSQL sql(*m_pDB, m_strTable);
    if (!SetSQLParameter(&sql))
        return false;
    return ConvertDBTableToTxt(&sql, writer);
}

bool CTextFileExporter::GetFieldName()
{
    m_arrFieldName.clear();
    m_keyPositions.clear();
    CSQliteSQL sql(*m_pDB, m_strTable);
    int status = 0;
    const CSQTableInfoArray* info = sql.GetTableInfo(status);
    m_nStatus = status;
    if (!info || status != 0 || info->isEmpty()) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_READDATA");
        return false;
    }
    for (const CSQTableInfo& column : *info) {
        if (column.m_nType == SQLTYPE_BLOB) {
            // Binary data has no text form in this file; refuse it whole.
            m_szErrorField = column.m_strName;
            m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_BLOBCOLUMN");
            return false;
        }
        if (column.m_nPrimaryKey)
            m_keyPositions.append(int(m_arrFieldName.size()));
        m_arrFieldName.append(column.m_strName);
    }
    if (m_keyPositions.isEmpty())
        m_keyPositions.append(0); // a table without key: its first column names the row
    return true;
}

bool CTextFileExporter::SetSQLParameter(CSQliteSQL* sql)
{
    m_nStatus = sql->SetSQLForRead(QStringList(), QString(), QString(), quint32(m_nBatchSize));
    if (m_nStatus != 0) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_READDATA");
        return false;
    }
    return true;
}

bool CTextFileExporter::ConvertDBTableToTxt(CSQliteSQL* sql, CTextFileWriter& writer)
{
    for (;;) {
        int status = 0;
        const CSQRowArray* rows = sql->ExecReadNext(status);
        m_nStatus = status;
        if (!rows || (status != 0 && status != SQLREAD_END)) {
            m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_READDATA");
            return false;
        }
        for (const QStringList* row : *rows)
            if (!ProcLine(*row, writer))
                return false;
        // Written rows are not needed again: memory stays at one batch.
        sql->ReleaseReadRows();
        if (status == SQLREAD_END) {
            m_nStatus = 0;
            if (!writer.Close()) {
                m_strErrMsgId = writer.GetErrMsgId();
                return false;
            }
            return true;
        }
    }
}

bool CTextFileExporter::ProcLine(const QStringList& row, CTextFileWriter& writer)
{
    // A line break would split the row on reading, and a control character
    // could not go on into an archive: refuse the table rather than write a
    // file that reads back otherwise (the old file stays).
    for (qsizetype i = 0; i < row.size(); ++i) {
        if (FindUncarriedChar(row[i]) < 0)
            continue;
        m_szErrorField = m_arrFieldName.value(i);
        QStringList key;
        for (int at : std::as_const(m_keyPositions))
            key.append(row.value(at));
        m_strErrorKey = key.join(QStringLiteral(", "));
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTVALUE");
        return false;
    }
    if (!writer.WriteLine(row)) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTWRITE");
        return false;
    }
    return true;
}

void CTextFileExporter::GetErrorMessage(QString& out) const
{
    CTextFileError error;
    error.m_strKey = m_strErrMsgId;
    error.m_nStatus = m_nStatus;
    error.m_strField = m_szErrorField;
    error.m_strTable = m_strTable;
    error.m_strKeyValue = m_strErrorKey;
    out = error.Message();
}
