#pragma once

#include <QDateTime>
#include <QString>

namespace kesmond {

// The folder of the editor's image files, beside the work database.
inline QString ImageFolderName()
{
    return QStringLiteral("BTNIMG");
}

// A name of 18 or 19 digits: the UTC time to the millisecond and a counter
// that is incremented before each use and goes from 99 back to 0.
QString MakeImageFileName(int& counter, const QDateTime& utc);

// The extension (with its dot) that a stored FILENAME gives a temporary
// file: that of its last name part, when it is letters and digits only and
// at most 8 long; otherwise none. So a name from an archive never steers a
// file out of the image folder.
QString ImageFileExtension(const QString& fileName);

// folder + "/" + a name from MakeImageFileName such that neither that name
// + extension nor that name + ".dat" (the chunk file) exists yet.
QString NewImageFileBase(const QString& folder, int& counter, const QString& extension);
// The chunk file beside an image file of that base.
QString ChunkFilePath(const QString& base, const QString& extension);

} // namespace kesmond
