#pragma once

#include <QString>

namespace dunmarel {

// The modes, in the order of the mode table; the index is also the window
// kind of the tab dialog.
enum BaseMode : int {
    MODE_RC = 0,
    MODE_RM = 1,
    MODE_AS = 2,
    MODE_TX = 3,
    MODE_AS_CL = 4,
    MODE_AS_RES = 5,
    MODE_RC_EASY = 6,
    MODE_RM_EASY = 7,
    MODE_COUNT = 8,
    MODE_NONE = -1
};

// The frames of the tab dialog.
enum : unsigned { IDD_TABDLG = 3005, IDD_TABDLG_TAX = 3017, IDD_TABDLG_EASY = 3021 };

struct BaseModeChoice
{
    int mode = MODE_NONE;
    unsigned tabDlgId = 0;
};

// Chooses the mode from the first command-line option (the switch word
// without "/"), case-sensitively. The launcher appends "_" and the archive's
// package word to "AS": "QSR", "DEBUG" and "RES" open the restaurant form,
// any other word the standard one.
BaseModeChoice ChooseMode(const QString& modeKey);

// The mode key of a mode ("RC" ... "RM_EASY").
const char* ModeKey(int mode);

} // namespace dunmarel
