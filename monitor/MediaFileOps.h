#pragma once

// File and folder operations of the media windows. Copies, folder creation
// and deletions retry 20 times 100 ms apart: a scanner or thumbnail reader
// may hold a file for a moment. Paths are full paths joined with "/".

#include <QString>

#include <atomic>
#include <functional>

namespace mervolt {

constexpr int kMonRetryAttempts = 20;
constexpr int kMonRetryPauseMs = 100;

// The pause between two attempts. Tests install one that returns at once
// (and may change the file system to let the next attempt succeed); the
// previous one is returned so it can be put back.
using MonWaitFunction = std::function<void(int milliseconds)>;
MonWaitFunction SetMonRetryWait(MonWaitFunction wait);

// What a long copy reports to a progress window, and how it is stopped.
struct MonCopyControl
{
    // Bytes copied so far by the whole operation.
    std::function<void(qint64 bytes)> progress;
    // Non-zero stops the copy at the next piece; the copy then fails and
    // leaves no half file.
    const std::atomic<int>* abort = nullptr;
    // A hard link may stand in for a copy (where the file system allows
    // it): nothing of the program writes a media file in place, every
    // write goes beside the file and is renamed over it.
    bool link = false;
};

enum MonPathKind { MON_PATH_NONE = 0, MON_PATH_FILE = 1, MON_PATH_FOLDER = 2 };

// Copies source over target (written beside it and renamed, so the old
// target stays whole until the copy is complete). False for an empty path,
// after the last attempt, or when aborted.
bool CopyFileRetry(const QString& source, const QString& target,
                   const MonCopyControl* control = nullptr);
// True when the path is a folder afterwards (missing parents are made).
bool CreateDirectoryRetry(const QString& path);
// True when the file is gone; a link is removed, not what it points at.
bool DeleteFileRetry(const QString& path);
// 0 nothing (or an empty path), 1 file, 2 folder.
int GetPathKind(const QString& path);

// Copies every entry of source whose name does not begin with "." into
// target (created when missing); files already there are overwritten or
// kept, nothing is deleted. Links are not copied and never followed. False
// when source is no folder, is target, holds target, or an entry fails.
bool CopyDirectoryTree(const QString& source, const QString& target,
                       const MonCopyControl* control = nullptr);
// Removes the folder tree, read-only entries included, without following a
// link. True when the path is no folder afterwards (and for "").
bool RemoveDirectoryTree(const QString& folder);

// Renames a file or folder (one attempt). Tests install a function that
// fails a chosen rename; the previous one is returned.
using MonRenameFunction = std::function<bool(const QString& from, const QString& to)>;
MonRenameFunction SetMonRenameFunction(MonRenameFunction rename);
bool MonRename(const QString& from, const QString& to);

// The bytes of the regular files of a tree (links not counted).
qint64 TreeSize(const QString& folder);

} // namespace mervolt
