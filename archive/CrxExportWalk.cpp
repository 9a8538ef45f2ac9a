#include "archive/CrxExportWalk.h"

#include "archive/CCrxDb.h"
#include "archive/CCrxNode.h"
#include "archive/CCrxRecord.h"
#include "archive/CCrxPackWriter.h"
#include "archive/CCrxcnvXmlWriter.h"
#include "archive/CrxDetail.h"
#include "archive/CrxGrammarNames.h"

#include "stroven/CSQSchemaScript.h"
#include "stroven/Stroven.h"

#include <QVarLengthArray>

namespace CrxExportWalk {

namespace {

const QString kNewSuffix = QLatin1String(crxname::kNewShadowSuffix);
const QString kDelSuffix = QLatin1String(crxname::kDelShadowSuffix);

CrxResult WriterError(const CrxExportContext& context)
{
    return context.writer->FailureCode();
}

bool IsBlob(const CCrxItem& item)
{
    return item.m_nColumnType == SQLTYPE_BLOB;
}

// Where the row read holds the row id that blob reads need: after the
// non-blob items, or -1 when blobs are read by the key columns.
int RowIdIndex(const CCrxRecord& record, const CCrxDb& db)
{
    int nonBlob = 0;
    for (const auto& item : record.Items())
        nonBlob += IsBlob(*item) ? 0 : 1;
    auto& reader = const_cast<CCrxDb&>(db).Reader();
    return reader.m_columns.size() > nonBlob ? nonBlob : -1;
}

// The detail of a read row whose text is not UTF-8: its key values go to the
// key items (the read holds the non-blob items in item order).
void NoteInvalidText(CCrxRecord& record, const CCrxSqlReader& reader, const QStringList& row)
{
    qsizetype next = 0;
    for (const auto& item : record.Items()) {
        if (IsBlob(*item))
            continue;
        if (item->IsKey())
            item->m_strValue = row.value(next);
        ++next;
    }
    const int column = reader.Statement() ? reader.Statement()->InvalidTextColumn() : -1;
    record.NoteValueDetail(reader.m_columns.value(column));
}

} // namespace

QString RowIdName(const CCrxRecord& record)
{
    for (const char* name : {"rowid", "_rowid_", "oid"}) {
        bool taken = false;
        for (const auto& item : record.Items())
            taken = taken || item->m_strName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
        if (!taken)
            return QLatin1String(name);
    }
    return QString();
}

CrxResult WriteDbinfo(CCrxNode& dbinfo, CrxExportContext& context)
{
    for (int i = 0; i < context.dbCount && i < int(context.dbs.size()); ++i) {
        const CrxExportContext::DbPair& pair = context.dbs[size_t(i)];
        dbinfo.DbName() = pair.name;
        context.db = pair.db;
        if (!pair.db || !pair.db->IsOpen())
            return CRX_E_NO_DB;
        QString first;
        if (pair.db->GetTableName(0, first) != CRX_OK)
            continue; // no tables (or none readable): the database is left out
        CCrxcnvXmlWriter& writer = *context.writer;
        if (!writer.StartElement(QLatin1String(crxname::kDbinfo)))
            return WriterError(context);
        if (!pair.name.isEmpty() &&
            !writer.AddAttribute(QLatin1String(crxname::kDbname), pair.name))
            return WriterError(context);
        if (const CrxResult rc = dbinfo.WriteChildren(context); rc != CRX_OK)
            return rc;
        if (!writer.EndElement())
            return WriterError(context);
    }
    return CRX_OK;
}

CrxResult WriteTabinfo(CCrxNode& tabinfo, CrxExportContext& context)
{
    CCrxDb* db = context.db;
    if (!db)
        return CRX_E_NO_DB;
    const QString shadow = QLatin1String(crxname::kShadowSuffix);
    for (int index = 0;; ++index) {
        QString table;
        const CrxResult listed = db->GetTableName(index, table);
        if (listed == CRX_E_NO_TABLES || listed == CRX_E_TABLE_INDEX)
            return CRX_OK;
        if (listed != CRX_OK)
            return listed;
        tabinfo.ContextString() = table;
        if (table.isEmpty() || table.endsWith(shadow))
            continue;

        bool write = false;
        bool renew = false;
        qint64 count = 0;
        if (context.exportKind == CRX_EXPORT_FULL) {
            write = renew = true;
            if (const CrxResult rc = db->CountRecords(table, count); rc != CRX_OK)
                return rc;
        } else if (context.exportKind == CRX_EXPORT_PARTIAL) {
            // The difference list wins over the others: its rows come from
            // the shadow tables, and a "renew" over only the changed rows
            // would wipe the rest of the table on the register.
            if (context.diffList.contains(table)) {
                write = true;
                qint64 added = 0;
                qint64 deleted = 0;
                if (const CrxResult rc = db->CountRecords(table + kNewSuffix, added); rc != CRX_OK)
                    return rc;
                if (const CrxResult rc = db->CountRecords(table + kDelSuffix, deleted);
                    rc != CRX_OK)
                    return rc;
                count = added + deleted;
            } else if (context.replaceList.contains(table) || context.addList.contains(table)) {
                write = true;
                renew = context.replaceList.contains(table);
                if (const CrxResult rc = db->CountRecords(table, count); rc != CRX_OK)
                    return rc;
            }
        }
        if (!write || count < 1)
            continue;

        CCrxcnvXmlWriter& writer = *context.writer;
        if (!writer.StartElement(QLatin1String(crxname::kTabinfo)) ||
            !writer.AddAttribute(QLatin1String(crxname::kTabname), table)) {
            CrxCurrentDetail().table = table;
            return WriterError(context);
        }
        if (renew &&
            !writer.AddAttribute(QLatin1String(crxname::kMainte), QLatin1String(crxname::kRenew)))
            return WriterError(context);
        if (const CrxResult rc = tabinfo.WriteChildren(context); rc != CRX_OK)
            return rc;
        if (!writer.EndElement())
            return WriterError(context);
    }
}

CrxResult WriteRecinfo(CCrxNode& recinfo, bool deletedKeys, CrxExportContext& context)
{
    const QString table = recinfo.ContextString();
    QString suffix;
    if (context.exportKind == CRX_EXPORT_PARTIAL && context.diffList.contains(table))
        suffix = deletedKeys ? kDelSuffix : kNewSuffix;
    if (suffix.isEmpty() && deletedKeys)
        return CRX_OK;
    if (!suffix.isEmpty()) {
        if (!context.db)
            return CRX_E_NO_DB;
        qint64 count = 0;
        if (const CrxResult rc = context.db->CountRecords(table + suffix, count); rc != CRX_OK)
            return rc;
        if (count == 0)
            return CRX_OK;
    }

    CCrxcnvXmlWriter& writer = *context.writer;
    if (!writer.StartElement(QLatin1String(crxname::kRecinfo)))
        return WriterError(context);
    if (deletedKeys &&
        !writer.AddAttribute(QLatin1String(crxname::kMainte), QLatin1String(crxname::kDel)))
        return WriterError(context);
    recinfo.ContextString() = table + suffix;
    for (const auto& child : recinfo.Children()) {
        child->ContextString() = table + suffix;
        child->SourceTable() = table + suffix;
        if (const CrxResult rc = child->Export(context); rc != CRX_OK)
            return rc;
    }
    if (!writer.EndElement())
        return WriterError(context);
    return CRX_OK;
}

CrxResult AttachRowReader(CCrxRecord& record, CrxExportContext& context)
{
    if (!context.db || !context.db->IsOpen())
        return CRX_E_DB_OPEN;
    CCrxSqlReader& reader = context.db->Reader();
    reader.m_columns.clear();
    reader.m_strWhere.clear();
    reader.m_strOrderBy.clear();
    if (const CrxResult rc = reader.Attach(context.db->Connection(), record.SourceTable());
        rc != CRX_OK)
        return rc;
    return context.db->AttachBlobReader(record.SourceTable());
}

CrxResult PrepareRowRead(CCrxRecord& record, bool withBlobs, CrxExportContext& context)
{
    if (!context.db || !context.db->IsOpen())
        return CRX_E_DB_OPEN;
    CCrxDb& db = *context.db;
    CCrxSqlReader& reader = db.Reader();
    QStringList blobColumns;
    QStringList keyWhere;
    for (const auto& item : record.Items()) {
        if (IsBlob(*item)) {
            blobColumns.append(item->m_strName);
            continue;
        }
        reader.m_columns.append(item->m_strName);
        if (item->IsKey())
            keyWhere.append(CCrxSql::QuoteName(item->m_strName) + QLatin1String(" = ?"));
    }
    if (!withBlobs)
        blobColumns.clear();
    // Blobs are found again by the row id: a key need not survive its text
    // form (a REAL key, a NULL in a key column), and a table without key has
    // nothing else. A table WITHOUT ROWID has none; its key is all there is.
    const QStringList columns = reader.m_columns;
    const QString rowId = blobColumns.isEmpty() ? QString() : RowIdName(record);
    if (!rowId.isEmpty())
        reader.m_columns.append(rowId);
    CrxResult prepared = reader.PrepareRead();
    const bool byRowId = !rowId.isEmpty() && prepared == CRX_OK;
    if (!rowId.isEmpty() && prepared == CRX_E_PREPARE_READ && !keyWhere.isEmpty()) {
        reader.m_columns = columns;
        prepared = reader.PrepareRead();
    }
    if (prepared != CRX_OK)
        return prepared;

    CCrxBlobReader& blobReader = db.BlobReader();
    reader.m_nKeyCount = blobReader.m_nKeyCount;
    reader.m_nValueCount = blobReader.m_nValueCount;
    reader.m_nBlobCount = blobReader.m_nBlobCount;
    if (blobColumns.isEmpty())
        return CRX_OK;
    blobReader.m_blobColumns = blobColumns;
    blobReader.m_strWhere =
        byRowId ? rowId + QLatin1String(" = ?") : keyWhere.join(QLatin1String(" and "));
    return blobReader.PrepareBlobRead();
}

CrxResult WriteRows(CCrxRecord& record, bool keysOnly, int& blobCounter, CrxExportContext& context)
{
    if (!context.db || !context.db->IsOpen())
        return CRX_E_DB_OPEN;
    CCrxDb& db = *context.db;
    CCrxSqlReader& reader = db.Reader();
    if (reader.m_columns.isEmpty())
        return CRX_OK;
    for (;;) {
        // Each row is written the moment it is read: a batch is dropped before
        // the next, so memory does not grow with the table.
        if (reader.Statement())
            reader.Statement()->ReleaseReadRows();
        CrxResult error = CRX_OK;
        bool end = false;
        const CSQRowArray* rows = reader.ReadNext(error, end);
        if (error == CRX_E_XML_UTF8 && rows && !rows->isEmpty() && rows->last())
            NoteInvalidText(record, reader, *rows->last());
        if (error != CRX_OK)
            return error;
        if (rows) {
            for (const QStringList* row : *rows) {
                if (!row)
                    return CRX_E_READ_ROWS;
                const CrxResult filled = keysOnly ? FillKeyRow(record, *row)
                                                  : FillRow(record, context, *row, blobCounter);
                if (filled != CRX_OK)
                    return filled;
                if (const CrxResult rc = record.WriteElement(context); rc != CRX_OK)
                    return rc;
            }
        }
        if (end)
            return CRX_OK;
    }
}

CrxResult FillRow(CCrxRecord& record, CrxExportContext& context, const QStringList& row,
                  int& blobCounter)
{
    CCrxDb& db = *context.db;
    CCrxBlobReader& blobReader = db.BlobReader();
    blobReader.m_keyValues.clear();
    const bool readsBlobs = blobReader.IsPrepared();
    const bool byKey = readsBlobs && RowIdIndex(record, db) < 0;
    // Blob column i of the read: its item and file name.
    QVarLengthArray<CCrxItem*, 4> blobItems;
    QVarLengthArray<QString, 4> blobNames;
    qsizetype next = 0;
    for (const auto& item : record.Items()) {
        if (IsBlob(*item)) {
            QString name;
            if (const CrxResult rc =
                    MakeBlobFileName(context.blobNames, record.SourceTable(), blobCounter, name);
                rc != CRX_OK) {
                record.NoteValueDetail(item->m_strName);
                return rc;
            }
            item->m_strValue.clear();
            blobItems.append(item.get());
            blobNames.append(name);
            continue;
        }
        if (next >= row.size())
            return CRX_E_SHORT_ROW;
        item->m_strValue = row.at(next++);
        if (byKey && item->IsKey())
            blobReader.m_keyValues.append(item->m_strValue);
    }
    if (readsBlobs && !byKey) {
        if (next >= row.size())
            return CRX_E_SHORT_ROW;
        blobReader.m_keyValues.append(row.at(next));
    }
    if (!readsBlobs || blobReader.m_keyValues.isEmpty() || blobItems.isEmpty())
        return CRX_OK;

    CrxResult packed = CRX_OK;
    QString prefix;
    const CrxResult read = blobReader.ReadBlobs([&](int column, const char* bytes, qint64 size) {
        // A NULL or empty blob is no member of the archive: the format
        // leaves its element out (the number stays used).
        if (!bytes || size == 0)
            return true;
        if (prefix.isEmpty())
            prefix = BlobMemberPrefix(db.UnpackFolder(), db.BlobFolder());
        if (prefix.isEmpty() || !context.pack) {
            packed = CRX_E_READ_BLOB;
            return false;
        }
        const QString& name = blobNames.at(column);
        const QString member = prefix + name;
        packed = context.pack->AddData(member, bytes, size);
        if (packed != CRX_OK)
            return false;
        context.blobNames.insert(name);
        blobItems.at(column)->m_strValue = QLatin1String("./") + member;
        return true;
    });
    return packed != CRX_OK ? packed : read;
}

CrxResult FillKeyRow(CCrxRecord& record, const QStringList& row)
{
    qsizetype next = 0;
    for (const auto& item : record.Items()) {
        if (next >= row.size())
            return CRX_E_SHORT_ROW;
        item->m_strValue = row.at(next++);
    }
    return CRX_OK;
}

CrxResult MakeBlobFileName(const QSet<QString>& taken, const QString& source, int& counter,
                           QString& name)
{
    name.clear();
    // The database may come from elsewhere than a schema text we ran.
    if (!CSQSchemaScript::IsFileNameComponent(source))
        return CRX_E_READ_BLOB;
    do {
        name = QStringLiteral("%1_%2.blob").arg(source).arg(counter);
        ++counter;
    } while (taken.contains(name));
    return CRX_OK;
}

QString BlobMemberPrefix(const QString& unpackFolder, const QString& blobFolder)
{
    if (unpackFolder.size() < 2)
        return QString();
    QString folder = unpackFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    if (blobFolder.size() <= folder.size() || !blobFolder.startsWith(folder))
        return QString();
    QString prefix = blobFolder.mid(folder.size());
    prefix.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!prefix.endsWith(QLatin1Char('/')))
        prefix += QLatin1Char('/');
    return prefix;
}

} // namespace CrxExportWalk
