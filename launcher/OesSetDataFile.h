#pragma once

#include <QString>

class QLineEdit;

namespace tovanel {

// The OES set-data file packed into an archive: an existing file (not a
// folder) whose text after the last "." is exactly "092". Returns the
// language key of the fault, "" when the path is fine. The OES save and the
// selective save both check their file through here.
QString CheckOesSetDataFile(const QString& path);

// The button that chooses the OES set-data file into a dialog's edit: an
// edit that names no file gets back the file chosen before; the chooser
// starts in folder when it is one. A choice goes into the edit, chosenBefore
// and folder (its folder); Cancel changes nothing more.
void SelectOesSetDataFile(QLineEdit* edit, QString& chosenBefore, QString& folder);

} // namespace tovanel
