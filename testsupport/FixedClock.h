#pragma once

// Sets the suite's clock to a fixed time for the object's lifetime.
// Header-only: test programs that use it link the shared library.

#include "shared/config/Clock.h"

namespace korvane::test {

class FixedClock
{
public:
    explicit FixedClock(const QDateTime& now) : m_now(now)
    {
        SetNowFunction([this] { return m_now; });
    }
    ~FixedClock() { SetNowFunction({}); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

    void Set(const QDateTime& now) { m_now = now; }

private:
    QDateTime m_now;
};

} // namespace korvane::test
