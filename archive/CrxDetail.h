#pragma once

// What the last call of an archive export on this thread can tell beyond its
// result code, for the caller to show beside its message: where a value lay
// that the archive cannot carry, which schema statement was refused, how many
// blob values were no file references. Each export clears it when it starts;
// a field stays empty (0) when the call has nothing to say about it.

#include <QString>

struct CrxDetail
{
    // A value the archive cannot carry (CRX_E_XML_UTF8: a character XML 1.0
    // cannot carry, or text that is not UTF-8; also a column name that is
    // no XML name), or a blob whose table name cannot name a file
    // (CRX_E_READ_BLOB): its table (the key and column stay empty for a
    // table name the XML cannot carry), the values of its row's key columns
    // joined by ", " (empty for a table without key, and for a header
    // value) and its column.
    QString table;
    QString key;
    QString column;
    // The first line of the schema statement that was refused or failed
    // (CRX_E_FILE_ACCESS from CrxImportInitSettingDB).
    QString statement;
    // A file the archive cannot carry under its name (CRX_E_MEMBER_NAME): its
    // path in the archive, bytes the legacy code page does not know as U+FFFD.
    QString file;
    // Non-empty values of blob columns that named no file inside "blob":
    // the import stored no data for them and went on.
    qint64 blobValuesNotReferences = 0;
};

// The detail of the last export called on this thread.
const CrxDetail& CrxLastDetail();

// For the library itself: the detail the running call fills, and the reset
// at the start of each export.
CrxDetail& CrxCurrentDetail();
void CrxResetDetail();
