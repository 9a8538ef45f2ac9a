#pragma once

// Path and file operations of the archive library. Copies and folder creation
// retry 50 times 100 ms apart, file deletion 10 times 500 ms apart: a file
// held for a moment by another program (a virus scanner, an indexer) should
// not fail a save. Paths are joined with "/".

#include "archive/CrxResult.h"

#include <QDateTime>
#include <QString>

#include <functional>

// A calendar time in UTC, to the second (what the time-stamp INI stores).
struct CrxTime
{
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const CrxTime&) const = default;
    bool IsZero() const { return *this == CrxTime{}; }
};

// The pause between two attempts. Tests install one that returns at once
// (and may change the file system to let the next attempt succeed); the
// previous one is returned so it can be put back.
using CrxWaitFunction = std::function<void(int milliseconds)>;
CrxWaitFunction SetCrxWait(CrxWaitFunction wait);
void CrxWait(int milliseconds);

constexpr int kCrxCopyAttempts = 50;
constexpr int kCrxCopyPauseMs = 100;
constexpr int kCrxDeleteAttempts = 10;
constexpr int kCrxDeletePauseMs = 500;

// The longest path the file system takes (bytes of the encoded path).
constexpr int kCrxMaxPathBytes = 4095;

enum CrxPathKind { CRX_PATH_MISSING = 0, CRX_PATH_FILE = 1, CRX_PATH_FOLDER = 2 };

// The path made absolute against the working folder (an empty path stays
// empty). The entry points take every path through it: the database layer
// resolves blob files against the database's own folder, so a relative base
// folder would put them somewhere the export walk never looks.
QString AbsolutePath(const QString& path);

// 0 missing (or empty path), 1 file, 2 folder. A symbolic link counts as
// what it points at.
int PathKind(const QString& path);

// 1 when the folder exists afterwards (also when it existed already); the
// parent must exist. 0 for an empty path or after the last attempt.
int RetryCreateFolder(const QString& path);
// 1 when source was copied over destination (replacing it). The pause also
// follows the last failed attempt.
int RetryCopyFile(const QString& source, const QString& destination);
// One attempt of the copy above.
bool CopyFileOverwrite(const QString& source, const QString& destination);
// 1 when the file is gone (an empty path counts as gone).
int RetryDeleteFile(const QString& path);

// 1 when the folder no longer exists afterwards (also for an empty path or a
// folder that never existed). Goes on past entries it cannot delete and never
// follows a symbolic link out of the tree.
int DeleteFolderTree(const QString& folder);
// 1 when every entry of source was copied into destination (created when
// missing). Entries whose names begin with "." are skipped. Fails when
// source is missing or destination is source or lies inside it.
int CopyFolderTree(const QString& source, const QString& destination);
// Creates the folder's parent (not further up), then the folder; 0 for a
// path without "/".
int CreateParentAndFolder(const QString& folder);
// Deletes the folder's tree, then creates its parent and the folder again;
// a link to a folder stays and the folder it leads to is emptied.
int ResetFolder(const QString& folder);

// The file's last-write time in UTC: 0, CRX_E_NO_ARCHIVE (empty path) or
// CRX_E_FILE_ACCESS (not a readable file).
CrxResult ReadFileTime(const QString& path, CrxTime& time);

// Writes all of data to fd, retrying short writes: false on an error. On a
// socket a reader that is gone is an error, never SIGPIPE.
bool WriteAll(int fd, const char* data, size_t size, bool socket = false);

// Reserves an empty file ".Trennic01" + MMddhhmmss (local time) + 4 digits +
// ".tmp" in the target's folder, where a new archive is written before it
// replaces the target: 1 with its path, or 0 with an empty path when all
// 9,999 names of that second are taken. Hidden and no ".crx": a chooser of
// archives never lists one that a killed save left behind.
int MakeTempArchiveName(const QString& target, QString& path);
int MakeTempArchiveName(const QString& target, const QDateTime& localNow, QString& path);
// Locks the temporary archive open at fd for as long as the file stays open
// (in this process or a child it passed fd to); false where the file system
// has no locks, which a save goes on without.
bool LockTempArchive(int fd);
// Removes what saves killed before they could clean up left in the folder:
// files of the names MakeTempArchiveName gives, and only those that no
// process holds locked and that nothing has written to for
// kCrxStaleTempAgeSec (a save on another machine may hold a lock this one
// does not see).
void RemoveStaleTempArchives(const QString& folder);
constexpr qint64 kCrxStaleTempAgeSec = 10 * 60;

// folder + "/" + name (no "/" for an empty folder or one ending in "/"); an
// empty name gives an empty result. CRX_E_PATH_TOO_LONG past the file
// system's limit; out is then empty.
CrxResult JoinPath(const QString& folder, const QString& name, QString& out);
