#include "shared/config/Clock.h"

#include <QMutex>

#include <utility>

namespace {

struct Clock
{
    QMutex mutex;
    NowFunction now;
};

Clock& suiteClock()
{
    static Clock instance;
    return instance;
}

} // namespace

QDateTime CurrentDateTime()
{
    Clock& c = suiteClock();
    NowFunction now;
    {
        QMutexLocker lock(&c.mutex);
        now = c.now;
    }
    return now ? now() : QDateTime::currentDateTime();
}

void SetNowFunction(NowFunction now)
{
    Clock& c = suiteClock();
    QMutexLocker lock(&c.mutex);
    c.now = std::move(now);
}
