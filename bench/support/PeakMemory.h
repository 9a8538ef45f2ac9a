#pragma once

// The process's peak resident size so far, in megabytes.

#include <sys/resource.h>

namespace korvane::bench {

inline double PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace korvane::bench
