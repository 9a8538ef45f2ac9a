#include "archive/CCrxExporter.h"

#include "archive/CCrxDb.h"
#include "archive/CCrxDirEnv.h"
#include "archive/CCrxNode.h"
#include "archive/CCrxPackWriter.h"
#include "archive/CCrxcnvXmlWriter.h"
#include "archive/CrxFileOps.h"
#include "archive/CrxExportWalk.h"
#include "archive/CrxGrammarNames.h"

#include <ctime>
#include <initializer_list>
#include <vector>

CCrxExporter::CCrxExporter(CCrxDirEnv& env, CCrxDb& settingDb, CCrxDb& customerDb)
    : m_env(env), m_settingDb(settingDb), m_customerDb(customerDb)
{
    m_context.dbs[0] = {QLatin1String(crxname::kSettingDbName), &m_settingDb};
    m_context.dbs[1] = {QLatin1String(crxname::kCustomerDbName), &m_customerDb};
    m_context.dbCount = 2;
    m_context.abort = &m_nOwnAbort;
}

CrxResult CCrxExporter::PrepareExport(const QString& baseFolder, const QString& archivePath,
                                      const CrxAbortFlag* abort, int exportKind,
                                      const QString& extraFile, const QStringList* addList,
                                      const QStringList* replaceList, const QStringList* diffList,
                                      const CrxMediaSwitches& media)
{
    if (archivePath.isEmpty())
        return CRX_E_NO_ARCHIVE;
    if (!extraFile.isEmpty() && PathKind(extraFile) != CRX_PATH_FILE)
        return CRX_E_EXTRA_FILE;

    m_context.addList = addList ? *addList : QStringList();
    m_context.replaceList = replaceList ? *replaceList : QStringList();
    m_context.diffList = diffList ? *diffList : QStringList();
    if (const CrxResult rc = m_env.Init(baseFolder); rc != CRX_OK)
        return rc;
    m_context.abort = abort ? abort : &m_nOwnAbort;
    m_context.exportKind = exportKind;

    if (PathKind(m_env.SettingDbPath()) != CRX_PATH_FILE)
        return CRX_E_NO_SETTINGDB;
    if (!DeleteFolderTree(m_env.UnpackFolder()) || !RetryCreateFolder(m_env.UnpackFolder()) ||
        !RetryCreateFolder(m_env.BlobFolder()))
        return CRX_E_WORK_FOLDER;
    if (const CrxResult rc = CopyMedia(media); rc != CRX_OK)
        return rc;
    if (!extraFile.isEmpty() && !CopyExtraFile(extraFile, m_env.UnpackFolder()))
        return CRX_E_EXTRA_COPY;

    if (const CrxResult rc =
            m_settingDb.Open(m_env.SettingDbPath(), m_env.UnpackFolder(), m_env.BlobFolder());
        rc != CRX_OK)
        return rc;
    return m_customerDb.Open(m_env.CustomerDbPath(), m_env.UnpackFolder(), m_env.BlobFolder());
}

CrxResult CCrxExporter::CopyMedia(const CrxMediaSwitches& media)
{
    const QString signage = QLatin1String(kSignageFolder);
    const QString source = m_env.BaseMediaFolder() + QLatin1Char('/') + signage;
    if (PathKind(source) == CRX_PATH_MISSING)
        return CRX_OK;
    const QString target = m_env.UnpackedMediaFolder() + QLatin1Char('/') + signage;
    if (!RetryCreateFolder(m_env.UnpackedMediaFolder()) || !RetryCreateFolder(target))
        return CRX_E_CREATE_FOLDER;

    QStringList folders{QStringLiteral("Setting")};
    if (media.movie == 1)
        folders << QStringLiteral("Movie");
    if (media.fullScreen == 1)
        folders << QStringLiteral("FullImage") << QStringLiteral("FullTelop")
                << QStringLiteral("Music");
    if (media.halfScreen == 1)
        folders << QStringLiteral("HalfImage") << QStringLiteral("HalfTelop");
    if (media.itemImages == 1)
        folders << QStringLiteral("ItemImage");
    if (media.recommend == 1)
        folders << QStringLiteral("Recommend");
    for (const QString& folder : std::as_const(folders)) {
        const QString from = source + QLatin1Char('/') + folder;
        // A missing folder is simply not packed; one that exists goes in
        // whole or the export fails, so an archive never carries half of it.
        if (PathKind(from) != CRX_PATH_FOLDER)
            continue;
        if (!CopyFolderTree(from, target + QLatin1Char('/') + folder))
            return CRX_E_CREATE_FOLDER;
    }
    return CRX_OK;
}

int CCrxExporter::CopyExtraFile(const QString& extraFile, const QString& unpackFolder)
{
    return CopyFileOverwrite(extraFile,
                             unpackFolder + QLatin1Char('/') + QLatin1String(kExtraFileName))
               ? 1
               : 0;
}

CrxResult CCrxExporter::WriteCrxFile(CCrxNode& root, const QString& archivePath)
{
    // Blobs go from the databases straight into the archive as the walk
    // meets them. The XML is staged in the unpack folder and follows with
    // the rest of it: a tar header needs the member's size first.
    CCrxcnvXmlWriter writer(m_env.DataXmlPath());
    CCrxPackWriter pack(m_context.abort, true);
    m_context.writer = &writer;
    m_context.pack = &pack;
    m_context.blobNames.clear();
    m_context.db = &m_settingDb;
    const QString blobPrefix =
        CrxExportWalk::BlobMemberPrefix(m_env.UnpackFolder(), m_env.BlobFolder());
    CrxResult rc = blobPrefix.isEmpty() ? CRX_E_WORK_FOLDER : CRX_OK;
    if (rc == CRX_OK && !writer.Open())
        rc = writer.LastError();
    if (rc == CRX_OK)
        rc = pack.OpenBeside(archivePath);
    if (rc == CRX_OK) {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        rc = pack.AddFolder(blobPrefix.chopped(1), now);
    }
    if (rc == CRX_OK)
        rc = root.WriteExport(m_context);
    if (rc == CRX_OK && !writer.Close())
        rc = writer.LastError() != CRX_OK ? writer.LastError() : CRX_E_XML_NOT_OPEN;
    std::vector<CCrxPackWriter::TreeItem> items;
    if (rc == CRX_OK)
        rc = CCrxPackWriter::CollectTree(m_env.UnpackFolder(), items);
    if (rc == CRX_OK) {
        // The blob folder's own member is already written.
        std::erase_if(items, [&blobPrefix](const CCrxPackWriter::TreeItem& item) {
            return item.folder && item.relative + QLatin1Char('/') == blobPrefix;
        });
        rc = pack.AddTree(items);
    }
    if (rc == CRX_OK)
        rc = pack.Commit(archivePath);
    m_context.writer = nullptr;
    m_context.pack = nullptr;
    m_context.blobNames.clear();
    return rc;
}

CrxResult CCrxExporter::FinishExport(const QString& archivePath, CrxResult code)
{
    const CrxResult closed = m_settingDb.Close();
    if (code != CRX_OK)
        return code;
    if (closed != CRX_OK)
        return closed;
    CrxTime time;
    if (ReadFileTime(archivePath, time) == CRX_OK)
        m_env.WriteTimestamp(CRX_STAMP_EXPORT, time);
    return CRX_OK;
}
