#pragma once

#include <QString>

class QDateTime;

// Folders, files and product settings of the installation. Nothing is cached:
// every call reads the launcher INI and the registry afresh. Operations that
// read the launcher INI show "CRDS_CMN_ERR_NOTFOUNDINI" and throw
// CUserException when it is missing.
//
// Folders (paths joined with "/"):
//   install folder    registry "InstallPath" (machine-wide), else the folder
//                     of the running program
//   local data folder <XDG_DATA_HOME>/Korvane/<product key>, created
//   program-data      <first of XDG_DATA_DIRS>/Korvane/<product key>/ (ends
//                     with "/")
class CBasePath
{
public:
    enum EProductMode : int {
        PRODUCTMODE_STANDARD = 0,
        PRODUCTMODE_CLEANING = 1,
        PRODUCTMODE_EASY = 2
    };
    // The language type is a number the launcher INI gives; 0 unless set.
    using ELangType = int;

    // Parent folder of a path, for "/" and "\" separated paths alike:
    // "/a/b" gives "/a", "C:\a\b" gives "C:\a", "\\srv\share\a\b" gives
    // "\\srv\share\a"; a root's child ("/a", "C:\a", "\\srv\share\a") gives "".
    static QString GetDirectory(const QString& path);
    static bool CheckDirectory(const QString& path);
    // True when the folder exists afterwards (missing parents are made);
    // false when the path names a file.
    static bool MakeDirectory(const QString& path);
    // a + "/" + b, or b alone when a is empty.
    static QString CombinePath(const QString& a, const QString& b);

    static QString GetProductKey();
    static int GetProductMode();
    static QString GetProductVersion();
    static ELangType GetLangType();
    static QString GetSystemType();
    // "SOFTWARE\Korvane\<product key>\SYSTEM"
    static QString GetRegistryRootKey();
    // "Korvane/<product key>": the sub-folder of the data folders and the
    // organisation part of the programs' QSettings.
    static QString GetProductLocalPath();
    static QString GetStrSettingDB() { return QStringLiteral("SETTING.DB"); }
    static QString GetStrSettingCRX() { return QStringLiteral("SETTING.CRX"); }
    static QString GetStrDummyName() { return QStringLiteral("NO_EXIST"); }

    static QString GetInstallPath();
    static QString GetResourcePath();
    static QString GetRegisterBasePath(const QString& modelFolder);
    static QString GetDocumentPath();
    static QString GetLocalDataBasePath();
    static QString GetLocalTemporaryPath();
    static QString GetLocalAnotherImportPath();
    static QString GetProgramDataPath();
    static QString GetOptionsIniPath();

    // A new file name folder/<prefix><8 upper-case hex digits><extension>
    // (extension with its dot), different from the last one given. The name
    // is reserved by creating the file, empty, exclusively: open it for
    // writing (truncating) or remove it before QFile::copy. False when no
    // file can be created in the folder.
    static bool CreateTempFileName(const QString& folder, const QString& prefix,
                                   const QString& extension, QString& out);
    // Removes a folder tree, read-only entries included; symbolic links are
    // removed, never followed. True when the folder no longer exists, and for
    // an empty path (nothing done). Refuses "/" and the home folder, and a
    // path that names a file or a link (false, nothing removed).
    static bool DeleteFolder(const QString& path);

    // A text value of the machine-wide registry under root + suffix (the
    // suffix starts with "\"); "" when missing.
    static QString GetRegistryLocalMachineSystemString(const QString& suffix,
                                                       const QString& valueName);

    // The launcher INI "Tovanel.ini" beside the running program (the
    // workings of CEcrInfo::GetEcrIniPath and FindEcrIniPath): false when it
    // is missing; the other shows "CRDS_CMN_ERR_NOTFOUNDINI" and throws
    // CUserException.
    static bool FindLauncherIniPath(QString& out);
    static QString GetLauncherIniPath();
    // The start-up check of every program: besides being there, the launcher
    // INI must give a product key. One that gives none (its bytes no INI, or
    // PRODUCTKEY empty) shows "CRDS_CMN_ERR_BADINI" with the file's path and
    // throws CUserException, as a missing one does: the data folders and the
    // registry root are named after the key.
    static void CheckLauncherIni();
    // Variants for the language file look-up, which must work (and stay
    // silent) without the launcher INI: no product key then, and no
    // program-data folder ("").
    static QString GetInstallPathQuiet();
    static QString GetProgramDataPathQuiet();
    // The language file: the program-data folder's copy when it exists, else
    // the one in the install folder. Never the current folder. Shows no
    // message when the launcher INI is missing (the install folder is then
    // the running program's folder).
    static QString GetLangFilePath();
    static constexpr const char* kLangFileName = "NolvarLANG.xml";

    // The running program's own folder: where the launcher INI lies and the
    // install folder when "InstallPath" is not set.
    static QString GetModuleFolder();
    // Points GetModuleFolder elsewhere ("" restores the program's folder).
    // Test programs share one folder, so each test gives itself its own.
    static void SetModuleFolder(const QString& folder);
};

// The local time as "yyyyMMddHHmmss", the value of every CREATEDATETIME and
// UPDATEDATETIME the programs write.
QString GetTimestampOfNow();
QString FormatTimestamp(const QDateTime& time);
// folder + "/" + "SETTING.DB"; the folder is used unchanged.
QString GetDBFileFullPath(const QString& folder);
// Whether the launcher's work database is there: the programs open it, never
// create it (opening a missing one would leave an empty file behind).
bool WorkDatabaseExists();
// Writes a text value of the per-user registry; false on failure.
bool WriteRegistryString(const QString& subKey, const QString& valueName, const QString& text);
