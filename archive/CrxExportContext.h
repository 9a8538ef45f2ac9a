#pragma once

// What the export walk hands every element hook: the writer, the archive
// the blobs go into, the database whose tables are being written, the two
// databases in archive order, the abort flag, the export kind and the three
// table lists.

#include "archive/CrxResult.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <array>

class CCrxcnvXmlWriter;
class CCrxDb;
class CCrxPackWriter;

// Export kinds; any other value writes the header and media only.
enum CrxExportKind { CRX_EXPORT_FULL = 1, CRX_EXPORT_PARTIAL = 2 };

struct CrxExportContext
{
    struct DbPair
    {
        QString name;
        CCrxDb* db = nullptr;
    };

    CCrxcnvXmlWriter* writer = nullptr;
    CCrxPackWriter* pack = nullptr;
    // Blob file names written so far, in either database.
    QSet<QString> blobNames;
    // Set by the "dbinfo" walk.
    CCrxDb* db = nullptr;
    // ("SETTING", settings database), then ("CUSTOMER", customer database).
    std::array<DbPair, 2> dbs;
    int dbCount = 2;
    const CrxAbortFlag* abort = nullptr;
    int exportKind = 0;
    // Rows to add or update, tables to replace, tables written as the
    // difference against the diff base (from the shadow tables).
    QStringList addList;
    QStringList replaceList;
    QStringList diffList;
};
