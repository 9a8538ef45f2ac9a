#pragma once

#include <QString>

namespace brelkin {

// The kind of main window a mode runs.
enum class GoodsWindowClass { List, EasyList, HourlyList, SetMixList };

// What the command line chooses: the mode table entry (and the second one of
// the hourly window), the window, its kind and template, and its flags.
struct GoodsModeChoice
{
    int entry = 0;
    int secondEntry = -1;       // the hourly items' entry, with the hourly window
    bool setPriceEntry = false; // the restaurant items' set prices as second data manager
    int windowKind = 0;         // S 0, P 1, ... PC_RES 14
    GoodsWindowClass windowClass = GoodsWindowClass::List;
    unsigned listDlgId = 0;
    bool winpos = false; // handed to the window: placement neither restored nor saved
};

// Chooses from the first and second command-line options (switch words
// without "/"). Keys match case-sensitively; an unknown key opens the
// departments, except "<key>_<package>" (the launcher appends the
// archive's package), which opens "<key>".
GoodsModeChoice ChooseMode(const QString& modeKey, const QString& secondOption);

// The window kind of a mode table entry.
int WindowKindOfEntry(int entry);

} // namespace brelkin
