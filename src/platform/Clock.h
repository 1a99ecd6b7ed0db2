#pragma once

#include <QDateTime>
#include <QTimeZone>

// The time every rule of the application reads. Tests fix the moment and the device's time zone.
class Clock
{
public:
    static QDateTime now();
    static QTimeZone timeZone();

    static void setNow(const QDateTime &moment);    // an invalid moment returns to the real time
    static void setTimeZone(const QTimeZone &zone); // an invalid zone returns to the system's
    static void reset();
};
