#include "launcher/CTovanelOesCommands.h"

#include "launcher/COesImportDlg.h"
#include "launcher/COesImportWorkDlg.h"
#include "launcher/COesSaveDlg.h"
#include "launcher/CTovanelFileCommands.h"
#include "launcher/CTovanelFileHost.h"
#include "launcher/Tovanelcmn.h"

#include "shared/lang/CProgramLang.h"
#include "goods/base/ProgramMessage.h"
#include "platform/MessageBox.h"
#include "stroven/Stroven.h"

#include <QFileInfo>

namespace tovanel {

CTovanelOesCommands::CTovanelOesCommands(CTovanelFileCommands& files, CTovanelFileHost& host,
                                         const Tovanelcmn& menu)
    : m_files(files), m_host(host), m_menu(menu)
{
}

bool CTovanelOesCommands::OesOpen(const QString& diffBaseArchive)
{
    m_files.m_nOpenCount = 1;
    const QString archive = m_strOesArchivePath.isEmpty()
                                ? QString()
                                : QFileInfo(m_strOesArchivePath).absoluteFilePath();
    if (!m_files.ReadArchive(archive, false))
        return false;
    m_files.StoreDiffBase(diffBaseArchive);
    m_files.GetWorkDbWriteTime(m_nOesRefTime);
    RunOesImport(1);
    m_host.UpdateTitle();
    return true;
}

void CTovanelOesCommands::RunOesImport(int atStart)
{
    COesImportDlg choice(m_host.HostWindow());
    if (atStart && !choice.m_bEveryStartup)
        return;
    // Opening a missing file would make an empty database: no archive is
    // open then, and nothing is taken over.
    if (!QFileInfo(m_files.m_strWorkDbPath).isFile())
        return;
    CSQliteDB db;
    if (db.OpenDB(m_files.m_strWorkDbPath) != 0)
        return;
    if (choice.DoModal() == platform::IDOK) {
        COesImportWorkDlg work(m_host.HostWindow());
        COesImportJob& job = work.Job();
        job.m_pDB = &db;
        job.m_strDataFolder = m_strOesDataFolder;
        job.m_bItems = choice.m_bItems;
        job.m_bDepartments = choice.m_bDepartments;
        job.m_bClerks = choice.m_bClerks;
        work.DoModal();
    }
    db.CloseDB();
}

void CTovanelOesCommands::OesSave()
{
    COesSaveDlg dialog(m_host.HostWindow());
    dialog.m_strCaption = m_host.ApplicationTitle();
    dialog.m_strLastOesFolder = m_strLastOesFolder;
    if (dialog.DoModal() != platform::IDOK)
        return;
    m_strLastOesFolder = dialog.m_strLastOesFolder;
    m_files.m_strExtraFile = dialog.m_strOesFile;
    m_files.FileSave();
    m_files.m_strExtraFile.clear();
}

bool CTovanelOesCommands::OesCloseCheck()
{
    qint64 now = 0;
    m_files.GetWorkDbWriteTime(now);
    const int state = m_menu.GetState();
    if (now == m_nOesRefTime || state == Tovanelcmn::MENU_NOFILE ||
        state == Tovanelcmn::MENU_RESERVED)
        return true;
    switch (ShowProgramMessage({m_host.HostWindow(), m_host.ApplicationTitle()},
                               QStringLiteral("CRDS_MSG_C_CONFIRMOESSAVE"),
                               platform::MessageIcon::Warning,
                               platform::MessageButtons::YesNoCancel)) {
    case platform::IDYES:
        return m_files.WriteArchive(QFileInfo(m_strOesArchivePath).absoluteFilePath(), 1);
    case platform::IDNO:
        return true;
    default:
        return false;
    }
}

} // namespace tovanel
