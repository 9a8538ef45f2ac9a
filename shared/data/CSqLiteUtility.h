#pragma once

// One-statement database operations every program calls: free and highest
// codes, existence tests, query results as row lists, one-row writes.
// Every operation makes its own statement on the given connection and
// deletes it; none keeps state. err carries the last database status
// (0 = success) and is set to 0 first.

#include "shared/data/CStringArrayPtrList.h"

#include "stroven/Stroven.h"

#include <QString>
#include <QStringList>

#include <functional>

class CSqLiteUtility
{
public:
    CSqLiteUtility() = default;
    virtual ~CSqLiteUtility() = default;

    // Highest value of column (read as a number) + 1, zero-padded to width
    // unless noPad; "" when it needs more than width digits or on failure.
    static QString FindBigestRecord(CSQliteDB& db, const QString& table, const QString& column,
                                    int width, int noPad, const QString& where, int& err);
    // Lowest code from 1 up to width nines that no row holds.
    static QString FindUniqueRecord(CSQliteDB& db, const QString& table, const QString& column,
                                    int width, int noPad, int& err);
    // Lowest code in from..to (both included) that no row holds; "" when
    // every code is used or the codes outgrow width.
    static QString FindUniqueRecordRange(CSQliteDB& db, const QString& table, const QString& column,
                                         int width, int noPad, qint64 from, qint64 to, int& err);

    static bool IsExistDataOfTable(CSQliteDB& db, const QString& table, int& err);
    static bool IsExistDataValue(CSQliteDB& db, const QString& table, const QString& column,
                                 const QString& value, int& err);
    static bool IsExistDataValue2(CSQliteDB& db, const QString& table, const QString& column1,
                                  const QString& value1, const QString& column2,
                                  const QString& value2, int& err);
    static bool IsExistDataValue4(CSQliteDB& db, const QString& table, const QString& column1,
                                  const QString& value1, const QString& column2,
                                  const QString& value2, const QString& column3,
                                  const QString& value3, const QString& column4,
                                  const QString& value4, int& err);

    // Appends a new copy of every row read (the first columns.size() values);
    // the number of rows, -1 on failure. Free with FreeStringArrayListPtr.
    static int AllocStringArrayListPtr(CSQliteDB& db, const QString& table,
                                       const QStringList& columns, const QString& where,
                                       const QString& order, CStringArrayPtrList& out, int& err);
    static void FreeStringArrayListPtr(CStringArrayPtrList& list);
    // Appends the first row's values: 1 found, 0 none, -1 failure.
    static int GetStringArray(CSQliteDB& db, const QString& table, const QStringList& columns,
                              const QString& where, const QString& order, QStringList& out,
                              int& err);

    // A code as text: "%I64d", left-padded with "0" to width unless noPad.
    static QString FormatCode(qint64 code, int width, int noPad);

    // The text with every ' doubled, for a value between single quotes.
    static QString EscapeSQLValue(const QString& value);
    // A table or column name as an SQL identifier ("A"."B" for A.B).
    static QString QuoteSQLName(const QString& name);

    // Bulk reads, deletes and writes ask for a large cache first; the system
    // sends these three as they stand (two are no-ops in today's SQLite).
    // Results are ignored. The difference save asks for a smaller cache.
    static void RunBulkPragmas(CSQliteSQL& sql, int cacheSize = 100000);

    static bool DeleteRecord(CSQliteDB& db, const QString& table, const QStringList& keyColumns,
                             const QStringList& keyValues, int& err);
    static bool InsertOneRecord(CSQliteDB& db, const QString& table, const QStringList& keyColumns,
                                const QStringList& valueColumns, const QStringList& keyValues,
                                const QStringList& values, int& err);
    static bool UpdateOneRecord(CSQliteDB& db, const QString& table, const QStringList& keyColumns,
                                const QStringList& valueColumns, const QStringList& keyValues,
                                const QStringList& values, int& err);

    // One read on a statement, with params bound to the '?' of where; the
    // first batch (all rows when maxRows is 0), nullptr with err on failure.
    static CSQRowArray* ReadRows(CSQliteSQL& sql, const QStringList& columns, const QString& where,
                                 const QStringList& params, const QString& order, quint32 maxRows,
                                 int& err);

    // The same read in batches of maxRows rows: each batch goes to each and is
    // released before the next, so a read of any size holds one batch. False
    // when the read fails (err set) or each returns false (err 0).
    static bool ReadBatches(CSQliteSQL& sql, const QStringList& columns, const QString& where,
                            const QStringList& params, const QString& order, quint32 maxRows,
                            int& err, const std::function<bool(CSQRowArray&)>& each);

private:
    static int PrepareRead(CSQliteSQL& sql, const QStringList& columns, const QString& where,
                           const QStringList& params, const QString& order, quint32 maxRows);
    static bool ExistsWhere(CSQliteDB& db, const QString& table, const QStringList& columns,
                            const QStringList& values, int& err);
    static bool WriteOneRecord(CSQliteDB& db, const QString& table, const QStringList& keyColumns,
                               const QStringList& valueColumns, const QStringList& keyValues,
                               const QStringList& values, int mode, int& err);
};
