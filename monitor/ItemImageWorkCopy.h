#pragma once
// The work copy of an image list's picture folder and its slot items: made
// at the list's opening, put in place all or nothing at OK.
#include <QString>

namespace mervolt {

class CXmlDataArray;

// Empties the work folder, copies the real picture folder of listMode into
// its work copy and the menu's slot items into own (both gain the items
// they lack). False when the work copy could not be made.
bool PrepareItemImageWorkCopy(int listMode, int limit, CXmlDataArray& menu, CXmlDataArray& own);

// Puts the work copy in place of the real picture folder (all or nothing),
// then the own slot items into the menu's and removes the work folder.
// False, with the real folder and the menu's items unchanged, when the
// folder could not be swapped.
bool CommitItemImageWorkCopy(int listMode, int limit, CXmlDataArray& menu, CXmlDataArray& own);

} // namespace mervolt
