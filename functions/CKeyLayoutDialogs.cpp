#include "functions/CKeyLayoutDialogs.h"

namespace kesmond {

// The dialogs themselves come with their own windows; until then each
// command is cancelled and nothing changes.
bool CKeyLayoutDialogs::EditKey(QWidget*, CButtonProperty&, CButtonStyleMgr&)
{
    return false;
}

bool CKeyLayoutDialogs::EditSection(QWidget*, CButtonProperty&)
{
    return false;
}

bool CKeyLayoutDialogs::EditPage(QWidget*, CButtonProperty&, CButtonStyleMgr&,
                                 const CFcKeyLayCSB023&)
{
    return false;
}

bool CKeyLayoutDialogs::EditGrid(QWidget*, int&, int&)
{
    return false;
}

} // namespace kesmond
