#include "shared/data/CColumnDataList.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CSqLiteTransaction.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/lang/CommonMessage.h"

#include <QSet>

namespace {

// Rows per batch of a table read: big enough to cost nothing in calls, small
// enough that a re-read adds little to the rows the cache already holds.
constexpr quint32 kReadBatchRows = 4096;

const QString kCreateDateTime = QStringLiteral("CREATEDATETIME");
const QString kUpdateDateTime = QStringLiteral("UPDATEDATETIME");

// The statement of an own table, made afresh when the table changes, so that
// consecutive descriptors of one table share one statement.
class OwnTableStatement
{
public:
    explicit OwnTableStatement(CSQliteDB& db) : m_db(db) {}
    CSQliteSQL& For(const QString& table)
    {
        if (!m_sql || table != m_table) {
            m_sql = std::make_unique<CSQliteSQL>(m_db, table);
            m_table = table;
        }
        return *m_sql;
    }

private:
    CSQliteDB& m_db;
    std::unique_ptr<CSQliteSQL> m_sql;
    QString m_table;
};

// Puts back the old values of a bulk update, last written first, so that a
// record given twice ends with the value it had before the first write.
void RestoreColumn(const QList<QPair<CRecord*, QString>>& written, int column)
{
    for (auto it = written.crbegin(); it != written.crend(); ++it)
        it->first->replace(column, it->second);
}

} // namespace

CColumnDataList::CColumnDataList() = default;

CColumnDataList::CColumnDataList(const QString& table, CColumnData** columns)
    : m_strTableName(table), m_ppColumnData(columns)
{
    while (m_ppColumnData && m_ppColumnData[m_nColumnCount])
        ++m_nColumnCount;
}

CColumnDataList::CColumnDataList(const CColumnDataList& other)
{
    *this = other;
}

CColumnDataList& CColumnDataList::operator=(const CColumnDataList& other)
{
    if (this == &other)
        return *this;
    m_strTableName = other.m_strTableName;
    m_ppColumnData = other.m_ppColumnData;
    m_nColumnCount = other.m_nColumnCount;
    m_nKeyIndex = other.m_nKeyIndex;
    m_pReader = other.m_pReader;
    m_pSQliteDB = other.m_pSQliteDB;
    m_pRecords = other.m_pRecords;
    return *this;
}

CColumnDataList::~CColumnDataList()
{
    delete m_pReader;
}

CColumnData* CColumnDataList::KeyColumn() const
{
    if (!m_ppColumnData || m_nKeyIndex < 0 || m_nKeyIndex >= m_nColumnCount)
        return nullptr;
    return m_ppColumnData[m_nKeyIndex];
}

CRecord* CColumnDataList::CachedRecord(int recordNo) const
{
    if (!m_pRecords || recordNo < 1 || recordNo > m_pRecords->GetSize())
        return nullptr;
    return m_pRecords->GetAt(recordNo - 1);
}

void CColumnDataList::SetSQliteDB(CSQliteDB* db, CStringArrayPtrArray* records)
{
    m_pSQliteDB = db;
    m_pRecords = records;
    for (int i = 0; i < m_nColumnCount; ++i)
        if (m_ppColumnData[i])
            m_ppColumnData[i]->SetSQliteDB(db);
}

QString CColumnDataList::RowKey(const QString& keyValue) const
{
    // An own-table list has one record and no key column.
    return m_strTableName.isEmpty() ? QString() : keyValue;
}

CColumnDataList::ParkedRows CColumnDataList::TakeParkedRows() const
{
    QSet<const CRecord*> cached;
    if (m_pRecords)
        for (const CRecord* row : *m_pRecords)
            cached.insert(row);
    ParkedRows parked;
    for (const auto& row : m_ownRows)
        if (!cached.contains(row.get()))
            parked.insert(RowKey(row->value(m_nKeyIndex)), row.get());
    return parked;
}

void CColumnDataList::AppendRecord(QStringList&& values, ParkedRows& parked)
{
    const auto it =
        parked.isEmpty() ? parked.end() : parked.find(RowKey(values.value(m_nKeyIndex)));
    if (it != parked.end()) {
        CRecord* row = it.value();
        parked.erase(it);
        *row = CRecord(values);
        m_pRecords->Add(row);
        return;
    }
    m_ownRows.push_back(std::make_unique<CRecord>(values));
    m_pRecords->Add(m_ownRows.back().get());
}

void CColumnDataList::EmptyCache()
{
    if (m_pRecords)
        m_pRecords->RemoveAll();
}

bool CColumnDataList::ReportTableInfoFailure(CSQliteSQL* statement)
{
    delete statement;
    ShowCommonMessage(nullptr, QStringLiteral("CRDS_CMN_ERR_READTABLEINFO_FAILED"),
                      platform::MessageIcon::Warning);
    return false;
}

bool CColumnDataList::ReadTableInfo(int& err)
{
    err = 0;
    if (!m_pSQliteDB)
        return false;
    CSQliteSQL* statement = nullptr;
    CSQTableInfoArray* info = nullptr;
    QString current;
    for (int i = 0; i < m_nColumnCount; ++i) {
        CColumnData* column = m_ppColumnData[i];
        const QString table = m_strTableName.isEmpty() ? column->m_strOwnTable : m_strTableName;
        if (!statement || table != current) {
            delete statement;
            statement = new CSQliteSQL(*m_pSQliteDB, table);
            current = table;
            info = statement->GetTableInfo(err);
            if (err != 0)
                return ReportTableInfoFailure(statement);
        }
        if (column->SetFieldInfo(info) != COLUMNINFO_OK)
            return ReportTableInfoFailure(statement);
    }
    delete statement;
    return true;
}

void CColumnDataList::SetReadColumnsData(QStringList& columns)
{
    for (int i = 0; i < m_nColumnCount; ++i)
        columns << m_ppColumnData[i]->m_strColumnName;
}

bool CColumnDataList::ReadRecords(int& err, QString order)
{
    err = 0;
    if (m_nColumnCount == 0)
        return true;
    if (!m_pSQliteDB || !m_pRecords)
        return false;
    if (m_strTableName.isEmpty())
        return ReadOwnTableRecord(err);

    const QString sort =
        order.isEmpty() ? CSqLiteUtility::QuoteSQLName(KeyColumn()->m_strColumnName) : order;
    return ReadRecordsWhere(QString(), {}, sort, err);
}

bool CColumnDataList::ReadRecordsWhere(const QString& where, const QStringList& params,
                                       const QString& order, int& err,
                                       const std::function<bool(const QStringList&)>& keep)
{
    // A fresh statement per read; its rows are taken over batch by batch and
    // released, so a re-read holds the cached rows and one batch at most.
    delete m_pReader;
    m_pReader = new CSQliteSQL(*m_pSQliteDB, m_strTableName);
    CSqLiteUtility::RunBulkPragmas(*m_pReader);
    QStringList columns;
    SetReadColumnsData(columns);
    ParkedRows parked = TakeParkedRows();
    const qsizetype first = m_pRecords->GetSize();
    const bool read = CSqLiteUtility::ReadBatches(*m_pReader, columns, where, params, order,
                                                  kReadBatchRows, err, [&](CSQRowArray& rows) {
                                                      for (QStringList* row : rows)
                                                          if (!keep || keep(*row))
                                                              AppendRecord(std::move(*row), parked);
                                                      return true;
                                                  });
    delete m_pReader;
    m_pReader = nullptr;
    if (!read) // the cache as it was; the rows stay with the list
        m_pRecords->RemoveAt(first, m_pRecords->GetSize() - first);
    return read;
}

bool CColumnDataList::ReadOwnTableRecord(int& err)
{
    QStringList record;
    record.reserve(m_nColumnCount);
    OwnTableStatement statements(*m_pSQliteDB);
    for (int i = 0; i < m_nColumnCount; ++i) {
        CColumnData* column = m_ppColumnData[i];
        CSQliteSQL& sql = statements.For(column->m_strOwnTable);
        CSQRowArray* rows = CSqLiteUtility::ReadRows(
            sql, {column->m_strColumnName, kCreateDateTime},
            CSqLiteUtility::QuoteSQLName(column->m_strOwnKeyColumn) + QStringLiteral(" = ?"),
            {column->m_strOwnKeyValue}, QString(), 0, err);
        if (!rows)
            return false;
        const QStringList* row = rows->isEmpty() ? nullptr : rows->first();
        record << (row ? row->value(0) : QString());
        column->m_strOwnCreateTime = row ? row->value(1) : QString();
    }
    err = 0;
    ParkedRows parked = TakeParkedRows();
    AppendRecord(std::move(record), parked);
    return true;
}

void CColumnDataList::FreeRecords()
{
    for (int i = 0; i < m_nColumnCount; ++i) {
        if (!m_ppColumnData[i])
            continue;
        m_ppColumnData[i]->FreeResorce();
        delete m_ppColumnData[i];
        m_ppColumnData[i] = nullptr;
    }
    delete m_pReader;
    m_pReader = nullptr;
    // Take our rows out of the cache before freeing them: nothing may point
    // at a freed row.
    if (m_pRecords) {
        QSet<const CRecord*> own;
        for (const auto& row : m_ownRows)
            own.insert(row.get());
        for (qsizetype i = m_pRecords->GetSize() - 1; i >= 0; --i)
            if (own.contains(m_pRecords->GetAt(i)))
                m_pRecords->RemoveAt(i);
    }
    m_ownRows.clear();
}

bool CColumnDataList::GetKeyNameAndValue(const QStringList& row, QString& keyName,
                                         QString& keyValue) const
{
    CColumnData* key = KeyColumn();
    keyName = key ? key->m_strColumnName : QString();
    keyValue = row.value(m_nKeyIndex);
    return !keyName.isEmpty();
}

bool CColumnDataList::InsertRow(const QStringList& row, int& err)
{
    err = 0;
    if (m_strTableName.isEmpty() || !m_pSQliteDB || !KeyColumn())
        return false;
    const QString now = GetTimestampOfNow();
    QStringList columns;
    QStringList values;
    for (int i = 0; i < m_nColumnCount; ++i) {
        if (i == m_nKeyIndex)
            continue;
        CColumnData* column = m_ppColumnData[i];
        if (column->HasDefaultValue()) {
            columns << column->m_strColumnName;
            values << column->GetDefaultValue();
        } else if (column->m_strColumnName == kCreateDateTime ||
                   column->m_strColumnName == kUpdateDateTime) {
            columns << column->m_strColumnName;
            values << now;
        }
    }
    CSQliteSQL sql(*m_pSQliteDB, m_strTableName);
    err = sql.SetSQLForWrite({KeyColumn()->m_strColumnName}, columns, {});
    if (err == 0)
        err = sql.ExecWrite({row.value(m_nKeyIndex)}, values, {}, SQLWRITE_INSERT);
    return err == 0;
}

bool CColumnDataList::InsertRecord(QStringList& row, int& err)
{
    if (!InsertRow(row, err))
        return false;
    EmptyCache();
    return ReadRecords(err, QString());
}

bool CColumnDataList::InsertRecordKeepCache(const QStringList& row, int& err)
{
    if (!m_pRecords || !InsertRow(row, err))
        return false;
    CSQliteSQL sql(*m_pSQliteDB, m_strTableName);
    QStringList columns;
    SetReadColumnsData(columns);
    CSQRowArray* rows = CSqLiteUtility::ReadRows(
        sql, columns,
        CSqLiteUtility::QuoteSQLName(KeyColumn()->m_strColumnName) + QStringLiteral(" = ?"),
        {row.value(m_nKeyIndex)}, QString(), 1, err);
    if (!rows || rows->isEmpty()) {
        if (err == 0)
            err = SQLERR_ARGUMENTS;
        return false;
    }
    AppendStoredRecord(std::move(*rows->first()));
    return true;
}

void CColumnDataList::AppendStoredRecord(QStringList row)
{
    if (!m_pRecords)
        return;
    // A key never read before: no parked row can hold it.
    m_ownRows.push_back(std::make_unique<CRecord>(row));
    m_pRecords->Add(m_ownRows.back().get());
}

bool CColumnDataList::SaveRecord(int recordNo, QStringList& row, int& err)
{
    err = 0;
    if (!m_pSQliteDB)
        return false;
    if (m_strTableName.isEmpty()) {
        if (!SaveOwnTableRecord(row, err))
            return false;
    } else {
        if (!KeyColumn())
            return false;
        QStringList columns;
        QStringList values;
        for (int i = 0; i < m_nColumnCount; ++i) {
            if (i == m_nKeyIndex || m_ppColumnData[i]->m_bNotSave)
                continue;
            columns << m_ppColumnData[i]->m_strColumnName;
            values << row.value(i);
        }
        CSQliteSQL sql(*m_pSQliteDB, m_strTableName);
        err = sql.SetSQLForWrite({KeyColumn()->m_strColumnName}, columns, {});
        if (err == 0)
            err = sql.ExecWrite({row.value(m_nKeyIndex)}, values, {}, SQLWRITE_UPDATE);
        if (err != 0)
            return false;
        for (int i = 0; i < m_nColumnCount; ++i)
            m_ppColumnData[i]->SaveItemEX(0);
    }
    if (CRecord* cached = CachedRecord(recordNo))
        *cached = CRecord(row);
    return true;
}

bool CColumnDataList::SaveOwnTableRecord(const QStringList& row, int& err)
{
    const QString now = GetTimestampOfNow();
    OwnTableStatement statements(*m_pSQliteDB);
    CSQliteSQL transactionSql(*m_pSQliteDB, CBasePath::GetStrDummyName());
    CSqLiteTransaction transaction(*m_pSQliteDB, transactionSql);
    if ((err = transaction.StartStatus()) != 0)
        return false;
    // Creation times given out by this save, taken back when it fails.
    QList<CColumnData*> created;
    auto fail = [&](int status) {
        err = status;
        transaction.Rollback();
        for (CColumnData* column : created)
            column->m_strOwnCreateTime.clear();
        return false;
    };
    for (int i = 0; i < m_nColumnCount; ++i) {
        CColumnData* column = m_ppColumnData[i];
        if (!column->m_bOwnTable)
            continue;
        CSQliteSQL& sql = statements.For(column->m_strOwnTable);
        int status =
            sql.SetSQLForWrite({column->m_strOwnKeyColumn},
                               {column->m_strColumnName, kCreateDateTime, kUpdateDateTime}, {});
        if (status != 0)
            return fail(status);
        const bool exists = !column->m_strOwnCreateTime.isEmpty();
        if (!exists) {
            column->m_strOwnCreateTime = now;
            created << column;
        }
        status = sql.ExecWrite({column->m_strOwnKeyValue},
                               {row.value(i), column->m_strOwnCreateTime, now}, {},
                               exists ? SQLWRITE_UPDATE : SQLWRITE_INSERT);
        if (status != 0)
            return fail(status);
    }
    err = transaction.Commit();
    if (err != 0)
        return fail(err);
    return true;
}

bool CColumnDataList::SaveRecordOfPartItem(int recordNo, const QStringList& labelKeys,
                                           const QStringList& values, int& err)
{
    // Each column takes the value at the place of its label key (the key
    // column's at m_nKeyIndex).
    QList<int> columns;
    QStringList row;
    for (int i = 0; i < m_nColumnCount; ++i) {
        const qsizetype at = labelKeys.indexOf(m_ppColumnData[i]->m_strLabelKey);
        if (i != m_nKeyIndex && at >= 0)
            columns << i;
        row << values.value(i == m_nKeyIndex ? m_nKeyIndex : at);
    }
    return SaveRecordOfColumns(recordNo, columns, row, err);
}

bool CColumnDataList::SaveRecordOfColumns(int recordNo, const QList<int>& columnIndexes,
                                          const QStringList& row, int& err)
{
    err = 0;
    if (m_strTableName.isEmpty() || !m_pSQliteDB || !KeyColumn())
        return false;
    // Written columns in descriptor order.
    QList<int> positions{m_nKeyIndex};
    QStringList columns;
    QStringList written;
    for (int i = 0; i < m_nColumnCount; ++i) {
        const CColumnData* column = m_ppColumnData[i];
        if (i == m_nKeyIndex || !columnIndexes.contains(i) || column->m_bNotSave)
            continue;
        positions << i;
        columns << column->m_strColumnName;
        written << row.value(i);
    }
    CSQliteSQL sql(*m_pSQliteDB, m_strTableName);
    CSqLiteUtility::RunBulkPragmas(sql);
    CSqLiteTransaction transaction(*m_pSQliteDB, sql);
    if ((err = transaction.StartStatus()) != 0)
        return false;
    const QString keyValue = row.value(m_nKeyIndex);
    err = sql.SetSQLForWrite({KeyColumn()->m_strColumnName}, columns, {});
    if (err == 0)
        err = sql.ExecWrite({keyValue}, written, {}, SQLWRITE_UPDATE);
    if (err == 0)
        err = transaction.Commit();
    if (err != 0) {
        transaction.Rollback();
        return false;
    }
    for (int i = 0; i < m_nColumnCount; ++i)
        m_ppColumnData[i]->SaveItemEX(0);
    if (CRecord* cached = CachedRecord(recordNo)) {
        written.prepend(keyValue);
        QStringList values = cached->toList();
        for (qsizetype i = 0; i < positions.size(); ++i)
            if (positions[i] < values.size())
                values[positions[i]] = written[i];
        *cached = CRecord(values);
    }
    return true;
}

bool CColumnDataList::DeleteRecord(QStringList& row, int& err)
{
    err = 0;
    if (m_strTableName.isEmpty() || !m_pSQliteDB || !KeyColumn())
        return false;
    CSQliteSQL sql(*m_pSQliteDB, m_strTableName);
    err = sql.SetSQLForWrite({KeyColumn()->m_strColumnName}, {}, {});
    if (err == 0)
        err = sql.ExecWrite({row.value(m_nKeyIndex)}, {}, {}, SQLWRITE_DELETE);
    if (err != 0)
        return false;
    for (int i = 0; i < m_nColumnCount; ++i)
        m_ppColumnData[i]->SaveItemEX(1);
    EmptyCache();
    return ReadRecords(err, QString());
}

bool CColumnDataList::CheckRecord(QStringList&)
{
    return true;
}

bool CColumnDataList::IsExistKey(QString key, int& err)
{
    err = 0;
    if (m_strTableName.isEmpty() || !m_pSQliteDB || !KeyColumn())
        return false;
    const QString name = KeyColumn()->m_strColumnName;
    CSQliteSQL sql(*m_pSQliteDB, m_strTableName);
    CSQRowArray* rows = CSqLiteUtility::ReadRows(
        sql, {name}, CSqLiteUtility::QuoteSQLName(name) + QStringLiteral(" = ?"), {key}, QString(),
        1, err);
    return rows && !rows->isEmpty();
}

bool CColumnDataList::UpdateOneColumnData(int column, int recordNo, QString value, int& err)
{
    err = 0;
    CRecord* record = CachedRecord(recordNo);
    if (m_strTableName.isEmpty() || !m_pSQliteDB || !KeyColumn() || !record || column < 0 ||
        column >= m_nColumnCount)
        return false;
    CSQliteSQL sql(*m_pSQliteDB, m_strTableName);
    err = sql.SetSQLForWrite({KeyColumn()->m_strColumnName},
                             {m_ppColumnData[column]->m_strColumnName}, {});
    if (err == 0)
        err = sql.ExecWrite({record->value(m_nKeyIndex)}, {value}, {}, SQLWRITE_UPDATE);
    if (err != 0)
        return false; // the cache keeps what the table holds
    record->replace(column, value);
    return true;
}

bool CColumnDataList::UpdateOneColumnDatas(int column, const QList<uint>& recordNos, QString value,
                                           int& err, int& failedIndex, QString& errMsg)
{
    err = 0;
    failedIndex = 0;
    errMsg.clear();
    if (m_strTableName.isEmpty() || !m_pSQliteDB || !KeyColumn() || column < 0 ||
        column >= m_nColumnCount)
        return false;
    CColumnData* descriptor = m_ppColumnData[column];
    const QString keyName = KeyColumn()->m_strColumnName;
    CSQliteSQL sql(*m_pSQliteDB, m_strTableName);
    CSqLiteUtility::RunBulkPragmas(sql);
    err = sql.SetSQLForWrite({keyName}, {descriptor->m_strColumnName}, {});
    if (err != 0)
        return false;
    CSqLiteTransaction transaction(*m_pSQliteDB, sql);
    if ((err = transaction.StartStatus()) != 0)
        return false;

    // Old values of the records written so far, put back when the update is
    // rolled back, so that the cache shows what the table holds.
    QList<QPair<CRecord*, QString>> written;
    auto fail = [&](uint recordNo, int status) {
        failedIndex = int(recordNo) - 1;
        const int rollback = transaction.Rollback();
        err = status != 0 ? status : rollback;
        RestoreColumn(written, column);
        return false;
    };
    for (uint recordNo : recordNos) {
        CRecord* record = CachedRecord(int(recordNo));
        if (!record || column >= record->size())
            return fail(recordNo, SQLERR_ARGUMENTS);
        const QString keyValue = record->value(m_nKeyIndex);
        if (!descriptor->CheckItemValue(keyName, keyValue, value)) {
            errMsg = descriptor->m_strErrMsg;
            return fail(recordNo, 0);
        }
        const int status = sql.ExecWrite({keyValue}, {value}, {}, SQLWRITE_UPDATE);
        if (status != 0)
            return fail(recordNo, status);
        written.append({record, record->at(column)});
        record->replace(column, value);
    }
    const int status = transaction.Commit();
    if (status != 0) {
        transaction.Rollback();
        RestoreColumn(written, column);
        err = status;
        return false;
    }
    return true;
}
