#pragma once

#include <QString>

namespace tovanel {

// The OES set-data file packed into an archive: an existing file (not a
// folder) whose text after the last "." is exactly "092". Returns the
// language key of the fault, "" when the path is fine. The OES save and the
// selective save both check their file through here.
QString CheckOesSetDataFile(const QString& path);

} // namespace tovanel
