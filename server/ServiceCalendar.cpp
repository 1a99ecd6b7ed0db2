#include "ServiceCalendar.h"

const char *const ServiceCalendar::kFormat = "yyyy-MM-dd HH:mm:ss";

QDate ServiceCalendar::weekendStart(const QDate &today)
{
    const int weekday = today.dayOfWeek();
    if (weekday == Qt::Sunday)
        return today.addDays(-1);
    return today.addDays(Qt::Saturday - weekday);
}

QString ServiceCalendar::text(const QDateTime &moment)
{
    return moment.toString(QLatin1String(kFormat));
}

QDateTime ServiceCalendar::parse(const QString &text)
{
    return QDateTime::fromString(text, QLatin1String(kFormat));
}
