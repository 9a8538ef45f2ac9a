#pragma once

#include <QStringList>

class CSQliteDB;

namespace brelkin {

// The rows that name a department by its code and would keep it when the
// department is deleted, one line of text per kind with its count ("Items:
// 3"), in a fixed order: items, mix & match offers, hourly-report targets,
// floating prices, floating departments of the base settings. Kinds without
// a row give no line; a read that fails counts none. Empty: no use.
QStringList DepartmentUseLines(CSQliteDB& db, const QString& code);

} // namespace brelkin
