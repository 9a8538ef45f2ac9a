#pragma once

#include <QString>

#include <vector>

namespace kesmond {

// One function-list type: its code in the layout's table, the list id read
// from the database ("" until read, or when the list row is missing), the
// language key of its name and the name shown in the type combo.
struct FcListType
{
    QString code;
    QString listId;
    QString key;
    QString text;
};

// The three list types (check, item, payment) of the old layout (codes "3",
// "4", "5") or the new one ("0", "1", "2"), their names in the program's
// language.
std::vector<FcListType> FcListTypes(bool newLayout);

} // namespace kesmond
