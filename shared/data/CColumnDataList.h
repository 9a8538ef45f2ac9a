#pragma once

// The access object of one settings table: the table name and the program's
// nullptr-ended array of column descriptors. It reads the column facts, reads
// every row into the mode's record cache and writes rows, always through the
// descriptors. A list without table name holds settings kept as single rows
// of key/value tables (own-table columns) and has exactly one record.
//
// Programs derive list classes from this one, so the order of the virtual
// operations is part of the library's interface: add new ones at the end.
//
// Rows: the cache holds rows this list owns, and every row the list handed
// out stays valid until FreeRecords (a caller may hold one across an insert
// or delete, which empty the cache and read again). A read puts each record
// back into the row that held its key before, so re-reading allocates no
// rows: memory grows only with keys never seen, and FreeRecords takes the
// list's rows out of the cache before freeing them.

#include "shared/data/CStringArrayPtrArray.h"

#include "stroven/Stroven.h"

#include <QList>
#include <QMultiHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class CColumnData;

class CColumnDataList
{
public:
    CColumnDataList();
    CColumnDataList(const QString& table, CColumnData** columns);
    // Shallow copies: descriptors, connection and cache are shared. Copy a
    // list only before it has read (programs build their static lists so).
    CColumnDataList(const CColumnDataList& other);
    CColumnDataList& operator=(const CColumnDataList& other);

    // Virtual operations, in their fixed order.
    virtual ~CColumnDataList();
    virtual bool ReadTableInfo(int& err);
    virtual bool ReadRecords(int& err, QString order);
    virtual void FreeRecords();
    virtual bool InsertRecord(QStringList& row, int& err);
    virtual bool SaveRecord(int recordNo, QStringList& row, int& err);
    virtual bool DeleteRecord(QStringList& row, int& err);
    virtual bool CheckRecord(QStringList& row);
    virtual bool IsExistKey(QString key, int& err);
    virtual void SetReadColumnsData(QStringList& columns);

    void SetSQliteDB(CSQliteDB* db, CStringArrayPtrArray* records);
    CSQliteDB* GetCSQliteDBPtr() const { return m_pSQliteDB; }

    // Saves only the columns whose label keys are listed (values parallel to
    // labelKeys; the key column's value at m_nKeyIndex), in one transaction.
    bool SaveRecordOfPartItem(int recordNo, const QStringList& labelKeys, const QStringList& values,
                              int& err);
    // Saves the listed columns (column indexes) of a whole row, in one
    // transaction; the key column's value is the row's.
    bool SaveRecordOfColumns(int recordNo, const QList<int>& columnIndexes, const QStringList& row,
                             int& err);
    // Inserts a record as InsertRecord does, but appends it to the cache as
    // stored instead of reading the table again: a run that adds many records
    // stays linear. The cache is then no longer in key order.
    bool InsertRecordKeepCache(const QStringList& row, int& err);
    // Appends a record as stored (read back by a caller that wrote it) to the
    // cache; the list keeps it alive like the rows it reads.
    void AppendStoredRecord(QStringList row);
    // Sets one column of one record.
    bool UpdateOneColumnData(int column, int recordNo, QString value, int& err);
    // Sets one column to one value in many records, all or none: on a refused
    // value or a failed write nothing is changed, failedIndex is that
    // record's number - 1 and errMsg the descriptor's message.
    bool UpdateOneColumnDatas(int column, const QList<uint>& recordNos, QString value, int& err,
                              int& failedIndex, QString& errMsg);
    // keyName := the key column's name, keyValue := row's key value.
    bool GetKeyNameAndValue(const QStringList& row, QString& keyName, QString& keyValue) const;

    CColumnData* KeyColumn() const;
    // The cached record of a 1-based record number; nullptr when none.
    CRecord* CachedRecord(int recordNo) const;
    // Rows this list keeps alive until FreeRecords.
    qsizetype OwnedRowCount() const { return qsizetype(m_ownRows.size()); }

    QString m_strTableName;                 // "" = a list of own-table columns
    CColumnData** m_ppColumnData = nullptr; // the program's array, not copied
    int m_nColumnCount = 0;
    int m_nKeyIndex = 0; // also the default sort order
    CSQliteSQL* m_pReader = nullptr;
    CSQliteDB* m_pSQliteDB = nullptr;
    CStringArrayPtrArray* m_pRecords = nullptr; // the data manager's cache

protected:
    // Reads the rows of where (its '?' bound to params, in order) into the
    // cache, in order; keep, when given, decides which rows stay. A failed
    // read leaves the cache as it was.
    bool ReadRecordsWhere(const QString& where, const QStringList& params, const QString& order,
                          int& err, const std::function<bool(const QStringList&)>& keep = {});
    // The list's rows that are not in the cache, by the key they held.
    using ParkedRows = QMultiHash<QString, CRecord*>;
    ParkedRows TakeParkedRows() const;
    // Appends a record to the cache in a parked row of its key, or in a new
    // row the list keeps.
    void AppendRecord(QStringList&& values, ParkedRows& parked);
    // Drops the pointers; the rows stay alive for their holders.
    void EmptyCache();

private:
    bool InsertRow(const QStringList& row, int& err);
    QString RowKey(const QString& keyValue) const;
    bool ReadOwnTableRecord(int& err);
    bool SaveOwnTableRecord(const QStringList& row, int& err);
    bool ReportTableInfoFailure(CSQliteSQL* statement);

    std::vector<std::unique_ptr<CRecord>> m_ownRows;
};
