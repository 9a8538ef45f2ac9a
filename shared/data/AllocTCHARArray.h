#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// A null-terminated array with one entry per string of the list, each
// pointing at the QString held by the list (not copied), for interfaces
// that take a name array ending in nullptr. The list must stay unchanged
// while the array is used; the array frees itself. Holds nullptr when the
// allocation fails; a null list gives an array holding only the end mark.
std::unique_ptr<const QString*[]> AllocTCHARArray(const QStringList* strings);
