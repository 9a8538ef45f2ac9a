#pragma once

// A long copy of the media windows, run as a job on a thread of its own
// while the window's event loop goes on. When it takes over a second, a
// progress window shows it and offers Abort.

#include "monitor/MediaFileOps.h"

#include <atomic>
#include <functional>

class QWidget;

namespace mervolt {

enum class MonJobResult { Done, Failed, Aborted };

using MonCopyWork = std::function<bool(const MonCopyControl& control)>;

// Runs work (which must touch no widget) and waits for it; totalBytes scales
// the progress bar. The job's copies stop at the abort flag.
MonJobResult RunMonCopyJob(QWidget* parent, qint64 totalBytes, const MonCopyWork& work,
                           int showAfterMs = 1000);

// Tests hold a job here: the function runs on the job's thread before the
// work and may wait for the abort flag. The previous one is returned.
using MonCopyJobHold = std::function<void(const std::atomic<int>& abort)>;
MonCopyJobHold SetMonCopyJobHold(MonCopyJobHold hold);

} // namespace mervolt
