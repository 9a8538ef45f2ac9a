#pragma once

#include "archive/CrxDetail.h"
#include "archive/CrxFileInfo.h"
#include "archive/CrxResult.h"
#include "launcher/CrxPartialWrite.h"
#include "shared/config/CBasePath.h"

#include <QString>

namespace tovanel {

// The launcher's own result: the archive was made for another system.
constexpr CrxResult CRX_E_SYSTEM_MISMATCH = 0xE0000044;

class CDiffShadowTables;

// One read of an archive into the work folder, or one full or partial write
// of the work folder into an archive, as the progress dialog's worker runs
// it. A partial write with a difference list first works out the difference
// against the diff base archive in shadow tables. No widgets:
// Run is called on a worker thread; only the abort flag is touched from the
// window's thread while it runs.
class CCrxReadWriteJob
{
public:
    enum class Mode { Read, WriteFull, WritePartial };

    Mode m_mode = Mode::Read;
    QString m_strArchivePath;
    QString m_strWorkFolder;     // the local data folder, holding "SETTING.DB"
    QString m_strResourceFolder; // the installation's resource folder (read)
    QString m_strExtraFile;      // packed into the archive (write; "" = none)
    // Read: what the archive's header held. Write: written into the header.
    CrxFileInfo m_header;

    // Partial write: the table lists, media groups and no-data-info.
    CrxPartialWrite m_partial;
    // Fixed when the job is made: every shadow row of one save carries it.
    QString m_strJobTime = GetTimestampOfNow();

    // After a failure: where the failing call found the fault, if it says.
    CrxDetail m_detail;
    // Set while the difference is worked out; after a failure it says that
    // the diff base (not the target) was the trouble.
    bool m_bDiffPhase = false;

    // Set by the window's thread to stop the library at its next check.
    CrxAbortFlag m_abort{0};

    // The three values every job needs.
    void Set(Mode mode, const QString& archivePath, const QString& workFolder)
    {
        m_mode = mode;
        m_strArchivePath = archivePath;
        m_strWorkFolder = workFolder;
    }

    // Runs the job: 0 or a result code (CRX_E_CANCELLED after an abort).
    CrxResult Run();

private:
    CrxResult Read();
    CrxResult WriteFull();
    CrxResult WritePartial();
    // Shadow tables made, diff base read into them, difference filled.
    CrxResult PrepareDifference(CDiffShadowTables& shadows);

    // The failure's detail was taken from the shadow tables, not the library.
    bool m_bShadowDetail = false;
};

} // namespace tovanel
