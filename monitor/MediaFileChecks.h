#pragma once

// Checks of a media file the user chooses, each showing its own warning
// when it refuses.

#include <QString>
#include <QStringList>

class QWidget;

namespace mervolt {

// The name of a chosen or dropped path, after its last "/" or "\\".
QString MediaFileNameOf(const QString& path);
// What follows the name's last dot; "" without one.
QString MediaExtensionOf(const QString& fileName);

// The extension (without its dot) against a list of entries each followed
// by "|", compared without regard to case. The scan ends at an entry of one
// character, so "png|b|bmp|" refuses "bmp"; "png||" lets a name without
// extension pass. "CRDS_MO_WRN_IGNORE_EXT" when nothing matched.
bool CheckPermittedExtension(QWidget* parent, const QString& extension, const QString& permitted);
// The entries of "CRDS_MO_SEL_PNGFILE_PERMIT" up to the first empty one;
// false with "CRDS_MO_WRN_IGNORE_EXT" when there is none.
bool SplitPermitList(QWidget* parent, QStringList& out);
// A name the register can store: no "#" or "%", no character a Windows file
// name cannot hold, shorter than 259 characters, every character in the
// legacy code page. "CRDS_MO_WARN_INVALIDCHAR" with the character, or
// "CRDS_MO_WARN_NAMELEN".
bool CheckMediaFileName(QWidget* parent, const QString& fileName);
// A path the register's 260-byte buffer holds: fewer than 260 bytes in the
// legacy code page with its NUL. "CRDS_MO_WARN_NAMELEN" otherwise.
bool CheckMediaPathLength(QWidget* parent, const QString& path);
// The file against a size limit in bytes (0: any size): false without a
// message when its status cannot be read, "CRDS_MO_WARN_SIZEBIG" with the
// limit in megabytes when it is larger.
bool CheckMediaFileSize(QWidget* parent, const QString& path, qint64 sizeLimit);

} // namespace mervolt
