#pragma once

#include "archive/CrxFileInfo.h"
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
    // Menu states.
    enum : int { STATE_NONE = 0, STATE_OPEN = 2, STATE_DISPLAY = 3 };

    explicit CTovanelFileCommands(CTovanelFileHost& host);

    // The archive named on the command line, opened by the first Open.
    void SetCommandLineFile(const QString& path) { m_strCmdLineFile = path; }

    void FileNew();
    void FileOpen();
    // True when the work database was written (Save as: and a name chosen).
    bool FileSave();
    bool FileSaveAs();
    // End button and window close: true when the window may close.
    bool PromptSaveIfModified();

    bool ReadArchive(const QString& archivePath, bool prepare);
    bool WriteArchive(const QString& archivePath, int kind);
    void StoreDiffBase(const QString& archivePath);
    // False, after a message, for a partial archive ("SUB_"): those are only
    // ever imported.
    bool CheckNotSubArchive(const QString& path);
    static bool IsDispArchiveName(const QString& path);

    // File choosers: false on Cancel; else the full path and the file name.
    bool SelectOpenCrxFile(QString& path, QString& name);
    bool SelectSaveCrxFile(QString& path, QString& name);
    bool SelectImportCrxFile(QString& path, QString& name);

    // Last-write time of the work database in nanoseconds; false (and 0)
    // when it cannot be read.
    bool GetWorkDbWriteTime(qint64& time) const;
    bool IsWorkDbModified() const;

    QString CurrentFileName() const { return m_strCurrentFileName; }
    QString CurrentFilePath() const { return m_strCurrentFilePath; }
    QString LocalDataFolder() const { return m_strLocalDataFolder; }
    QString WorkDbPath() const { return m_strWorkDbPath; }
    QString DiffBasePath() const;
    int TitleKind() const { return m_nTitleKind; }
    int LastSaveResult() const { return m_nLastSaveResult; }
    bool IsDisplayArchive() const { return m_bDispArchive; }
    const CrxFileInfo& Header() const { return m_header; }

private:
    // An exclamation message with the application title as caption.
    int ShowMessage(const QString& key, platform::MessageButtons buttons);
    bool ChooseCrxFile(bool save, const QString& caption, QString& path, QString& name);
    qint64 CurrentWorkDbTime() const;

    CTovanelFileHost& m_host;
    QString m_strLocalDataFolder;
    QString m_strWorkDbPath;
    QString m_strResourceFolder;
    QString m_strCmdLineFile;
    QString m_strCurrentFileName;
    QString m_strCurrentFilePath; // empty: untitled
    QString m_strExtraFile;       // packed into the next archive
    qint64 m_nStoredDbTime = 0;
    int m_nOpenCount = 0;
    int m_nLastSaveResult = 0;
    int m_nTitleKind = 0;
    bool m_bDispArchive = false;
    CrxFileInfo m_header; // of the last archive read
};

} // namespace tovanel
