#pragma once

#include <QStringList>

namespace mervolt {

// Puts the work copies Temporary/<folder> in place of the real media
// folders, all or none: each real folder is renamed aside into the work
// folder, its work copy renamed in. When a rename fails, every folder
// already swapped is put back (work copy to Temporary, real folder in
// place) and false is returned. The old folders stay aside in the work
// folder until the caller removes it.
bool SwapInWorkFolders(const QStringList& folders);

} // namespace mervolt
