#include "archive/CCrxDocument.h"

#include "archive/CCrxNode_dbinfo.h"
#include "archive/CCrxNode_recinfo.h"
#include "archive/CCrxNode_tabinfo.h"
#include "archive/CCrxRecord.h"
#include "archive/CCrxRecord_baserec.h"
#include "archive/CCrxRecord_datarec.h"
#include "archive/CrxFileOps.h"
#include "archive/CrxGrammarNames.h"
#include "archive/CrxUnpack.h"

#include <QDir>

CCrxDocument::~CCrxDocument()
{
    if (m_env.IsInitialised())
        DeleteFolderTree(m_env.UnpackFolder());
}

const QStringList* CCrxDocument::GetTableSelection() const
{
    return m_nAllTables ? nullptr : &m_tableSelection;
}

CrxResult CCrxDocument::FlushRows()
{
    const CrxResult setting = m_settingDb.FlushRows();
    const CrxResult customer = m_customerDb.FlushRows();
    return setting != CRX_OK ? setting : customer;
}

void CCrxDocument::BuildGrammar(bool exporting)
{
    using namespace crxname;
    auto tabinfo = std::make_unique<CCrxNode_tabinfo>();
    auto recinfo = std::make_unique<CCrxNode_recinfo>(0);
    recinfo->AddChild(std::make_unique<CCrxRecord_datarec>());
    tabinfo->AddChild(std::move(recinfo));
    if (exporting) {
        auto deleted = std::make_unique<CCrxNode_recinfo>(1);
        deleted->AddChild(std::make_unique<CCrxRecord_baserec>());
        tabinfo->AddChild(std::move(deleted));
    }
    auto dbinfo = std::make_unique<CCrxNode_dbinfo>();
    dbinfo->AddChild(std::move(tabinfo));
    auto datainfo = std::make_unique<CCrxNode>(kDatainfo);
    datainfo->AddChild(std::move(dbinfo));

    auto fileinfo = std::make_unique<CCrxRecord>(kFileinfo);
    auto add = [&](const char* name, const QString& value) {
        CCrxItem* item = fileinfo->AddItem(std::make_unique<CCrxItem>(QString::fromLatin1(name)));
        item->m_strValue = value;
        return item;
    };
    add(kMachinetype, m_fileInfo.machineType);
    add(kCrxver, m_fileInfo.crxVersion);
    CCrxItem* regver = add(kRegver, m_fileInfo.regVersion);
    add(kSystem, m_fileInfo.system);
    CCrxItem* package = add(kPackage, m_fileInfo.package);
    regver->m_nWriteEmpty = regver->m_strValue.isEmpty() && (m_fileInfo.regVersionFlags & 1);
    package->m_nWriteEmpty = package->m_strValue.isEmpty() && (m_fileInfo.packageFlags & 1);

    auto crxparse = std::make_unique<CCrxNode>(kCrxparse);
    crxparse->AddChild(std::move(fileinfo));
    if (!(exporting && m_nExportKind == 2 && m_nNoDataInfo != 0))
        crxparse->AddChild(std::move(datainfo));
    m_root.AddChild(std::move(crxparse));
    m_stack.Clear();
    m_stack.Push(&m_root);
}

CrxResult CCrxDocument::InitImport(const QString& archivePath, const QString& baseFolder,
                                   const CrxAbortFlag* abort, int importMode,
                                   const QStringList* tables)
{
    if (archivePath.isEmpty())
        return CRX_E_NO_ARCHIVE;
    if (CrxResult rc = m_env.Init(baseFolder))
        return rc;
    SetAbortFlag(abort);
    m_nImportMode = importMode;
    m_nAllTables = tables ? 0 : 1;
    m_tableSelection = tables ? *tables : QStringList();
    if (PathKind(archivePath) != CRX_PATH_FILE)
        return CRX_E_NO_ARCHIVE;
    if (PathKind(m_env.SettingDbPath()) != CRX_PATH_FILE)
        return CRX_E_NO_SETTINGDB;
    if (importMode == CRX_IMPORT_DIFFBASE) {
        if (CrxResult rc = CrxUnpackArchive(m_env, archivePath, m_pAbort))
            return rc;
    } else if (PathKind(m_env.DataXmlPath()) != CRX_PATH_FILE) {
        return CRX_E_NO_DATAXML;
    }
    BuildGrammar(false);
    if (CrxResult rc =
            m_settingDb.Open(m_env.SettingDbPath(), m_env.UnpackFolder(), m_env.BlobFolder()))
        return rc;
    if (CrxResult rc =
            m_customerDb.Open(m_env.CustomerDbPath(), m_env.UnpackFolder(), m_env.BlobFolder()))
        return rc;
    return CrxAborted(m_pAbort) ? CRX_E_CANCELLED : CRX_OK;
}

CrxResult CCrxDocument::FinishImport(const QString& archivePath, CrxResult code)
{
    // Both databases are closed here, not in the destructor, so a failed
    // final commit of either is reported instead of passing as success.
    const CrxResult settingClosed = m_settingDb.Close();
    const CrxResult customerClosed = m_customerDb.Close();
    if (code != CRX_OK)
        return code;
    if (settingClosed != CRX_OK)
        return settingClosed;
    if (customerClosed != CRX_OK)
        return customerClosed;
    // Fails when the base folder has media already; the unpacked ones then go
    // with the unpack folder. A diff base only lends its rows for comparing:
    // its media would come back with the next full save after they were
    // removed from the work folder.
    if (m_nImportMode != CRX_IMPORT_DIFFBASE)
        QDir().rename(m_env.UnpackedMediaFolder(), m_env.BaseMediaFolder());
    CrxTime time;
    if (ReadFileTime(archivePath, time) == CRX_OK)
        m_env.WriteTimestamp(CRX_STAMP_IMPORT, time);
    return CRX_OK;
}
