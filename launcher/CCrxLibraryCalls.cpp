#include "launcher/CCrxLibraryCalls.h"

#include "archive/QuorvinExport.h"
#include "archive/QuorvinImport.h"

#include <atomic>

namespace tovanel {

namespace {

std::atomic<CCrxLibraryCalls*>& replacement()
{
    static std::atomic<CCrxLibraryCalls*> calls{nullptr};
    return calls;
}

} // namespace

CCrxLibraryCalls::~CCrxLibraryCalls() = default;

CrxResult CCrxLibraryCalls::ImportHeader(const QString& archivePath, const QString& workFolder,
                                         const CrxAbortFlag* abort, CrxFileInfo& header)
{
    return CrxImportHeader(archivePath, workFolder, abort, &header.machineType, &header.crxVersion,
                           &header.regVersion, &header.system, &header.package,
                           &header.regVersionFlags, &header.packageFlags);
}

CrxResult CCrxLibraryCalls::AnotherImportInitialize(const QString& workDb, const QString& importDb)
{
    return AnotherCrxImportInitialize(workDb, importDb);
}

CrxResult CCrxLibraryCalls::ImportChosenTables(const QString& archivePath,
                                               const QString& importFolder,
                                               const CrxAbortFlag* abort,
                                               const QString& resourceFolder,
                                               const CrxFileInfo& header, const QStringList& tables)
{
    return CrxImportContents(archivePath, importFolder, abort, 0, resourceFolder,
                             &header.machineType, &header.crxVersion, &header.regVersion,
                             &header.system, &header.package, &header.regVersionFlags,
                             &header.packageFlags, &tables);
}

CrxResult CCrxLibraryCalls::AnotherImportCopyBack(const QString& workDb, const QString& importDb)
{
    return AnotherCrxImportImportedDbCopy(workDb, importDb);
}

CrxResult CCrxLibraryCalls::AnotherImportFinalize(const QString& importFolder)
{
    return AnotherCrxImportFinalize(importFolder);
}

CrxResult CCrxLibraryCalls::ImportInitSettingDB(const QString& archivePath,
                                                const QString& workFolder,
                                                const QString& resourceFolder,
                                                const QString& modelFolder)
{
    return CrxImportInitSettingDB(archivePath, workFolder, resourceFolder, modelFolder);
}

CrxResult CCrxLibraryCalls::ImportContents(const QString& archivePath, const QString& workFolder,
                                           const CrxAbortFlag* abort, const QString& resourceFolder,
                                           const CrxFileInfo& header)
{
    return CrxImportContents(archivePath, workFolder, abort, 0, resourceFolder, &header.machineType,
                             &header.crxVersion, &header.regVersion, &header.system,
                             &header.package, &header.regVersionFlags, &header.packageFlags,
                             nullptr);
}

CrxResult CCrxLibraryCalls::ImportDiffBase(const QString& archivePath, const QString& workFolder,
                                           const CrxAbortFlag* abort, const QString& resourceFolder,
                                           const CrxFileInfo& header)
{
    return CrxImportContents(archivePath, workFolder, abort, CRX_IMPORT_DIFFBASE, resourceFolder,
                             &header.machineType, &header.crxVersion, &header.regVersion,
                             &header.system, &header.package, &header.regVersionFlags,
                             &header.packageFlags, nullptr);
}

CrxResult CCrxLibraryCalls::ExportFull(const QString& workFolder, const QString& archivePath,
                                       const CrxAbortFlag* abort, const QString& extraFile,
                                       const CrxFileInfo& header)
{
    return CrxExport(workFolder, archivePath, abort, 1, extraFile, nullptr, nullptr, nullptr,
                     header.machineType, header.crxVersion, header.regVersion, header.system,
                     header.package, header.regVersionFlags, header.packageFlags, 1, 1, 1, 1, 1, 0);
}

CrxResult CCrxLibraryCalls::ExportPartial(const QString& workFolder, const QString& archivePath,
                                          const CrxAbortFlag* abort, const QString& extraFile,
                                          const CrxFileInfo& header, const CrxPartialWrite& partial)
{
    return CrxExport(workFolder, archivePath, abort, CRX_EXPORT_PARTIAL, extraFile,
                     &partial.addList, &partial.replaceList, &partial.diffList, header.machineType,
                     header.crxVersion, header.regVersion, header.system, header.package,
                     header.regVersionFlags, header.packageFlags, partial.movie, partial.fullScreen,
                     partial.halfScreen, partial.itemImages, partial.recommend, partial.noDataInfo);
}

CrxDetail CCrxLibraryCalls::LastDetail()
{
    return CrxLastDetail();
}

CCrxLibraryCalls& CCrxLibraryCalls::Current()
{
    static CCrxLibraryCalls library;
    CCrxLibraryCalls* calls = replacement().load();
    return calls ? *calls : library;
}

void CCrxLibraryCalls::Replace(CCrxLibraryCalls* calls)
{
    replacement().store(calls);
}

} // namespace tovanel
