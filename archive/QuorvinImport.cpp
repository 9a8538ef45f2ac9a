#include "archive/QuorvinImport.h"

#include "archive/CCrxDocument.h"
#include "archive/CCrxGetDocInfo.h"
#include "archive/CCrxRenewCheck.h"
#include "archive/CCrxSchemaEnv.h"
#include "archive/CrxDetail.h"
#include "archive/CrxFileOps.h"
#include "archive/CrxGuard.h"
#include "archive/CrxParse.h"

#include <QFileInfo>

#include <memory>

namespace {

// The header read wipes the base folder: an archive inside it would be
// deleted before it is read.
bool LiesInside(const QString& path, const QString& folder)
{
    const QString realFolder = QFileInfo(folder).canonicalFilePath();
    const QString realPath = QFileInfo(path).canonicalFilePath();
    if (realFolder.isEmpty() || realPath.isEmpty())
        return false;
    return realPath.startsWith(realFolder.endsWith(u'/') ? realFolder : realFolder + u'/');
}

template <typename T> void Put(T* out, const T& value)
{
    if (out)
        *out = value;
}

template <typename T> T Get(const T* in)
{
    return in ? *in : T();
}

} // namespace

CrxResult CrxImportHeader(const QString& archiveArgument, const QString& baseArgument,
                          const CrxAbortFlag* abort, QString* machineType, QString* crxVersion,
                          QString* regVersion, QString* system, QString* package,
                          int* regVersionFlags, int* packageFlags)
{
    CrxResetDetail();
    const QString archivePath = AbsolutePath(archiveArgument);
    const QString baseFolder = AbsolutePath(baseArgument);
    // Checked before the base folder is emptied, so a wrong path loses
    // nothing.
    if (archivePath.isEmpty() || PathKind(archivePath) != CRX_PATH_FILE)
        return CRX_E_NO_ARCHIVE;
    if (LiesInside(archivePath, baseFolder) || !ResetFolder(baseFolder))
        return CRX_E_FILE_ACCESS;

    std::unique_ptr<CCrxGetDocInfo> doc;
    const CrxResult rc = Guarded(CRX_E_EXCEPTION_SETUP, [&] {
        doc = std::make_unique<CCrxGetDocInfo>();
        return doc->Open(archivePath, baseFolder, abort);
    });
    if (rc != CRX_OK)
        return rc;

    // The header was read on the way.
    const CrxFileInfo info = doc->FileInfo();
    Put(machineType, info.machineType);
    Put(crxVersion, info.crxVersion);
    Put(regVersion, info.regVersion);
    Put(system, info.system);
    Put(package, info.package);
    Put(regVersionFlags, info.regVersionFlags);
    Put(packageFlags, info.packageFlags);
    return CRX_OK;
}

CrxResult CrxImportInitSettingDB(const QString&, const QString& baseFolder, QString resourceFolder,
                                 QString modelFolder)
{
    CrxResetDetail();
    return Guarded(CRX_E_FILE_ACCESS, [&] {
        return CCrxSchemaEnv::InitSettingDbFiles(AbsolutePath(baseFolder),
                                                 AbsolutePath(resourceFolder), modelFolder)
                   ? CRX_OK
                   : CRX_E_FILE_ACCESS;
    });
}

CrxResult CrxImportContents(const QString& archiveArgument, const QString& baseArgument,
                            const CrxAbortFlag* abort, int importMode, QString,
                            const QString* machineType, const QString* crxVersion,
                            const QString* regVersion, const QString* system,
                            const QString* package, const int* regVersionFlags,
                            const int* packageFlags, const QStringList* tables)
{
    CrxResetDetail();
    const QString archivePath = AbsolutePath(archiveArgument);
    const QString baseFolder = AbsolutePath(baseArgument);
    std::unique_ptr<CCrxDocument> doc;
    CrxResult rc = Guarded(CRX_E_EXCEPTION_SETUP, [&] {
        doc = std::make_unique<CCrxDocument>();
        doc->m_fileInfo = {Get(machineType), Get(crxVersion),      Get(regVersion),  Get(system),
                           Get(package),     Get(regVersionFlags), Get(packageFlags)};
        return doc->InitImport(archivePath, baseFolder, abort, importMode, tables);
    });
    if (rc != CRX_OK)
        return rc;
    rc = Guarded(CRX_E_EXCEPTION_RUN, [&] {
        // Chosen tables are emptied as their sections come: every section
        // must be whole before the first one is.
        if (tables && importMode == CRX_IMPORT_NORMAL)
            if (CrxResult refused =
                    CCrxRenewCheck::Check(doc->DirEnv(), archivePath, *tables, abort))
                return refused;
        const CrxResult parsed = CrxParseDataXml(*doc, doc->DirEnv(), archivePath);
        // Rows are inserted behind the parse: one that failed came before
        // whatever ended it.
        const CrxResult rows = doc->FlushRows();
        return rows != CRX_OK ? rows : parsed;
    });
    rc = Guarded(CRX_E_EXCEPTION_RUN, [&] { return doc->FinishImport(archivePath, rc); });
    try {
        doc.reset();
    } catch (...) {
    }
    // The archive is damaged, or its end held what a reading from its start
    // does not: nothing of it is kept. The work databases the open built
    // (from schema texts the header read took from the archive's end) go
    // with the rest of the base folder, which the header read had emptied.
    if (rc == CRX_E_UNPACK && importMode == CRX_IMPORT_NORMAL)
        ResetFolder(baseFolder);
    return rc;
}

CrxResult AnotherCrxImportInitialize(const QString& sourceFile, const QString& destinationFile)
{
    CrxResetDetail();
    return RetryCopyFile(AbsolutePath(sourceFile), AbsolutePath(destinationFile)) ? CRX_OK
                                                                                  : CRX_E_DB_COPY;
}

CrxResult AnotherCrxImportImportedDbCopy(const QString& firstFile, const QString& secondFile)
{
    CrxResetDetail();
    return RetryCopyFile(AbsolutePath(secondFile), AbsolutePath(firstFile)) ? CRX_OK
                                                                            : CRX_E_DB_COPY;
}

CrxResult AnotherCrxImportFinalize(const QString& folder)
{
    CrxResetDetail();
    return DeleteFolderTree(AbsolutePath(folder)) ? CRX_OK : CRX_E_DELETE_FOLDER;
}

CrxResult CrxDeleteFolder(const QString& folder)
{
    return AnotherCrxImportFinalize(folder);
}

CrxResult CrxCreateFolder(const QString& folder)
{
    CrxResetDetail();
    return RetryCreateFolder(AbsolutePath(folder)) ? CRX_OK : CRX_E_CREATE_FOLDER;
}
