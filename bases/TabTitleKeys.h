#pragma once

#include <QStringList>

class CDataManager;

namespace dunmarel {

// The tab-title keys of a mode, chosen by its mode key (the easy modes) or
// its window-name key; empty for a window-name key without tabs.
QStringList TabTitleKeys(const CDataManager& manager, int windowKind);

} // namespace dunmarel
