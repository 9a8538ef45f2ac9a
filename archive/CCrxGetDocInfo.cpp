#include "archive/CCrxGetDocInfo.h"

#include "archive/CCrxRecord.h"
#include "archive/CrxFileOps.h"
#include "archive/CrxGrammarNames.h"
#include "archive/CrxUnpack.h"

CrxResult CCrxGetDocInfo::Open(const QString& archivePath, const QString& baseFolder,
                               const CrxAbortFlag* abort)
{
    if (archivePath.isEmpty())
        return CRX_E_NO_ARCHIVE;
    if (CrxResult rc = m_env.Init(baseFolder))
        return rc;
    m_pAbort = abort ? abort : &m_nOwnAbort;
    if (PathKind(archivePath) != CRX_PATH_FILE)
        return CRX_E_NO_ARCHIVE;
    if (CrxResult rc = CrxUnpackArchive(m_env, archivePath, m_pAbort))
        return rc;
    BuildHeaderGrammar();
    return CrxAborted(m_pAbort) ? CRX_E_CANCELLED : CRX_OK;
}

void CCrxGetDocInfo::BuildHeaderGrammar()
{
    auto fileinfo = std::make_unique<CCrxRecord>(crxname::kFileinfo);
    auto add = [&](const char* name) {
        return fileinfo->AddItem(std::make_unique<CCrxItem>(QString::fromLatin1(name)));
    };
    m_pMachineType = add(crxname::kMachinetype);
    m_pCrxVersion = add(crxname::kCrxver);
    m_pRegVersion = add(crxname::kRegver);
    m_pSystem = add(crxname::kSystem);
    m_pPackage = add(crxname::kPackage);
    auto crxparse = std::make_unique<CCrxNode>(crxname::kCrxparse);
    crxparse->AddChild(std::move(fileinfo));
    m_pCrxparse = crxparse.get();
    m_root.AddChild(std::move(crxparse));
    m_stack.Clear();
    m_stack.Push(&m_root);
}

CrxFileInfo CCrxGetDocInfo::FileInfo() const
{
    CrxFileInfo info;
    if (!m_pMachineType)
        return info;
    info.machineType = m_pMachineType->m_strValue;
    info.crxVersion = m_pCrxVersion->m_strValue;
    info.regVersion = m_pRegVersion->m_strValue;
    info.system = m_pSystem->m_strValue;
    info.package = m_pPackage->m_strValue;
    info.regVersionFlags = m_pRegVersion->WasRead() ? 1 : 0;
    info.packageFlags = m_pPackage->WasRead() ? 1 : 0;
    return info;
}

bool CCrxGetDocInfo::ParseComplete(QStringView endedName) const
{
    return m_pCrxparse && m_stack.Top() == m_pCrxparse &&
           endedName == QLatin1String(crxname::kFileinfo);
}
