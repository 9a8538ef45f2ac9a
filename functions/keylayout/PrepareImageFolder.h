#pragma once

#include <QString>

#include <functional>

namespace kesmond {

// Empties the image folder for a new run: deletes it with what it holds,
// then makes it again, each in up to 10 attempts 100 ms apart (a viewer may
// still hold a file for a moment). wait pauses between attempts; tests wait
// 0. True when the folder exists, empty, afterwards.
bool PrepareImageFolder(const QString& folder, const std::function<void(int ms)>& wait = {});

} // namespace kesmond
