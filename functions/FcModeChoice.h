#pragma once

#include <QString>

namespace kesmond {

// One entry of the program's mode table as the command line picks it.
struct FcModeEntry
{
    const char* key;           // the switch word without "/"
    unsigned listDlgId;        // the main window's template
    const char* windowNameKey; // title of the window and caption of messages
};

inline constexpr int kFcModeCount = 4;
// FK, FL, KL, CH: the index is also the main window's kind.
const FcModeEntry& FcModeEntryAt(int index);

// The mode index of the first option (exact case); -1 when it names none.
int ChooseFcMode(const QString& modeKey);

} // namespace kesmond
