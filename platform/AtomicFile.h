#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Writes a whole file beside its target and renames it over the target, so a
// failed write leaves the old file as it was. The folder must exist.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace platform
