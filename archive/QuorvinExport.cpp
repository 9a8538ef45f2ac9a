#include "archive/QuorvinExport.h"

#include "archive/CCrxDocument.h"
#include "archive/CCrxExporter.h"
#include "archive/CCrxSchemaEnv.h"
#include "archive/CrxDetail.h"
#include "archive/CrxFileOps.h"
#include "archive/CrxGuard.h"

#include <memory>

CrxResult CrxExport(const QString& baseArgument, const QString& archiveArgument,
                    const CrxAbortFlag* abort, int exportKind, const QString& extraArgument,
                    const QStringList* addList, const QStringList* replaceList,
                    const QStringList* diffList, QString machineType, QString crxVersion,
                    QString regVersion, QString system, QString package, int keepRegVersionFlags,
                    int keepPackageFlags, int movie, int fullScreen, int halfScreen, int itemImages,
                    int recommend, int noDataInfo)
{
    CrxResetDetail();
    const QString baseFolder = AbsolutePath(baseArgument);
    const QString archivePath = AbsolutePath(archiveArgument);
    const QString extraFile = AbsolutePath(extraArgument);
    std::unique_ptr<CCrxDocument> document;
    std::unique_ptr<CCrxExporter> exporter;
    CrxResult rc = CRX_OK;
    try {
        document = std::make_unique<CCrxDocument>();
        CrxFileInfo& info = document->m_fileInfo;
        info.machineType = machineType;
        info.crxVersion = crxVersion;
        info.regVersion = regVersion;
        info.system = system;
        info.package = package;
        info.regVersionFlags = keepRegVersionFlags;
        info.packageFlags = keepPackageFlags;
        document->m_nMovie = movie;
        document->m_nFullScreen = fullScreen;
        document->m_nHalfScreen = halfScreen;
        document->m_nItemImage = itemImages;
        document->m_nRecommend = recommend;
        document->m_nNoDataInfo = noDataInfo;
        document->m_nExportKind = exportKind;
        document->SetAbortFlag(abort);

        exporter = std::make_unique<CCrxExporter>(document->DirEnv(), *document->GetSettingDb(),
                                                  *document->GetCustomerDb());
        const CrxMediaSwitches media{movie, fullScreen, halfScreen, itemImages, recommend};
        rc = exporter->PrepareExport(baseFolder, archivePath, abort, exportKind, extraFile, addList,
                                     replaceList, diffList, media);
        if (rc == CRX_OK) {
            const CrxExportContext& context = exporter->Context();
            document->m_addList = context.addList;
            document->m_replaceList = context.replaceList;
            document->m_differenceList = context.diffList;
            document->BuildGrammar(true);
            CCrxSchemaEnv schema;
            if (schema.CopySchemaFile(baseFolder, CRX_SCHEMA_SETTING) != CRX_OK ||
                schema.CopySchemaFile(baseFolder, CRX_SCHEMA_CUSTOMER) != CRX_OK)
                rc = CRX_E_SCHEMA_COPY;
        }
    } catch (...) {
        rc = GuardCode(std::current_exception(), CRX_E_EXCEPTION_SETUP);
    }
    if (rc == CRX_OK) {
        try {
            rc = exporter->WriteCrxFile(document->Root(), archivePath);
            rc = exporter->FinishExport(archivePath, rc);
        } catch (...) {
            rc = GuardCode(std::current_exception(), CRX_E_EXCEPTION_RUN);
        }
    }
    // The exporter works on the document's parts: it goes first. The
    // document then deletes the unpack folder and closes the databases.
    exporter.reset();
    document.reset();
    return rc;
}

int CrxCompareDateTime(const QString& filePath, const QString& baseFolder, int kind)
{
    CrxResetDetail();
    if (filePath.isEmpty() || baseFolder.isEmpty())
        return 0;
    CCrxDirEnv env;
    if (env.Init(AbsolutePath(baseFolder)) != CRX_OK)
        return 0;
    CrxTime fileTime;
    CrxTime stamp;
    if (ReadFileTime(AbsolutePath(filePath), fileTime) != CRX_OK ||
        env.ReadTimestamp(kind, stamp) != CRX_OK)
        return 0;
    return fileTime == stamp ? 1 : 0;
}
