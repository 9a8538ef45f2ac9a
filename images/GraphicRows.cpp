#include "images/GraphicRows.h"

#include "images/GraphicColumns.h"
#include "images/GraphicTypes.h"

#include "goods/base/ProgramMessage.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CSqLiteTransaction.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/data/CStringArrayPtrArray.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include "stroven/Stroven.h"

#include <algorithm>

namespace pellark {

namespace {

const QString kTable = QStringLiteral("CSB008");

bool ReadGraphicRows(CSQliteDB& db, CStringArrayPtrArray& records, int& err)
{
    CColumnDataList& columns = GraphicColumnList();
    records.RemoveAll();
    columns.SetSQliteDB(&db, &records);
    return columns.ReadTableInfo(err) && columns.ReadRecords(err, QString());
}

void ShowReadFailed(QWidget* parent, int status)
{
    ShowProgramMessage(parent, QStringLiteral("CRDS_CMN_ERR_SETREAD2_FAILED"),
                       platform::MessageIcon::Warning, platform::MessageButtons::Ok, status);
}

} // namespace

int ReadGraphicBlob(CSQliteDB& db, const QString& key, const QString& fileName)
{
    CSQliteSQL sql(db, kTable);
    int status =
        sql.SetSQLForBlobRead({QStringLiteral("GRAPHICDATA")}, QStringLiteral("GRAPHICCODE = ?"));
    if (status == 0)
        status = sql.ExecBlobRead({key}, {fileName});
    return status;
}

int WriteGraphicRows(CSQliteDB& db, const QList<GraphicRowWrite>& rows)
{
    CSQliteSQL sql(db, kTable);
    CSqLiteTransaction transaction(db, sql);
    int status = transaction.StartStatus();
    if (status == 0)
        status = sql.SetSQLForWrite({QStringLiteral("GRAPHICCODE")},
                                    {QStringLiteral("FILENAME"), QStringLiteral("UPDATEDATETIME")},
                                    {QStringLiteral("GRAPHICDATA")});
    const QString now = GetTimestampOfNow();
    for (const GraphicRowWrite& row : rows) {
        if (status != 0)
            break;
        status = sql.ExecWrite({row.key}, {row.fileName, now}, {row.blobFile}, SQLWRITE_UPDATE);
    }
    if (status != 0) {
        transaction.Rollback();
        return status;
    }
    return transaction.Commit();
}

int CreateMissingGraphicRows(CSQliteDB& db, const QList<int>& existing)
{
    QList<int> missing;
    for (const GraphicType& type : kGraphicTypes)
        if (!existing.contains(type.code))
            missing << type.code;
    if (missing.isEmpty())
        return 0;
    CSQliteSQL sql(db, kTable);
    CSqLiteTransaction transaction(db, sql);
    int status = transaction.StartStatus();
    if (status == 0)
        status = sql.SetSQLForWrite({QStringLiteral("GRAPHICCODE")},
                                    {QStringLiteral("FILENAME"), QStringLiteral("CREATEDATETIME"),
                                     QStringLiteral("UPDATEDATETIME")},
                                    {});
    const QString now = GetTimestampOfNow();
    for (int code : missing) {
        if (status != 0)
            break;
        // A single space: a row without an image.
        status =
            sql.ExecWrite({GraphicKey(code)}, {QStringLiteral(" "), now, now}, {}, SQLWRITE_INSERT);
    }
    if (status != 0) {
        transaction.Rollback();
        return status;
    }
    return transaction.Commit();
}

bool LoadGraphicRows(QWidget* parent, CSQliteDB& db, CStringArrayPtrArray& records)
{
    int err = 0;
    if (!ReadGraphicRows(db, records, err)) {
        ShowReadFailed(parent, err);
        return false;
    }
    QList<int> existing;
    for (qsizetype row = 0; row < records.GetSize(); ++row)
        if (const CRecord* record = records.GetAt(row))
            existing << record->value(kGraphicCode).trimmed().toInt();
    const bool missing =
        std::any_of(std::begin(kGraphicTypes), std::end(kGraphicTypes),
                    [&](const GraphicType& type) { return !existing.contains(type.code); });
    if (!missing)
        return true;
    // All rows or none: a failure leaves the table as it was.
    if ((err = CreateMissingGraphicRows(db, existing)) != 0) {
        ShowProgramMessage(parent, QStringLiteral("CRDS_CMN_ERR_INSERT_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
        return false;
    }
    if (!ReadGraphicRows(db, records, err)) {
        ShowReadFailed(parent, err);
        return false;
    }
    return true;
}

} // namespace pellark
