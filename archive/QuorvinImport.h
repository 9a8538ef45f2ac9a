#pragma once

// Exports of the archive library for reading archives and for the folder and
// database-file chores around them. Each runs to completion on the calling
// thread and returns 0 or a result code; nothing is kept between calls but
// what lies on disk (the unpack folder "Quorvin" of the base folder lives
// from CrxImportHeader to the end of the following CrxImportContents).
// Relative paths are taken against the working folder. CrxLastDetail()
// tells more about the last call than its code.

#include "archive/CrxDetail.h"
#include "archive/CrxFileInfo.h"
#include "archive/CrxGrammarNames.h"
#include "archive/CrxResult.h"

#include <QString>
#include <QStringList>

// Empties the base folder (after checking that the archive exists and lies
// outside it), unpacks the archive and reads its header into the seven
// outputs (any may be null). A damaged archive XML still gives 0 here with
// what was read before the damage; CrxImportContents reports it.
// CRX_E_NO_ARCHIVE, CRX_E_FILE_ACCESS, CRX_E_WORK_FOLDER, an unpack code,
// CRX_E_NO_DATAXML, CRX_E_CANCELLED or an exception code.
CrxResult CrxImportHeader(const QString& archivePath, const QString& baseFolder,
                          const CrxAbortFlag* abort, QString* machineType, QString* crxVersion,
                          QString* regVersion, QString* system, QString* package,
                          int* regVersionFlags, int* packageFlags);

// Builds the initial "SETTING.DB" (and "CUSTOMER.DB") of the base folder from
// the model's template or the schema texts the header read unpacked:
// 0 or CRX_E_FILE_ACCESS. archivePath is not used.
CrxResult CrxImportInitSettingDB(const QString& archivePath, const QString& baseFolder,
                                 QString resourceFolder, QString modelFolder);

// Writes the archive's rows into the databases of the base folder. Mode 0
// reads what CrxImportHeader unpacked, mode 1 (CRX_IMPORT_DIFFBASE) unpacks
// again and fills the "_BASE_Tovanel" shadow tables. tables: nullptr imports
// every table; a list empties and refills the tables it names, and in mode
// 0 is refused with CRX_E_PARTIAL_TABLE before anything is written when the
// archive carries one of them without mainte="renew". The header
// values are kept but do not change the import. The unpack folder is gone
// afterwards, whatever the result. The archive is read from its start to
// its end, which proves what the header read took from the archive's end:
// an archive that is damaged, or whose end holds what that reading does not
// yield, gives CRX_E_UNPACK, and in mode 0 the base folder is then emptied
// (nothing the open built from it is kept).
CrxResult CrxImportContents(const QString& archivePath, const QString& baseFolder,
                            const CrxAbortFlag* abort, int importMode, QString resourceFolder,
                            const QString* machineType, const QString* crxVersion,
                            const QString* regVersion, const QString* system,
                            const QString* package, const int* regVersionFlags,
                            const int* packageFlags, const QStringList* tables);

// Copies source over destination, retrying: 0 or CRX_E_DB_COPY.
CrxResult AnotherCrxImportInitialize(const QString& sourceFile, const QString& destinationFile);
// Copies the second file back over the first, retrying: 0 or CRX_E_DB_COPY.
CrxResult AnotherCrxImportImportedDbCopy(const QString& firstFile, const QString& secondFile);
// Deletes the folder with everything in it: 0 (also for an empty path or a
// folder that does not exist) or CRX_E_DELETE_FOLDER.
CrxResult AnotherCrxImportFinalize(const QString& folder);
CrxResult CrxDeleteFolder(const QString& folder);
// Creates the folder (its parent must exist), retrying; an existing folder
// is success: 0 or CRX_E_CREATE_FOLDER.
CrxResult CrxCreateFolder(const QString& folder);
