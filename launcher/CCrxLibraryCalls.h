#pragma once

#include "archive/CrxDetail.h"
#include "archive/CrxFileInfo.h"
#include "archive/CrxResult.h"
#include "launcher/CrxPartialWrite.h"

#include <QString>
#include <QStringList>

namespace tovanel {

// The archive library as the archive runner calls it: one small seam, so that
// tests can block until the abort flag, fail with a code or record the calls
// while the runner, its dialog and the file commands stay real.
class CCrxLibraryCalls
{
public:
    virtual ~CCrxLibraryCalls();

    virtual CrxResult ImportHeader(const QString& archivePath, const QString& workFolder,
                                   const CrxAbortFlag* abort, CrxFileInfo& header);
    // A table import from another archive: the work database copied into the
    // import folder, the chosen tables refilled there (mode 0), the copy put
    // back over the work database, the import folder deleted.
    virtual CrxResult AnotherImportInitialize(const QString& workDb, const QString& importDb);
    virtual CrxResult ImportChosenTables(const QString& archivePath, const QString& importFolder,
                                         const CrxAbortFlag* abort, const QString& resourceFolder,
                                         const CrxFileInfo& header, const QStringList& tables);
    virtual CrxResult AnotherImportCopyBack(const QString& workDb, const QString& importDb);
    virtual CrxResult AnotherImportFinalize(const QString& importFolder);
    virtual CrxResult ImportInitSettingDB(const QString& archivePath, const QString& workFolder,
                                          const QString& resourceFolder,
                                          const QString& modelFolder);
    // Mode 0, every table.
    virtual CrxResult ImportContents(const QString& archivePath, const QString& workFolder,
                                     const CrxAbortFlag* abort, const QString& resourceFolder,
                                     const CrxFileInfo& header);
    // Mode 1: the diff base archive's rows into the "_BASE_Tovanel" tables.
    virtual CrxResult ImportDiffBase(const QString& archivePath, const QString& workFolder,
                                     const CrxAbortFlag* abort, const QString& resourceFolder,
                                     const CrxFileInfo& header);
    // Kind 1: every table, all media folders, with table data.
    virtual CrxResult ExportFull(const QString& workFolder, const QString& archivePath,
                                 const CrxAbortFlag* abort, const QString& extraFile,
                                 const CrxFileInfo& header);

    // Kind 2: the listed tables and the chosen media groups.
    virtual CrxResult ExportPartial(const QString& workFolder, const QString& archivePath,
                                    const CrxAbortFlag* abort, const QString& extraFile,
                                    const CrxFileInfo& header, const CrxPartialWrite& partial);

    // What the last call on this thread told beyond its code.
    virtual CrxDetail LastDetail();

    // The calls in use: the library itself unless a test replaced it.
    static CCrxLibraryCalls& Current();
    // A test's replacement (not owned); nullptr restores the library.
    static void Replace(CCrxLibraryCalls* calls);
};

} // namespace tovanel
