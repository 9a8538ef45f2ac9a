#pragma once

// Fills a table with generated rows, every column set: codes zero-padded to
// their width, amounts with their scale, every blobEvery-th row a blob of
// 64 random bytes (the others NULL). One statement, run by SQLite itself, so
// that large fixtures cost no more than a bulk insert.

#include "stroven/Stroven.h"

#include <QString>
#include <QStringList>

namespace crxtest {

inline QString ColumnValueSql(const CSQTableInfo& column, int blobEvery)
{
    switch (column.m_nType) {
    case SQLTYPE_BLOB:
        return blobEvery > 0
                   ? QStringLiteral("CASE WHEN i % %1 = 0 THEN randomblob(64) END").arg(blobEvery)
                   : QStringLiteral("NULL");
    case SQLTYPE_NUMERIC:
        return column.m_nScale > 0 ? QStringLiteral("(i % 10) + 0.25") : QStringLiteral("i % 1000");
    default:
        if (column.m_nSize <= 0 || column.m_nSize >= 20)
            return QStringLiteral("printf('%020d', i)");
        return QStringLiteral("substr(printf('%020d', i), %1)").arg(21 - column.m_nSize);
    }
}

// Inserts rows 1..count into table; 0 or the database layer's status.
inline int FillTable(CSQliteDB& db, const QString& table, int count, int blobEvery = 0)
{
    int err = 0;
    QStringList values;
    {
        CSQliteSQL info(db, table);
        const CSQTableInfoArray* columns = info.GetTableInfo(err);
        if (err != 0)
            return err;
        for (const CSQTableInfo& column : *columns)
            values << ColumnValueSql(column, blobEvery);
    }
    CSQliteSQL sql(db, table);
    return sql.ExecSQL(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                                      "FROM n WHERE i < %1) INSERT INTO \"%2\" SELECT %3 FROM n")
                           .arg(count)
                           .arg(table, values.join(QStringLiteral(", "))));
}

} // namespace crxtest
