#pragma once

#include "archive/CrxDetail.h"
#include "archive/CrxFileInfo.h"
#include "archive/CrxResult.h"

#include <QString>

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
    virtual CrxResult ImportInitSettingDB(const QString& archivePath, const QString& workFolder,
                                          const QString& resourceFolder,
                                          const QString& modelFolder);
    // Mode 0, every table.
    virtual CrxResult ImportContents(const QString& archivePath, const QString& workFolder,
                                     const CrxAbortFlag* abort, const QString& resourceFolder,
                                     const CrxFileInfo& header);
    // Kind 1: every table, all media folders, with table data.
    virtual CrxResult ExportFull(const QString& workFolder, const QString& archivePath,
                                 const CrxAbortFlag* abort, const QString& extraFile,
                                 const CrxFileInfo& header);

    // What the last call on this thread told beyond its code.
    virtual CrxDetail LastDetail();

    // The calls in use: the library itself unless a test replaced it.
    static CCrxLibraryCalls& Current();
    // A test's replacement (not owned); nullptr restores the library.
    static void Replace(CCrxLibraryCalls* calls);
};

} // namespace tovanel
