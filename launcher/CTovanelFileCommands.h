#pragma once

#include "archive/CrxFileInfo.h"
#include "launcher/CrxPartialWrite.h"
#include "goods/base/ProgramMessage.h"
#include "platform/MessageBox.h"

#include <QString>

namespace tovanel {

class CTovanelFileHost;

// The launcher's file commands over the work database: New, Open, Save and
// Save as, the archive runs behind them, the diff base archive, the test
// whether the work database changed and the question to save at close.
class CTovanelFileCommands
{
public:
    explicit CTovanelFileCommands(CTovanelFileHost& host);

    void FileNew();
    void FileOpen();
    // True when the work database was written (Save as: and a name chosen).
    bool FileSave();
    bool FileSaveAs();
    // End button and window close: true when the window may close.
    bool PromptSaveIfModified();

    bool ReadArchive(const QString& archivePath, bool prepare);
    // kind 1: a full write (the only kind built so far).
    bool WriteArchive(const QString& archivePath, int kind);
    void StoreDiffBase(const QString& archivePath);
    // False, after a message, for a partial archive ("SUB_"): those are only
    // ever imported.
    bool CheckNotSubArchive(const QString& path);
    // False, after a message, for a save name with that prefix: a full
    // archive under it could never be opened again.
    bool CheckNotSubArchiveName(const QString& path);
    // False, after a message, for an archive inside the local data folder:
    // every read empties that folder, and a failed one removes it.
    bool CheckNotInWorkFolder(const QString& path);
    static bool IsDispArchiveName(const QString& path);

    // File choosers: false on Cancel; else the full path and the file name.
    bool SelectOpenCrxFile(QString& path, QString& name);
    bool SelectSaveCrxFile(QString& path, QString& name);
    bool SelectImportCrxFile(QString& path, QString& name);

    // Last-write time of the work database in nanoseconds; false (and 0)
    // when it cannot be read.
    bool GetWorkDbWriteTime(qint64& time) const;
    bool IsWorkDbModified() const;

    QString DiffBasePath() const;

    // The open archive and the work around it; the main-menu window mixes
    // these commands in and reads them (title, program starts).
    QString m_strCmdFileName; // opened by the first Open
    QString m_strCurFileName; // file name part; "" = untitled
    QString m_strCurFilePath; // full path; "" = untitled
    CrxFileInfo m_crxHeader;  // of the last archive read
    int m_bDispArchive = 0;   // the open archive is a display archive ("DISP_")
    QString m_strLocalDataFolder;
    QString m_strWorkDbPath;
    QString m_strResourceFolder;
    QString m_strExtraFile; // packed into the next archive
    // Table lists, media groups and no-data-info of the selective save, kept
    // between saves; a partial write (kind 2) packs by them.
    CrxPartialWrite m_partialWrite;
    qint64 m_nWorkDbTime = 0; // work database's last-write time after the last read or write
    int m_nOpenCount = 0;
    int m_nLastSaveResult = 0;
    int m_nTitleKind = 0; // OES title: 0 set data, 1 new, 2 file, 3 none

private:
    // Messages show over the host window with the application title as caption.
    MessageOwner HostMessageOwner();
    bool ChooseCrxFile(bool save, const QString& caption, QString& path, QString& name);
    qint64 CurrentWorkDbTime() const;

    CTovanelFileHost& m_host;
};

} // namespace tovanel
