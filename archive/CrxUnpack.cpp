#include "archive/CrxUnpack.h"

#include "archive/CCrxArchiver.h"
#include "archive/CCrxDirEnv.h"
#include "archive/CrxFileOps.h"
#include "archive/CrxGrammarNames.h"

#include <QDir>

CrxResult CrxUnpackArchive(const CCrxDirEnv& env, const QString& archivePath,
                           const CrxAbortFlag* abort, ICrxMemberSink* xmlSink)
{
    if (!DeleteFolderTree(env.UnpackFolder()) || !RetryCreateFolder(env.UnpackFolder()))
        return CRX_E_WORK_FOLDER;
    CCrxArchiver archiver;
    archiver.SetAbortFlag(abort);
    // What follows the XML (the schema texts, media) is taken from the
    // archive's end; the contents import reads the XML and checks it.
    archiver.SetMemberEnd(QByteArray("</") + crxname::kCrxparse + '>');
    if (CrxResult rc =
            archiver.UnpackStreaming(archivePath, env.UnpackFolder(),
                                     QString::fromLatin1(CCrxDirEnv::kDataXmlName), xmlSink)) {
        // The failed unpack took back what it wrote; the folder made above
        // goes too, unless something stands in it after all.
        QDir().rmdir(env.UnpackFolder());
        return rc;
    }
    if (PathKind(env.DataXmlPath()) != CRX_PATH_FILE)
        return CRX_E_NO_DATAXML;
    return CRX_OK;
}
