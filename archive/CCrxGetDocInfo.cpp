#include "archive/CCrxGetDocInfo.h"

#include "archive/CCrxRecord.h"
#include "archive/CrxFileOps.h"
#include "archive/CrxGrammarNames.h"
#include "archive/CrxContentSink.h"
#include "archive/CrxUnpack.h"

namespace {

// The header read never fails on the parse: a damaged archive XML is
// reported by the contents import. What throws only ends the header.
class HeaderSink : public CrxContentSink
{
public:
    using CrxContentSink::CrxContentSink;

    bool Take(QByteArrayView bytes) override
    {
        try {
            m_bGoing = m_bGoing && CrxContentSink::Take(bytes);
        } catch (...) {
            m_bGoing = false;
        }
        return m_bGoing;
    }
    void End() override
    {
        try {
            if (m_bGoing)
                CrxContentSink::End();
        } catch (...) {
        }
        m_bGoing = false;
    }

private:
    bool m_bGoing = true;
};

} // namespace

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
    // The header is read while the archive unpacks, from the XML as it
    // is decompressed.
    BuildHeaderGrammar();
    HeaderSink sink(*this);
    if (CrxResult rc = CrxUnpackArchive(m_env, archivePath, m_pAbort, &sink))
        return rc;
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

bool CCrxGetDocInfo::ParseComplete(QByteArrayView endedName) const
{
    return m_pCrxparse && m_stack.Top() == m_pCrxparse &&
           endedName == QByteArrayView(crxname::kFileinfo);
}
