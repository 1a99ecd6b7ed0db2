#include "VELDateUtils.h"

#include "api/VELEvent.h"
#include "platform/Clock.h"
#include "platform/LocalizedStrings.h"

namespace {

const QString kDay = QStringLiteral("yyyy/MM/dd");

bool sameDay(const QDateTime &a, const QDateTime &b)
{
    const QString left = VELDateUtils::render(a, kDay);
    return !left.isEmpty() && left == VELDateUtils::render(b, kDay);
}

int weekday(const QDateTime &date)
{
    // Qt numbers Monday 1 … Sunday 7.
    return date.toTimeZone(Clock::timeZone()).date().dayOfWeek();
}

} // namespace

QString VELDateUtils::render(const QDateTime &date, const QString &pattern)
{
    if (!date.isValid())
        return QString();
    return date.toTimeZone(Clock::timeZone()).toString(pattern);
}

bool VELDateUtils::isToday(const QDateTime &date)
{
    return sameDay(date, Clock::now());
}

bool VELDateUtils::isTomorrow(const QDateTime &date)
{
    return sameDay(date, Clock::now().addSecs(86400));
}

bool VELDateUtils::isAfterTomorrow(const QDateTime &date)
{
    return sameDay(date, Clock::now().addSecs(172800));
}

bool VELDateUtils::isSaturday(const QDateTime &date)
{
    return date.isValid() && weekday(date) == Qt::Saturday;
}

bool VELDateUtils::isSunday(const QDateTime &date)
{
    return date.isValid() && weekday(date) == Qt::Sunday;
}

bool VELDateUtils::isWeekend(const QDateTime &date)
{
    return isSaturday(date) || isSunday(date);
}

QDateTime VELDateUtils::beginOfDate(const QDateTime &date)
{
    if (!date.isValid())
        return QDateTime();
    return QDateTime(date.toTimeZone(Clock::timeZone()).date(), QTime(0, 0), Clock::timeZone());
}

QDateTime VELDateUtils::endOfDate(const QDateTime &date)
{
    const QDateTime begin = beginOfDate(date);
    return begin.isValid() ? begin.addSecs(86399) : QDateTime();
}

QDateTime VELDateUtils::todayBegin()
{
    return beginOfDate(Clock::now());
}

QString VELDateUtils::stringOfDateTime(const QDateTime &date)
{
    if (!date.isValid())
        return QString();
    const bool thisYear = render(date, QStringLiteral("yyyy")) == render(Clock::now(), QStringLiteral("yyyy"));
    return render(date, thisYear ? QStringLiteral("MM-dd HH:mm") : QStringLiteral("yyyy-MM-dd HH:mm"));
}

QString VELDateUtils::timeDisplayStringWithBeginTime(const QDateTime &begin, const QDateTime &end)
{
    const QString beginDay = render(begin, QStringLiteral("yyyy-MM-dd"));
    const bool oneDay = !beginDay.isEmpty() && beginDay == render(end, QStringLiteral("yyyy-MM-dd"));
    const QString endPart = oneDay ? render(end, QStringLiteral("HH:mm")) : stringOfDateTime(end);
    return stringOfDateTime(begin) + QStringLiteral(" -- ") + endPart;
}

bool VELDateUtils::isOneDayWithBeginTime(const QDateTime &begin, const QDateTime &end)
{
    return end.isValid() && sameDay(begin, end.addSecs(-1));
}

QString VELDateUtils::stringOfExpiredTime(const QDateTime &date)
{
    const QDateTime now = Clock::now();
    if (!date.isValid() || date < now)
        return QString();
    if (isToday(date))
        return LocalizedStrings::text("lsToday");
    if (isTomorrow(date))
        return LocalizedStrings::text("lsTomorrow");
    if (isAfterTomorrow(date))
        return LocalizedStrings::text("lsAfterTomorrow");
    const qint64 seconds = now.msecsTo(date) / 1000;
    if (seconds >= -2591999 && seconds <= 2591999)
        return QStringLiteral("%1 %2").arg(seconds / 86400 + 1).arg(LocalizedStrings::text("lsDay"));
    return QStringLiteral("%1 %2").arg(seconds / 2592000).arg(LocalizedStrings::text("lsMonth"));
}

bool VELDateUtils::isNextWeekend(const QDateTime &date)
{
    const QDateTime now = Clock::now();
    return isWeekend(date) && now < date && date < now.addSecs(604800);
}

int VELDateUtils::eventSort(const VELEvent &first, const VELEvent &second)
{
    const QDateTime a = first.participateDate();
    const QDateTime b = second.participateDate();
    const QDateTime today = todayBegin();
    const bool aPast = a.isValid() && a < today;
    const bool bPast = b.isValid() && b < today;
    auto compare = [](const QDateTime &x, const QDateTime &y) { return x < y ? -1 : (y < x ? 1 : 0); };
    if (aPast && bPast)
        return compare(a, b);
    if (aPast)
        return 1;
    if (bPast)
        return -1;
    if (!a.isValid())
        return b.isValid() ? 1 : 0;
    if (!b.isValid())
        return -1;
    return compare(a, b);
}
