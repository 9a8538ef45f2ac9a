#include "launcher/CSelectiveSaveCommand.h"

#include "launcher/CCrxTblSelDlg.h"
#include "launcher/CTovanelFileCommands.h"
#include "launcher/CTovanelFileHost.h"
#include "launcher/PlaceArchives.h"
#include "shared/config/CBasePath.h"
#include "shared/lang/CProgramLang.h"
#include "goods/base/ProgramMessage.h"
#include "platform/MessageBox.h"

#include <QFile>

#include <cerrno>

namespace tovanel {

namespace {

const QString kTempPrefix = QStringLiteral("CEP");
const QString kTempExtension = QStringLiteral(".tmp");

// Title kind of a file opened or saved under its name.
constexpr int kTitleFile = 2;

} // namespace

CSelectiveSaveCommand::CSelectiveSaveCommand(CTovanelFileCommands& files, CTovanelFileHost& host)
    : m_files(files), m_host(host)
{
}

bool CSelectiveSaveCommand::SelectiveSave()
{
    CCrxTblSelDlg dialog(m_host.HostWindow());
    dialog.m_strLocalDataFolder = m_files.m_strLocalDataFolder;
    dialog.m_strCurFilePath = m_files.m_strCurFilePath;
    dialog.m_bDispArchive = m_files.m_bDispArchive;
    dialog.m_checkTarget = [this](const QString& path, bool fullArchive) {
        return m_files.CheckNotInWorkFolder(path) &&
               (!fullArchive || m_files.CheckNotSubArchiveName(path));
    };
    if (dialog.DoModal() != platform::IDOK)
        return false;

    m_files.m_nLastSaveResult = 0;
    // The lists stay in the window for the next save.
    m_files.m_partialWrite = dialog.m_partial;
    m_files.m_strExtraFile = dialog.m_strOesFile;
    const bool saveAll = dialog.m_bSaveAll != 0;

    QString partialTemp;
    QString fullTemp;
    const auto removeTemps = [&] {
        // An unfinished archive is of no use to anybody.
        if (!partialTemp.isEmpty())
            QFile::remove(partialTemp);
        if (!fullTemp.isEmpty())
            QFile::remove(fullTemp);
        m_files.m_strExtraFile.clear();
    };
    errno = 0;
    if (!CBasePath::CreateTempFileName(m_files.m_strLocalDataFolder, kTempPrefix, kTempExtension,
                                       partialTemp) ||
        (saveAll && !CBasePath::CreateTempFileName(m_files.m_strLocalDataFolder, kTempPrefix,
                                                   kTempExtension, fullTemp))) {
        const int error = errno != 0 ? errno : EIO;
        removeTemps();
        ShowSaveError(error);
        return false;
    }

    if (!m_files.WriteArchive(partialTemp, 2)) {
        removeTemps();
        return false;
    }
    // The full write renews the stored work-database time; the window takes
    // it, with the name, only once the archive is in place.
    const qint64 storedTime = m_files.m_nWorkDbTime;
    if (saveAll && !m_files.WriteArchive(fullTemp, 1)) {
        removeTemps();
        return false;
    }
    const qint64 writtenTime = m_files.m_nWorkDbTime;
    m_files.m_nWorkDbTime = storedTime;
    m_files.m_strExtraFile.clear();

    QList<ArchiveMove> moves{{partialTemp, dialog.m_strPartialPath}};
    if (saveAll)
        moves.append({fullTemp, dialog.m_strFullPath});
    if (const int error = PlaceArchives(moves); error != 0) {
        removeTemps();
        ShowSaveError(error);
        return false;
    }
    if (saveAll) {
        m_files.m_nWorkDbTime = writtenTime;
        m_files.m_nTitleKind = kTitleFile;
        m_files.m_strCurFileName = dialog.m_strFullFileName;
        m_files.m_strCurFilePath = dialog.m_strFullPath;
        m_host.UpdateTitle();
        m_files.m_nLastSaveResult = 1;
    }
    return true;
}

void CSelectiveSaveCommand::ShowSaveError(int error)
{
    const QString key = QStringLiteral("CRDS_MSG_E_SAVECRP");
    ShowProgramMessageText(
        {m_host.HostWindow(), m_host.ApplicationTitle()}, key,
        QStringLiteral("%1\nLastError=[%2]")
            .arg(GetLangString(key),
                 QString::number(uint(error), 16).toUpper().rightJustified(8, u'0')),
        platform::MessageIcon::Error);
}

} // namespace tovanel
