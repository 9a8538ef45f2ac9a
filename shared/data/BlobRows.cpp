#include "shared/data/BlobRows.h"

#include "shared/controls/CWaitCursor.h"

#include "stroven/Stroven.h"

bool ReadBlobRowToFile(CSQliteDB& db, const QString& table, const QString& keyColumn,
                       const QString& key, const QString& blobColumn, const QString& file,
                       int& status)
{
    CSQliteSQL sql(db, table);
    status = sql.SetSQLForBlobRead({blobColumn}, keyColumn + QStringLiteral(" = ?"));
    if (status == 0)
        status = sql.ExecBlobRead({key}, {file});
    return status == 0;
}

bool ReplaceBlobRow(CSQliteDB& db, const QString& table, const QString& keyColumn,
                    const QString& key, const QStringList& valueColumns, const QStringList& values,
                    const QString& blobColumn, const QString& filePath)
{
    CWaitCursor wait;
    CSQliteSQL sql(db, table);
    const bool own = !db.InTransaction();
    if (own && sql.StartTransaction() != 0)
        return false;
    int status = sql.SetSQLForWrite({keyColumn}, {}, {});
    if (status == 0)
        status = sql.ExecWrite({key}, {}, {}, SQLWRITE_DELETE);
    bool ok = status == 0;
    if (ok && !filePath.isEmpty()) {
        ok = sql.SetSQLForWrite({keyColumn}, valueColumns, {blobColumn}) == 0 &&
             sql.ExecWrite({key}, values, {filePath}, SQLWRITE_INSERT) == 0;
    }
    if (own) {
        if (ok)
            ok = sql.ExecCommit() == 0;
        if (!ok)
            sql.ExecRollback();
    }
    return ok;
}
