#pragma once

#include <QString>
#include <QStringList>

namespace tovanel {

// A comma-separated list of table codes from the launcher INI, blanks around
// each code dropped; empty when the key is missing or empty. No length cut.
// A missing launcher INI shows its message and throws CUserException.
QStringList ReadIniTableList(const QString& section, const QString& key);

} // namespace tovanel
