#pragma once

// Exported entry points of the archive library that write archives and
// compare archive times with the stamps of the last read and write.

#include "archive/CrxDetail.h"
#include "archive/CrxExportContext.h"
#include "archive/CrxResult.h"

#include <QString>
#include <QStringList>

// Writes the databases of baseFolder, its schema texts, its signage media and
// the extra file (empty: none) into archivePath. exportKind 1 writes every
// table, 2 the tables of the three lists (nullptr: no list), any other value
// the header and media only. The five header texts go into "fileinfo"; bit 0
// of a keep flag writes an empty "regver" or "package". A media switch packs
// its folders only when it equals 1; noDataInfo (partial only) leaves the
// rows out. The target is replaced only by a complete archive.
CrxResult CrxExport(const QString& baseFolder, const QString& archivePath,
                    const CrxAbortFlag* abort, int exportKind, const QString& extraFile,
                    const QStringList* addList, const QStringList* replaceList,
                    const QStringList* diffList, QString machineType, QString crxVersion,
                    QString regVersion, QString system, QString package, int keepRegVersionFlags,
                    int keepPackageFlags, int movie, int fullScreen, int halfScreen, int itemImages,
                    int recommend, int noDataInfo);

// 1 when the file's last-write time (UTC, to the second) equals the stamp of
// that kind (1 import, 2 export) in the base folder's time-stamp INI; 0
// otherwise, also for an empty path, a missing file or a malformed stamp.
int CrxCompareDateTime(const QString& filePath, const QString& baseFolder, int kind);
