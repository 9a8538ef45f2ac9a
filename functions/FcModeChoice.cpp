#include "functions/FcModeChoice.h"

#include "functions/FcDialogIds.h"

namespace kesmond {

namespace {

const FcModeEntry kEntries[kFcModeCount] = {
    {"FK", IDD_FC_LIST, "CRDS_FC_WINNAME_SECTION"},
    {"FL", IDD_FC_FUNCLIST, "CRDS_FC_WINNAME_SECTION"},
    {"KL", IDD_FC_KEYLAYOUT, "CRDS_FC_WINNAME_SECTION"},
    {"CH", IDD_FC_LIST, "CRDS_FC_WINNAME_CHARACTER"},
};

} // namespace

const FcModeEntry& FcModeEntryAt(int index)
{
    return kEntries[index];
}

int ChooseFcMode(const QString& modeKey)
{
    for (int i = 0; i < kFcModeCount; ++i)
        if (modeKey == QLatin1String(kEntries[i].key))
            return i;
    return -1;
}

} // namespace kesmond
