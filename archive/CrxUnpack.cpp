#include "archive/CrxUnpack.h"

#include "archive/CCrxArchiver.h"
#include "archive/CCrxDirEnv.h"
#include "archive/CrxFileOps.h"

CrxResult CrxUnpackArchive(const CCrxDirEnv& env, const QString& archivePath,
                           const CrxAbortFlag* abort)
{
    if (!DeleteFolderTree(env.UnpackFolder()) || !RetryCreateFolder(env.UnpackFolder()))
        return CRX_E_WORK_FOLDER;
    CCrxArchiver archiver;
    archiver.SetAbortFlag(abort);
    if (CrxResult rc = archiver.Unpack(archivePath, env.UnpackFolder()))
        return rc;
    if (PathKind(env.DataXmlPath()) != CRX_PATH_FILE)
        return CRX_E_NO_DATAXML;
    return CRX_OK;
}
