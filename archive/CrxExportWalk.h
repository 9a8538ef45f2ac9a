#pragma once

// The export walk: the element hooks of the grammar write the archive XML
// and put the blobs into the archive straight from the databases, one batch
// of rows at a time. Each function returns 0 or the first code met; a code from the
// writer is its last error.

#include "archive/CrxExportContext.h"
#include "archive/CrxResult.h"

#include <QSet>
#include <QString>
#include <QStringList>

class CCrxDb;
class CCrxNode;
class CCrxRecord;

namespace CrxExportWalk {

// "dbinfo": one section per database that has tables.
CrxResult WriteDbinfo(CCrxNode& dbinfo, CrxExportContext& context);
// "tabinfo": one section per table that the kind and lists choose and that
// has rows; shadow tables are never written.
CrxResult WriteTabinfo(CCrxNode& tabinfo, CrxExportContext& context);
// "recinfo": the rows section, or (deletedKeys) the deleted-keys section of
// a difference table.
CrxResult WriteRecinfo(CCrxNode& recinfo, bool deletedKeys, CrxExportContext& context);

// The first half of a row section's preparation: attaches the current
// database's reader and blob reader to the record's source table. The record
// then builds its items on the blob reader (whose statement takes the table
// name as it stands; the row read quotes it), and PrepareRowRead prepares
// the reads.
CrxResult AttachRowReader(CCrxRecord& record, CrxExportContext& context);
// Reads the non-blob items; with withBlobs, blob items come from a second
// statement per row, by row id (by the key columns in a table WITHOUT
// ROWID).
CrxResult PrepareRowRead(CCrxRecord& record, bool withBlobs, CrxExportContext& context);
// Every row of the prepared read, one record element each, on this thread.
// blobCounter numbers the blob files of the section.
CrxResult WriteRows(CCrxRecord& record, bool keysOnly, int& blobCounter, CrxExportContext& context);
// One row into the record's items; blob columns go into the archive first
// (a NULL or empty blob leaves no member and no reference).
CrxResult FillRow(CCrxRecord& record, CrxExportContext& context, const QStringList& row,
                  int& blobCounter);
CrxResult FillKeyRow(CCrxRecord& record, const QStringList& row);

// The name under which the table's row id can be selected: a column may take
// one of SQLite's three names for it. Empty when columns take all three.
QString RowIdName(const CCrxRecord& record);

// source + "_" + counter + ".blob"; the counter advances past names already
// taken, so that two databases with a table of the same name never share a
// file. A source that cannot be one component of a file name ("/", "\\",
// NUL, "." or "..") gives CRX_E_READ_BLOB: no member ever lands outside the
// blob folder.
CrxResult MakeBlobFileName(const QSet<QString>& taken, const QString& source, int& counter,
                           QString& name);
// The blob folder's path inside the unpack folder with a closing "/"
// ("blob/"): the start of every blob member's name. Empty when it lies
// outside.
QString BlobMemberPrefix(const QString& unpackFolder, const QString& blobFolder);

} // namespace CrxExportWalk
