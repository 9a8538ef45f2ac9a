#include "goods/ChooseMode.h"

#include "goods/CGoodsModeTable.h"
#include "goods/GoodsDialogIds.h"

namespace brelkin {

namespace {

int FindEntry(const QString& key)
{
    // Entry 16 (easy items) is reached only through EASY.
    for (int i = 0; i < CGoodsModeTable::kEasyPluEntry; ++i)
        if (key == QLatin1String(CGoodsModeTable::ModeKey(i)))
            return i;
    return -1;
}

QString Alias(const QString& key)
{
    for (const char* prefix : {"SM", "P", "PC"}) {
        const QString p = QLatin1String(prefix);
        if (key == p + QStringLiteral("_QSR") || key == p + QStringLiteral("_DEBUG"))
            return p + QStringLiteral("_RES");
    }
    return key;
}

} // namespace

int WindowKindOfEntry(int entry)
{
    if (entry <= 4)
        return entry;
    if (entry <= 6)
        return 5;
    if (entry <= 15)
        return entry - 1;
    return 1; // the easy items
}

GoodsModeChoice ChooseMode(const QString& modeKey, const QString& secondOption)
{
    const bool winpos = secondOption == QLatin1String("WINPOS");
    // The launcher's easy menu appends the archive's package to "EASY": it
    // belongs to the mode key, as "/P_<package>" would carry it.
    const QString easyWord = QStringLiteral("EASY");
    const bool easy = secondOption == easyWord || secondOption.startsWith(easyWord + u'_');
    const QString package = easy ? secondOption.mid(easyWord.size() + 1) : QString();
    QString key = Alias(modeKey);
    int entry = -1;
    if (!package.isEmpty())
        entry = FindEntry(Alias(modeKey + u'_' + package));
    if (entry >= 0)
        key = Alias(modeKey + u'_' + package);
    else
        entry = FindEntry(key);
    if (entry < 0) {
        // A package the program has no form for: the plain mode.
        const qsizetype underscore = key.indexOf(u'_');
        if (underscore > 0)
            entry = FindEntry(key.left(underscore));
    }
    if (entry < 0)
        entry = 0;

    GoodsModeChoice choice;
    choice.entry = entry;
    choice.windowKind = WindowKindOfEntry(entry);
    choice.listDlgId = entry == 5 || entry == 6 ? IDD_HOURLY_LIST : IDD_LIST;
    const int kind = choice.windowKind;
    if (easy && entry == 1) {
        choice.entry = CGoodsModeTable::kEasyPluEntry;
        choice.windowClass = GoodsWindowClass::EasyList;
        choice.listDlgId = IDD_EASY_LIST;
    } else if (kind == 5) {
        choice.entry = 5;
        choice.secondEntry = CGoodsModeTable::kHourlyPluEntry;
        choice.windowClass = GoodsWindowClass::HourlyList;
        choice.listDlgId = IDD_HOURLY_LIST;
    } else if (kind == 6 || kind == 7 || kind == 11 || kind == 12) {
        // The set menu and mix & match window keeps its own template.
        choice.windowClass = GoodsWindowClass::SetMixList;
        choice.winpos = winpos;
    } else if (easy) {
        choice.windowClass = GoodsWindowClass::EasyList;
        choice.listDlgId = IDD_EASY_LIST;
    }
    choice.setPriceEntry = kind == 13;
    return choice;
}

} // namespace brelkin
