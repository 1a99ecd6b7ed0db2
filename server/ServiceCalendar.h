#pragma once

#include <QDate>
#include <QDateTime>

// The days the service's filters and sample data speak of, in local time.
class ServiceCalendar
{
public:
    // Saturday of the weekend that is on now or comes next.
    static QDate weekendStart(const QDate &today);
    static QString text(const QDateTime &moment);
    static QDateTime parse(const QString &text);
    static const char *const kFormat;
};
