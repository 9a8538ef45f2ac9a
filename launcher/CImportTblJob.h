#pragma once

#include "archive/CrxDetail.h"
#include "archive/CrxFileInfo.h"
#include "archive/CrxResult.h"

#include <QString>
#include <QStringList>

namespace tovanel {

// One table import from another archive, as the import dialog's worker runs
// it in two phases: the other archive's header is read (unpacked into the
// import folder), then, once the window has asked what it must, the chosen
// tables are taken into a copy of the work database in the import folder and
// the copy replaces the work database. No widgets: both phases run on a
// worker thread; only the abort flag is touched from the window's thread.
class CImportTblJob
{
public:
    QString m_strArchivePath;    // the archive to import from
    QString m_strResourceFolder; // the installation's resource folder
    QStringList m_tables;        // the chosen table codes
    // The local data folder, the import folder and the two databases.
    QString m_strLocalDataFolder;
    QString m_strImportFolder;
    QString m_strWorkDbPath;
    QString m_strImportDbPath;

    // The header of the archive open in the launcher, and what the other
    // archive's header held.
    CrxFileInfo m_openHeader;
    CrxFileInfo m_importHeader;

    // After a failure: where the failing call found the fault, if it says.
    CrxDetail m_detail;
    CrxAbortFlag m_abort{0};

    // The four paths from the two folders.
    void SetFolders(const QString& localDataFolder, const QString& importFolder);

    // Phase 1: 0 or a result code.
    CrxResult ReadHeader();
    // Phase 2: the first failing code, else the import folder's removal.
    // The work database is only replaced after every table was taken.
    CrxResult Import();

    // The questions asked between the phases: "" when there is nothing to
    // ask (same package; same archive and register versions).
    QString PackageQuestion() const;
    QString VersionQuestion() const;

private:
    // "CRDS_MSG_IMPORTINFO" with the model names of both archives.
    QString ImportInfoLine() const;
    // The detail of the library call that failed last on this thread.
    CrxResult Failed(CrxResult result);
};

} // namespace tovanel
