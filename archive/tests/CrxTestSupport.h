#pragma once

#include "archive/CrxFileOps.h"

#include <functional>
#include <vector>

namespace crxtest {

// Replaces the retry pause for the lifetime of the object: records every
// pause and, when given, runs a hook with the pause count, so a test can
// clear an obstacle between two attempts without sleeping.
class ScopedWait
{
public:
    explicit ScopedWait(std::function<void(int pauses)> hook = {}) : m_hook(std::move(hook))
    {
        m_previous = SetCrxWait([this](int ms) {
            pauses.push_back(ms);
            if (m_hook)
                m_hook(int(pauses.size()));
        });
    }
    ~ScopedWait() { SetCrxWait(std::move(m_previous)); }
    ScopedWait(const ScopedWait&) = delete;
    ScopedWait& operator=(const ScopedWait&) = delete;

    std::vector<int> pauses;

private:
    std::function<void(int)> m_hook;
    CrxWaitFunction m_previous;
};

} // namespace crxtest
