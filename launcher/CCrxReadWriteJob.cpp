#include "launcher/CCrxReadWriteJob.h"

#include "launcher/CCrxLibraryCalls.h"
#include "launcher/CDiffShadowTables.h"
#include "launcher/TovanelStrings.h"
#include "shared/config/CBasePath.h"
#include "shared/config/CEcrInfo.h"

namespace tovanel {

CrxResult CCrxReadWriteJob::Run()
{
    m_detail = CrxDetail();
    m_bShadowDetail = false;
    m_bDiffPhase = false;
    CrxResult result = CRX_OK;
    switch (m_mode) {
    case Mode::Read:
        result = Read();
        break;
    case Mode::WriteFull:
        result = WriteFull();
        break;
    case Mode::WritePartial:
        result = WritePartial();
        break;
    }
    // The detail lives on this thread and belongs to the library call that
    // failed last, so it is taken here.
    if (result != CRX_OK && result != CRX_E_CANCELLED && result != CRX_E_SYSTEM_MISMATCH &&
        !m_bShadowDetail)
        m_detail = CCrxLibraryCalls::Current().LastDetail();
    return result;
}

CrxResult CCrxReadWriteJob::Read()
{
    CCrxLibraryCalls& library = CCrxLibraryCalls::Current();
    m_header = CrxFileInfo();
    CrxResult result = library.ImportHeader(m_strArchivePath, m_strWorkFolder, &m_abort, m_header);
    if (result != CRX_OK)
        return result;

    // The INI readers below show a message and throw when the launcher INI is
    // gone; no window may be shown from this thread, so that is checked here.
    QString ini;
    if (!CEcrInfo::FindEcrIniPath(ini))
        return CRX_E_FILE_ACCESS;

    // The archive's machine type names the model, which becomes the current one.
    const QString modelId = CEcrInfo::GetSelectedEcrTypeFromIni2(m_header.machineType);
    const QString modelFolder = CEcrInfo::GetCurrentEcrTypeFromIni(modelId, 1);
    CEcrInfo::SetCurrentEcrType(modelId);

    const QString system = CBasePath::GetSystemType();
    if (system.compare(strings::kSystemIgnore, Qt::CaseInsensitive) != 0 &&
        system.compare(m_header.system, Qt::CaseInsensitive) != 0)
        return CRX_E_SYSTEM_MISMATCH;

    result = library.ImportInitSettingDB(m_strArchivePath, m_strWorkFolder, m_strResourceFolder,
                                         modelFolder);
    if (result != CRX_OK)
        return result;
    return library.ImportContents(m_strArchivePath, m_strWorkFolder, &m_abort, m_strResourceFolder,
                                  m_header);
}

CrxResult CCrxReadWriteJob::WriteFull()
{
    return CCrxLibraryCalls::Current().ExportFull(m_strWorkFolder, m_strArchivePath, &m_abort,
                                                  m_strExtraFile, m_header);
}

CrxResult CCrxReadWriteJob::WritePartial()
{
    CDiffShadowTables shadows(m_strWorkFolder, m_partial.diffList, m_strJobTime);
    const bool difference = !m_partial.diffList.isEmpty();
    CrxResult result = CRX_OK;
    if (difference) {
        m_bDiffPhase = true;
        result = PrepareDifference(shadows);
        if (result == CRX_OK)
            m_bDiffPhase = false;
    }
    if (result == CRX_OK)
        result = CCrxLibraryCalls::Current().ExportPartial(
            m_strWorkFolder, m_strArchivePath, &m_abort, m_strExtraFile, m_header, m_partial);
    // The shadow tables never outlive the save; a table left by a failed drop
    // is made afresh by the next difference save and never exported.
    if (difference)
        shadows.DropShadowTables();
    // A cancel wins even over a write the library finished.
    if (CrxAborted(&m_abort))
        return CRX_E_CANCELLED;
    return result;
}

CrxResult CCrxReadWriteJob::PrepareDifference(CDiffShadowTables& shadows)
{
    CrxResult result = shadows.CreateShadowTables();
    if (result == CRX_OK && CrxAborted(&m_abort))
        return CRX_E_CANCELLED;
    if (result == CRX_OK) {
        result = CCrxLibraryCalls::Current().ImportDiffBase(
            m_strWorkFolder + u'/' + strings::kDiffBaseCrx, m_strWorkFolder, &m_abort,
            m_strResourceFolder, m_header);
        if (result != CRX_OK)
            return result;
        if (CrxAborted(&m_abort))
            return CRX_E_CANCELLED;
        result = shadows.FillDiffTables();
    }
    if (result != CRX_OK) {
        m_bShadowDetail = true;
        m_detail.table = shadows.FailedTable();
        return result;
    }
    return CrxAborted(&m_abort) ? CRX_E_CANCELLED : CRX_OK;
}

} // namespace tovanel
