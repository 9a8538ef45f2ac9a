#include "bases/ChooseMode.h"

namespace dunmarel {

namespace {

const char* const kModeKeys[MODE_COUNT] = {"RC",    "RM",     "AS",      "TX",
                                           "AS_CL", "AS_RES", "RC_EASY", "RM_EASY"};

} // namespace

const char* ModeKey(int mode)
{
    return mode >= 0 && mode < MODE_COUNT ? kModeKeys[mode] : "";
}

BaseModeChoice ChooseMode(const QString& modeKey)
{
    QString key = modeKey;
    if (key == u"AS_QSR" || key == u"AS_DEBUG")
        key = QStringLiteral("AS_RES");
    BaseModeChoice choice;
    for (int mode = 0; mode < MODE_COUNT; ++mode)
        if (key == QLatin1String(kModeKeys[mode]))
            choice.mode = mode;
    // Any other package word: the standard general features.
    if (choice.mode == MODE_NONE && key.startsWith(u"AS_") && key.size() > 3)
        choice.mode = MODE_AS;
    if (choice.mode == MODE_NONE)
        return choice;
    choice.tabDlgId = choice.mode == MODE_TX                                       ? IDD_TABDLG_TAX
                      : choice.mode == MODE_RC_EASY || choice.mode == MODE_RM_EASY ? IDD_TABDLG_EASY
                                                                                   : IDD_TABDLG;
    return choice;
}

} // namespace dunmarel
