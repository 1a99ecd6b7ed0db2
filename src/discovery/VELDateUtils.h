#pragma once

#include <QDateTime>
#include <QString>

class VELEvent;

// The date texts and day tests of the lists, cards and details: pure functions of their
// arguments and the clock, in the device's time zone. An invalid date is "no date".
class VELDateUtils
{
public:
    static bool isToday(const QDateTime &date);
    static bool isTomorrow(const QDateTime &date);
    static bool isAfterTomorrow(const QDateTime &date);
    static bool isSaturday(const QDateTime &date);
    static bool isSunday(const QDateTime &date);
    // Saturday or Sunday (Friday is not a weekend day).
    static bool isWeekend(const QDateTime &date);

    static QDateTime beginOfDate(const QDateTime &date);
    // The last second of the date's day.
    static QDateTime endOfDate(const QDateTime &date);
    static QDateTime todayBegin();

    // "MM-dd HH:mm" this year, "yyyy-MM-dd HH:mm" in another; empty for no date.
    static QString stringOfDateTime(const QDateTime &date);
    // "05-01 19:00 -- 21:30", "05-01 19:00 -- 05-03 18:00".
    static QString timeDisplayStringWithBeginTime(const QDateTime &begin, const QDateTime &end);
    // Begin and the second before the end fall on one day.
    static bool isOneDayWithBeginTime(const QDateTime &begin, const QDateTime &end);
    // Time left until the date: today, tomorrow, the day after, "n days", "n months"; empty
    // once it has passed.
    static QString stringOfExpiredTime(const QDateTime &date);
    // A Saturday or Sunday strictly between now and seven days from now.
    static bool isNextWeekend(const QDateTime &date);

    // By participation day: from today on earliest first, then events without a day, then past
    // days earliest first. Negative, zero or positive, as a comes before, with or after b.
    static int eventSort(const VELEvent &a, const VELEvent &b);

    // A date rendered with a pattern in the device's time zone.
    static QString render(const QDateTime &date, const QString &pattern);
};
