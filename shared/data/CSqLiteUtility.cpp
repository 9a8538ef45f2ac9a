#include "shared/data/CSqLiteUtility.h"

#include <limits>
#include <memory>

namespace {

bool readSucceeded(const CSQRowArray* rows, int status)
{
    return rows && (status == 0 || status == SQLREAD_END);
}

// Highest code of width digits; wider than any 64-bit number counts as all.
qint64 widthMaximum(int width)
{
    if (width <= 0)
        return 0;
    if (width > 18)
        return std::numeric_limits<qint64>::max();
    qint64 n = 1;
    for (int i = 0; i < width; ++i)
        n *= 10;
    return n - 1;
}

} // namespace

QString CSqLiteUtility::FormatCode(qint64 code, int width, int noPad)
{
    QString text = QString::number(code);
    if (!noPad && text.size() < width)
        text.prepend(QString(width - text.size(), QLatin1Char('0')));
    return text;
}

QString CSqLiteUtility::EscapeSQLValue(const QString& value)
{
    QString escaped = value;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return escaped;
}

QString CSqLiteUtility::QuoteSQLName(const QString& name)
{
    if (name.startsWith(QLatin1Char('"')))
        return name; // quoted already
    QStringList parts = name.split(QLatin1Char('.'));
    for (QString& part : parts)
        part = QLatin1Char('"') + QString(part).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
               QLatin1Char('"');
    return parts.join(QLatin1Char('.'));
}

void CSqLiteUtility::RunBulkPragmas(CSQliteSQL& sql, int cacheSize)
{
    sql.ExecSQL(QStringLiteral("PRAGMA cache_size = %1;").arg(cacheSize));
    sql.ExecSQL(QStringLiteral("PRAGMA default_synchronous = OFF;"));
    sql.ExecSQL(QStringLiteral("PRAGMA default_temp_store = MEMORY;"));
}

int CSqLiteUtility::PrepareRead(CSQliteSQL& sql, const QStringList& columns, const QString& where,
                                const QStringList& params, const QString& order, quint32 maxRows)
{
    int err = sql.SetSQLForRead(columns, where, order, maxRows);
    if (err == 0 && !params.isEmpty())
        err = sql.SetParamsForRead(params);
    return err;
}

CSQRowArray* CSqLiteUtility::ReadRows(CSQliteSQL& sql, const QStringList& columns,
                                      const QString& where, const QStringList& params,
                                      const QString& order, quint32 maxRows, int& err)
{
    err = PrepareRead(sql, columns, where, params, order, maxRows);
    if (err != 0)
        return nullptr;
    int status = 0;
    CSQRowArray* rows = sql.ExecReadNext(status);
    err = status == SQLREAD_END ? 0 : status;
    if (!readSucceeded(rows, status)) {
        if (err == 0)
            err = SQLERR_NOT_PREPARED;
        return nullptr;
    }
    return rows;
}

bool CSqLiteUtility::ReadBatches(CSQliteSQL& sql, const QStringList& columns, const QString& where,
                                 const QStringList& params, const QString& order, quint32 maxRows,
                                 int& err, const std::function<bool(CSQRowArray&)>& each)
{
    err = PrepareRead(sql, columns, where, params, order, maxRows);
    if (err != 0)
        return false;
    for (;;) {
        int status = 0;
        CSQRowArray* rows = sql.ExecReadNext(status);
        if (!readSucceeded(rows, status)) {
            err = status != 0 && status != SQLREAD_END ? status : SQLERR_NOT_PREPARED;
            return false;
        }
        const bool go = each(*rows);
        sql.ReleaseReadRows();
        if (!go)
            return false;
        if (status == SQLREAD_END)
            return true;
    }
}

QString CSqLiteUtility::FindBigestRecord(CSQliteDB& db, const QString& table, const QString& column,
                                         int width, int noPad, const QString& where, int& err)
{
    err = 0;
    // Read as numbers: a text maximum would put '' or "9" above "10" and
    // propose a code that is taken.
    const QString expression =
        QStringLiteral("IFNULL(MAX(CAST(%1 AS INTEGER)), 0)").arg(QuoteSQLName(column));
    CSQliteSQL sql(db, table);
    CSQRowArray* rows = ReadRows(sql, {expression}, where, {}, QString(), 0, err);
    if (!rows)
        return QString();
    qint64 highest = 0;
    if (!rows->isEmpty() && !rows->first()->isEmpty())
        highest = rows->first()->first().toLongLong();
    if (highest == std::numeric_limits<qint64>::max())
        return QString();
    const QString text = FormatCode(highest + 1, width, noPad);
    return text.size() > width ? QString() : text;
}

QString CSqLiteUtility::FindUniqueRecord(CSQliteDB& db, const QString& table, const QString& column,
                                         int width, int noPad, int& err)
{
    return FindUniqueRecordRange(db, table, column, width, noPad, 1, widthMaximum(width), err);
}

QString CSqLiteUtility::FindUniqueRecordRange(CSQliteDB& db, const QString& table,
                                              const QString& column, int width, int noPad,
                                              qint64 from, qint64 to, int& err)
{
    err = 0;
    // Codes grow longer as they rise (only negative codes shrink), so the
    // first code wider than width ends the search.
    if (FormatCode(from, width, noPad).size() > width)
        return QString();
    const qint64 last = std::min(to, std::max<qint64>(widthMaximum(width), -1));
    if (from > last)
        return QString();

    // One query walks the candidates in order and stops at the first one no
    // row holds (the candidates' name must differ from every table's). Each
    // candidate is compared exactly as a quoted literal would be, padded as
    // FormatCode pads it.
    const QString text = QStringLiteral("CAST(n AS TEXT)");
    const QString candidate = noPad
                                  ? text
                                  : QStringLiteral("substr('%1', 1, max(0, %2 - length(%3))) || %3")
                                        .arg(QString(std::max(width, 0), QLatin1Char('0')))
                                        .arg(width)
                                        .arg(text);
    const QString free =
        QStringLiteral("(WITH RECURSIVE sarvik_candidate(n) AS (SELECT %1 UNION ALL SELECT n + 1 "
                       "FROM sarvik_candidate WHERE n < %2) SELECT %3 AS code FROM "
                       "sarvik_candidate WHERE NOT EXISTS (SELECT 1 FROM %4 WHERE %5 = %3) "
                       "LIMIT 1)")
            .arg(from)
            .arg(last)
            .arg(candidate, QuoteSQLName(table), QuoteSQLName(column));
    CSQliteSQL sql(db, free);
    CSQRowArray* rows = ReadRows(sql, {QStringLiteral("code")}, QString(), {}, QString(), 0, err);
    if (!rows || rows->isEmpty() || rows->first()->isEmpty())
        return QString();
    return rows->first()->first();
}

bool CSqLiteUtility::IsExistDataOfTable(CSQliteDB& db, const QString& table, int& err)
{
    err = 0;
    CSQliteSQL sql(db, table);
    CSQRowArray* rows =
        ReadRows(sql, {QStringLiteral("COUNT(*)")}, QString(), {}, QString(), 0, err);
    return rows && !rows->isEmpty() && !rows->first()->isEmpty() &&
           rows->first()->first().toLong() > 0;
}

bool CSqLiteUtility::ExistsWhere(CSQliteDB& db, const QString& table, const QStringList& columns,
                                 const QStringList& values, int& err)
{
    err = 0;
    QStringList conditions;
    for (const QString& column : columns)
        conditions << QuoteSQLName(column) + QStringLiteral(" = ?");
    CSQliteSQL sql(db, table);
    CSQRowArray* rows =
        ReadRows(sql, {QuoteSQLName(columns.first())}, conditions.join(QStringLiteral(" AND ")),
                 values, QString(), 1, err);
    return rows && !rows->isEmpty();
}

bool CSqLiteUtility::IsExistDataValue(CSQliteDB& db, const QString& table, const QString& column,
                                      const QString& value, int& err)
{
    return ExistsWhere(db, table, {column}, {value}, err);
}

bool CSqLiteUtility::IsExistDataValue2(CSQliteDB& db, const QString& table, const QString& column1,
                                       const QString& value1, const QString& column2,
                                       const QString& value2, int& err)
{
    return ExistsWhere(db, table, {column1, column2}, {value1, value2}, err);
}

bool CSqLiteUtility::IsExistDataValue4(CSQliteDB& db, const QString& table, const QString& column1,
                                       const QString& value1, const QString& column2,
                                       const QString& value2, const QString& column3,
                                       const QString& value3, const QString& column4,
                                       const QString& value4, int& err)
{
    return ExistsWhere(db, table, {column1, column2, column3, column4},
                       {value1, value2, value3, value4}, err);
}

int CSqLiteUtility::AllocStringArrayListPtr(CSQliteDB& db, const QString& table,
                                            const QStringList& columns, const QString& where,
                                            const QString& order, CStringArrayPtrList& out,
                                            int& err)
{
    err = 0;
    CSQliteSQL sql(db, table);
    CSQRowArray* rows = ReadRows(sql, columns, where, {}, order, 0, err);
    if (!rows)
        return -1;
    const qsizetype n = columns.size();
    for (const QStringList* row : *rows) {
        if (row->size() < n)
            return -1; // rows appended so far stay in out
        out.AddTail(new QStringList(row->mid(0, n)));
    }
    return int(rows->size());
}

void CSqLiteUtility::FreeStringArrayListPtr(CStringArrayPtrList& list)
{
    for (QStringList* row : list)
        delete row;
    list.RemoveAll();
}

int CSqLiteUtility::GetStringArray(CSQliteDB& db, const QString& table, const QStringList& columns,
                                   const QString& where, const QString& order, QStringList& out,
                                   int& err)
{
    err = 0;
    CSQliteSQL sql(db, table);
    CSQRowArray* rows = ReadRows(sql, columns, where, {}, order, 1, err);
    if (!rows)
        return -1;
    if (rows->isEmpty())
        return 0;
    const QStringList* row = rows->first();
    if (row->isEmpty())
        return -1;
    out << row->mid(0, columns.size());
    return 1;
}

bool CSqLiteUtility::WriteOneRecord(CSQliteDB& db, const QString& table,
                                    const QStringList& keyColumns, const QStringList& valueColumns,
                                    const QStringList& keyValues, const QStringList& values,
                                    int mode, int& err)
{
    err = 0;
    CSQliteSQL sql(db, table);
    err = sql.SetSQLForWrite(keyColumns, valueColumns, {});
    if (err != 0)
        return false;
    err = sql.ExecWrite(keyValues, values, {}, mode);
    return err == 0;
}

bool CSqLiteUtility::DeleteRecord(CSQliteDB& db, const QString& table,
                                  const QStringList& keyColumns, const QStringList& keyValues,
                                  int& err)
{
    return WriteOneRecord(db, table, keyColumns, {}, keyValues, {}, SQLWRITE_DELETE, err);
}

bool CSqLiteUtility::InsertOneRecord(CSQliteDB& db, const QString& table,
                                     const QStringList& keyColumns, const QStringList& valueColumns,
                                     const QStringList& keyValues, const QStringList& values,
                                     int& err)
{
    return WriteOneRecord(db, table, keyColumns, valueColumns, keyValues, values, SQLWRITE_INSERT,
                          err);
}

bool CSqLiteUtility::UpdateOneRecord(CSQliteDB& db, const QString& table,
                                     const QStringList& keyColumns, const QStringList& valueColumns,
                                     const QStringList& keyValues, const QStringList& values,
                                     int& err)
{
    return WriteOneRecord(db, table, keyColumns, valueColumns, keyValues, values, SQLWRITE_UPDATE,
                          err);
}
