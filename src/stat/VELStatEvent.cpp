#include "VELStatEvent.h"

#include "platform/ApplicationInfo.h"
#include "platform/Clock.h"

VELStatEvent::VELStatEvent()
    : date(QString::number(double(Clock::now().toMSecsSinceEpoch()) / 1000.0, 'f', 6))
{
}

VELStatEvent::VELStatEvent(const QString &eventName, const std::optional<QString> &eventLabel,
                           int acc)
    : VELStatEvent()
{
    name = eventName;
    label = eventLabel;
    count = acc;
}

VELStatEvent VELStatEvent::normalEventWithName(const QString &name,
                                               const std::optional<QString> &label, int acc)
{
    return VELStatEvent(name, label, acc);
}

VELStatEvent VELStatEvent::importantEventWithName(const QString &name,
                                                  const std::optional<QString> &label, int acc)
{
    VELStatEvent event(name, label, acc);
    event.type = kImportant;
    return event;
}

QVariantMap VELStatEvent::toMutableDictionary() const
{
    QVariantMap dictionary;
    auto put = [&dictionary](const char *key, const QString &value) {
        if (!value.isNull())
            dictionary.insert(QLatin1String(key), value);
    };
    put("nm", name);
    put("tm", date);
    put("pg", page);
    put("vn", ApplicationInfo::shortVersion());
    if (count > 0)
        put("cnt", QString::number(count));
    put("ac", action);
    if (label)
        dictionary.insert(QStringLiteral("lb"), label->isNull() ? QStringLiteral("") : *label);
    put("net", net);
    return dictionary;
}

QString VELStatEvent::description() const
{
    return name + QStringLiteral(" : ") + date;
}
