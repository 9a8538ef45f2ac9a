#include "shared/textfiles/CTextFileImporter.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/textfiles/CTextFileDeleter.h"
#include "shared/textfiles/CTextFileError.h"
#include "shared/textfiles/CTextFileReader.h"
#include "shared/textfiles/CTextRecordFile.h"
#include "shared/textfiles/TextValueChars.h"

#include "stroven/Stroven.h"

#include <algorithm>

namespace {

const QString kCreateColumn = QStringLiteral("CREATEDATETIME");
const QString kUpdateColumn = QStringLiteral("UPDATEDATETIME");
// SQLite's primary result code of a broken constraint.
constexpr int kConstraintStatus = 19;

} // namespace

CTextFileImporter::CTextFileImporter(CSQliteDB* db, const QString& table, const QString& keyColumn,
                                     const QString& path, int mode)
    : m_nMode(mode), m_strPath(path), m_pDB(db), m_strTable(table), m_strKeyColumn(keyColumn),
      m_strTimestamp(GetTimestampOfNow())
{
}

CTextFileImporter::~CTextFileImporter() = default;

bool CTextFileImporter::Fail(const QString& key, CSQliteSQL* rollback)
{
    if (rollback)
        rollback->ExecRollback();
    m_strErrMsgId = key;
    return false;
}

bool CTextFileImporter::ExecuteImport()
{
    m_strErrMsgId.clear();
    m_szErrorField.clear();
    m_nStatus = 0;
    m_nErrorLine = 0;
    m_strErrorValue.clear();
    if (!m_pDB) {
        m_nStatus = SQLERR_NOT_OPEN;
        return Fail(QStringLiteral("CRDS_PR_ERROR_WRITEDATA"), nullptr);
    }
    CTextFileReader reader;
    if (reader.Open(m_strPath, false) < 0)
        return Fail(reader.GetErrMsgId(), nullptr);
    const uchar* record = nullptr;
    int fieldCount = 0;
    const int r = reader.ReadRecord(record, fieldCount);
    if (r == -1) {
        m_nErrorLine = reader.GetLineNumber();
        return Fail(reader.GetErrMsgId(), nullptr);
    }
    if (!GetFieldName(r == 1 ? record : nullptr, r == 1 ? fieldCount : 0))
        return false;
    if (!CheckFieldName())
        return false;

    CSQliteSQL sql(*m_pDB, m_strTable);
    const QString failure =
        BeginImport(*m_pDB, sql, m_strTable, m_strKeyColumn, m_nMode, m_arrExistCode, m_nStatus);
    if (!failure.isEmpty())
        return Fail(failure, nullptr);
    if (!SetSQLParameter(&sql))
        return Fail(QStringLiteral("CRDS_PR_ERROR_WRITEDATA"), &sql);
    return ConvertTxtToDBTable(&sql, reader);
}

bool CTextFileImporter::GetFieldName(const uchar* record, int fieldCount)
{
    m_arrFieldName.clear();
    m_headerNames.clear();
    m_nKeyPos = m_nCreatePos = m_nUpdatePos = -1;
    m_nHeaderFieldCount = fieldCount;
    if (!record || fieldCount <= 0)
        return Fail(QStringLiteral("CRDS_PR_ERROR_NOPRIMARYKEY"), nullptr);
    const QList<TextRecordField> fields = CTextRecordFile::SplitRecord(record);
    for (int i = 0; i < int(fields.size()); ++i) {
        const TextRecordField& f = fields[i];
        if ((f.nKind != TEXTFIELD_TEXT && f.nKind != TEXTFIELD_NUMBER) || f.text.isEmpty())
            return Fail(QStringLiteral("CRDS_PR_ERROR_NOFIELDNAME"), nullptr);
        const QString name = f.text.toString();
        m_headerNames.append(name);
        if (name == m_strKeyColumn) {
            m_nKeyPos = i;
            continue;
        }
        m_arrFieldName.append(name);
        if (name == kCreateColumn)
            m_nCreatePos = i;
        else if (name == kUpdateColumn)
            m_nUpdatePos = i;
    }
    if (m_nKeyPos < 0)
        return Fail(QStringLiteral("CRDS_PR_ERROR_NOPRIMARYKEY"), nullptr);
    return true;
}

bool CTextFileImporter::CheckFieldName()
{
    CSQliteSQL sql(*m_pDB, m_strTable);
    int status = 0;
    const CSQTableInfoArray* info = sql.GetTableInfo(status);
    m_nStatus = status;
    if (!info || status != 0 || info->isEmpty())
        return Fail(QStringLiteral("CRDS_PR_ERROR_READDATA"), nullptr);
    QStringList tableColumns;
    for (const CSQTableInfo& column : *info)
        tableColumns.append(column.m_strName);
    for (const QString& name : m_arrFieldName) {
        if (!tableColumns.contains(name)) {
            m_szErrorField = name;
            return Fail(QStringLiteral("CRDS_PR_ERROR_INVALIDFILED"), nullptr);
        }
    }
    m_checks.clear();
    for (const QString& name : std::as_const(m_headerNames)) {
        const qsizetype at = tableColumns.indexOf(name);
        m_checks.append(at < 0 ? CTextColumnCheck()
                               : CTextColumnCheck(info->at(at), m_codeColumns.contains(name)));
    }
    m_bTableHasCreate = tableColumns.contains(kCreateColumn);
    m_bTableHasUpdate = tableColumns.contains(kUpdateColumn);
    return true;
}

bool CTextFileImporter::ReadSortedCodes(CSQliteDB& db, const QString& table, const QString& column,
                                        QStringList& codes, int& status)
{
    codes.clear();
    CSQliteSQL sql(db, table);
    // No ORDER BY: the codes are sorted below in the order the search needs.
    status = sql.SetSQLForRead({column}, QString(), QString(), 0);
    if (status != 0)
        return false;
    const CSQRowArray* rows = sql.ExecReadNext(status);
    if (!rows || (status != 0 && status != SQLREAD_END))
        return false;
    status = 0;
    codes.reserve(rows->size());
    for (const QStringList* row : *rows) {
        if (!row || row->isEmpty())
            return false;
        codes.append(row->front());
    }
    // The search needs exact text order, whatever order the column sorts in.
    std::sort(codes.begin(), codes.end());
    return true;
}

QString CTextFileImporter::BeginImport(CSQliteDB& db, CSQliteSQL& sql, const QString& table,
                                       const QString& keyColumn, int mode, QStringList& codes,
                                       int& status)
{
    codes.clear();
    if (mode == 0)
        CSqLiteUtility::RunBulkPragmas(sql);
    // One transaction from the delete of mode 0 to the last row: a failure
    // anywhere leaves the table as it was.
    status = sql.StartTransaction();
    if (status != 0)
        return QStringLiteral("CRDS_PR_ERROR_WRITEDATA");
    if (mode == 0) {
        status = CTextFileDeleter::DeleteAllRows(sql, table);
        if (status != 0) {
            sql.ExecRollback();
            return QStringLiteral("CRDS_PR_ERROR_DELETE");
        }
    }
    // Only mode 1 looks keys up.
    if (mode == 1 && !ReadSortedCodes(db, table, keyColumn, codes, status)) {
        sql.ExecRollback();
        return QStringLiteral("CRDS_PR_ERROR_READDATA");
    }
    return QString();
}

bool CTextFileImporter::SetSQLParameter(CSQliteSQL* sql)
{
    QStringList values = m_arrFieldName;
    if (m_nCreatePos < 0 && m_bTableHasCreate)
        values.append(kCreateColumn);
    if (m_nUpdatePos < 0 && m_bTableHasUpdate)
        values.append(kUpdateColumn);
    m_nStatus = sql->SetSQLForWrite({m_strKeyColumn}, values, QStringList());
    return m_nStatus == 0;
}

bool CTextFileImporter::ProcLine(const uchar* record, int, CSQliteSQL* sql)
{
    // Emptied, not cleared: the lists keep their room from row to row.
    m_keyValues.erase(m_keyValues.begin(), m_keyValues.end());
    m_values.erase(m_values.begin(), m_values.end());
    const QList<TextRecordField> fields = CTextRecordFile::SplitRecord(record);
    for (int i = 0; i < int(fields.size()); ++i) {
        const TextRecordField& f = fields[i];
        QString value;
        if (f.nKind == TEXTFIELD_TEXT || f.nKind == TEXTFIELD_NUMBER)
            value = f.text.toString();
        if (FindUncarriedChar(value) >= 0) {
            m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTCHAR");
            return false;
        }
        // A value the column cannot hold refuses the file; it is never cut.
        if (i < m_checks.size() && !m_checks[i].Accepts(value)) {
            m_szErrorField = m_headerNames.value(i);
            m_strErrorValue = value;
            m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTCOLUMNVALUE");
            return false;
        }
        if (i == m_nKeyPos)
            m_keyValues.append(value);
        else
            m_values.append(value);
    }
    if (m_nCreatePos < 0 && m_bTableHasCreate)
        m_values.append(m_strTimestamp);
    if (m_nUpdatePos < 0 && m_bTableHasUpdate)
        m_values.append(m_strTimestamp);
    int mode = SQLWRITE_INSERT;
    if (m_nMode == 1 && ExistCodeBinarySearch(m_keyValues.front()) >= 0)
        mode = SQLWRITE_UPDATE;
    m_nStatus = sql->ExecWrite(m_keyValues, m_values, QStringList(), mode);
    if (m_nStatus == 0)
        return true;
    m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_WRITEDATA");
    if (mode == SQLWRITE_INSERT && (m_nStatus & 0xFF) == kConstraintStatus &&
        KeyExists(m_keyValues.front())) {
        m_strErrorValue = m_keyValues.front();
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTDUPKEY");
    }
    return false;
}

bool CTextFileImporter::KeyExists(const QString& key) const
{
    CSQliteSQL sql(*m_pDB, m_strTable);
    int status = sql.SetSQLForRead(
        {m_strKeyColumn}, CSqLiteUtility::QuoteSQLName(m_strKeyColumn) + QStringLiteral(" = ?"),
        QString(), 0);
    if (status == 0)
        status = sql.SetParamsForRead({key});
    const CSQRowArray* rows = status == 0 ? sql.ExecReadNext(status) : nullptr;
    return rows && !rows->isEmpty();
}

bool CTextFileImporter::ConvertTxtToDBTable(CSQliteSQL* sql, CTextFileReader& reader)
{
    for (;;) {
        const uchar* record = nullptr;
        int fieldCount = 0;
        const int r = reader.ReadRecord(record, fieldCount);
        if (r == -2)
            break;
        if (r != 1) {
            m_nErrorLine = reader.GetLineNumber();
            return Fail(reader.GetErrMsgId(), sql);
        }
        if (fieldCount != m_nHeaderFieldCount) {
            // A short or long row would put values under the wrong columns.
            m_nErrorLine = reader.GetLineNumber();
            m_nErrorFieldCount = fieldCount;
            return Fail(QStringLiteral("CRDS_PR_ERROR_FIELDCOUNT"), sql);
        }
        if (!ProcLine(record, fieldCount, sql)) {
            m_nErrorLine = reader.GetLineNumber();
            return Fail(m_strErrMsgId, sql);
        }
    }
    m_nStatus = sql->ExecCommit();
    if (m_nStatus != 0)
        return Fail(QStringLiteral("CRDS_PR_ERROR_WRITEDATA"), sql);
    return true;
}

int CTextFileImporter::ExistCodeBinarySearch(const QStringList& codes, const QString& code)
{
    const auto it = std::lower_bound(codes.begin(), codes.end(), code);
    return it != codes.end() && *it == code ? int(it - codes.begin()) : -1;
}

int CTextFileImporter::ExistCodeBinarySearch(const QString& code) const
{
    return ExistCodeBinarySearch(m_arrExistCode, code);
}

void CTextFileImporter::GetErrorMessage(QString& out) const
{
    CTextFileError error;
    error.m_strKey = m_strErrMsgId;
    error.m_nStatus = m_nStatus;
    error.m_strField = m_szErrorField;
    error.m_nLine = m_nErrorLine;
    error.m_nFieldCount = m_nErrorFieldCount;
    error.m_nExpected = m_nHeaderFieldCount;
    error.m_strKeyValue = m_strErrorValue;
    out = error.Message();
}
