#include "launcher/CTableImportCommand.h"

#include "launcher/CImportTblDlg.h"
#include "launcher/CImportTblSelDlg.h"
#include "launcher/CTovanelFileCommands.h"
#include "launcher/CTovanelFileHost.h"
#include "shared/config/CBasePath.h"
#include "shared/controls/CWaitCursor.h"
#include "stroven/Stroven.h"
#include "platform/MessageBox.h"

#include <QFileInfo>
#include <QWidget>

namespace tovanel {

CTableImportCommand::CTableImportCommand(CTovanelFileCommands& files, CTovanelFileHost& host)
    : m_files(files), m_host(host)
{
}

bool CTableImportCommand::ImportFromArchive(QStringList& importList)
{
    QString archive;
    QString name;
    if (!m_files.SelectImportCrxFile(archive, name))
        return false;

    // The table dialog reads the tables on a connection of its own, which
    // is closed again before the import copies the database back. Opening
    // would create a missing database: that is never the work database.
    const QString localDataFolder = CBasePath::GetLocalDataBasePath();
    const QString workDb = localDataFolder + QStringLiteral("/SETTING.DB");
    if (!QFileInfo(workDb).isFile())
        return false;
    {
        CSQliteDB db;
        if (db.OpenDB(workDb) != 0)
            return false;
        CImportTblSelDlg tables(m_host.HostWindow());
        tables.m_pImportList = &importList;
        tables.m_pDb = &db;
        if (tables.DoModal() != platform::IDOK)
            return false;
    }

    CWaitCursor wait;
    m_host.HostWindow()->repaint();
    CImportTblDlg dialog(m_host.HostWindow());
    CImportTblJob& job = dialog.Job();
    job.m_strArchivePath = archive;
    job.m_strResourceFolder = m_files.m_strResourceFolder;
    job.m_tables = importList;
    job.m_openHeader = m_files.m_crxHeader;
    job.SetFolders(localDataFolder, CBasePath::GetLocalAnotherImportPath());
    dialog.m_strCaption = m_host.PlainApplicationTitle();
    return dialog.DoModal() == 1;
}

} // namespace tovanel
