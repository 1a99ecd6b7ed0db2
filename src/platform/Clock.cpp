#include "Clock.h"

#include "SharedInstances.h"

#include <QMutex>

namespace {

struct ClockState
{
    QMutex mutex;
    QDateTime fixed;
    QTimeZone zone;
};

ClockState &state()
{
    static ClockState clock;
    static const bool registered = (SharedInstances::registerReset(&Clock::reset), true);
    Q_UNUSED(registered);
    return clock;
}

} // namespace

QDateTime Clock::now()
{
    ClockState &clock = state();
    QMutexLocker locker(&clock.mutex);
    const QTimeZone zone = clock.zone.isValid() ? clock.zone : QTimeZone::systemTimeZone();
    return (clock.fixed.isValid() ? clock.fixed : QDateTime::currentDateTime()).toTimeZone(zone);
}

QTimeZone Clock::timeZone()
{
    ClockState &clock = state();
    QMutexLocker locker(&clock.mutex);
    return clock.zone.isValid() ? clock.zone : QTimeZone::systemTimeZone();
}

void Clock::setNow(const QDateTime &moment)
{
    ClockState &clock = state();
    QMutexLocker locker(&clock.mutex);
    clock.fixed = moment;
}

void Clock::setTimeZone(const QTimeZone &zone)
{
    ClockState &clock = state();
    QMutexLocker locker(&clock.mutex);
    clock.zone = zone;
}

void Clock::reset()
{
    ClockState &clock = state();
    QMutexLocker locker(&clock.mutex);
    clock.fixed = QDateTime();
    clock.zone = QTimeZone();
}
