#pragma once

#include <QDateTime>

#include <functional>

// The suite's "now": every time stamp the programs write is taken here, so
// that tests can set the clock and assert stamps by value.
QDateTime CurrentDateTime();

// Replaces the clock; an empty function restores the system's local time.
using NowFunction = std::function<QDateTime()>;
void SetNowFunction(NowFunction now);
