#include "VelariQueryEvent.h"

#include "VelariQueryParameters.h"

VELQuery VelariQueryEvent::queryForEventById(const QString &eventId)
{
    return VELQuery(QStringLiteral("/v2/event/%1").arg(eventId));
}

VELQuery VelariQueryEvent::queryForParticipatedEventsByPeopleUid(const QString &userId,
                                                                 std::optional<qint64> start,
                                                                 const QString &status)
{
    return VELQuery(QStringLiteral("/v2/event/user_participated/%1").arg(userId),
                    VelariQueryParameters()
                            .setIfGiven(QStringLiteral("start"), start)
                            .setIfGiven(QStringLiteral("status"), status)
                            .map());
}

VELQuery VelariQueryEvent::queryForWishedEventsByPeopleUid(const QString &userId,
                                                           std::optional<qint64> start)
{
    return VELQuery(QStringLiteral("/v2/event/user_wished/%1").arg(userId),
                    VelariQueryParameters()
                            .setIfGiven(QStringLiteral("start"), start)
                            .set(QStringLiteral("count"), QStringLiteral("10"))
                            .set(QStringLiteral("status"), QStringLiteral("ongoing"))
                            .map());
}

VELQuery VelariQueryEvent::queryForEventsByKey(const QString &text, const QString &location,
                                               std::optional<qint64> start)
{
    return VELQuery(QStringLiteral("/v2/event/search"),
                    VelariQueryParameters()
                            .setIfGiven(QStringLiteral("q"), text.isEmpty() ? QString() : text)
                            .setIfGiven(QStringLiteral("loc"), location)
                            .setIfGiven(QStringLiteral("start"), start)
                            .map());
}

VELQuery VelariQueryEvent::queryForGuessedEventsByLocation(const QString &location,
                                                           std::optional<qint64> start)
{
    return VELQuery(QStringLiteral("/v2/event/user_guessed"),
                    VelariQueryParameters()
                            .setIfGiven(QStringLiteral("loc_id"), location)
                            .setIfGiven(QStringLiteral("start"), start)
                            .set(QStringLiteral("count"), QStringLiteral("30"))
                            .map());
}

VELQuery VelariQueryEvent::queryForEventsByLocation(const QString &location, const QString &dayType,
                                                    std::optional<qint64> start)
{
    return VELQuery(QStringLiteral("/v2/event/list"),
                    VelariQueryParameters()
                            .setIfGiven(QStringLiteral("start"), start)
                            .setIfGiven(QStringLiteral("loc"), location)
                            .setIfGiven(QStringLiteral("day_type"), dayType)
                            .set(QStringLiteral("count"), QStringLiteral("30"))
                            .map());
}

VELQuery VelariQueryEvent::queryForEventsByLocation(const QString &location, const QString &dayType,
                                                    const QString &type, const QString &district,
                                                    std::optional<qint64> start)
{
    return VELQuery(QStringLiteral("/v2/event/list"),
                    VelariQueryParameters()
                            .setIfGiven(QStringLiteral("loc"), location)
                            .setIfGiven(QStringLiteral("day_type"), dayType)
                            .setIfGiven(QStringLiteral("district"), district)
                            .setIfGiven(QStringLiteral("type"), type)
                            .setIfGiven(QStringLiteral("start"), start)
                            .set(QStringLiteral("photo_cate"), QStringLiteral("image"))
                            .set(QStringLiteral("photo_count"), QStringLiteral("5"))
                            .map());
}

VELQuery VelariQueryEvent::queryForEventsByLocationNearby(const QString &location,
                                                          const QString &dayType,
                                                          const QString &type, const QString &lat,
                                                          const QString &lng,
                                                          std::optional<qint64> start)
{
    return VELQuery(QStringLiteral("/v2/event/nearby"),
                    VelariQueryParameters()
                            .setIfGiven(QStringLiteral("loc"), location)
                            .setIfGiven(QStringLiteral("day_type"), dayType)
                            .setIfGiven(QStringLiteral("lat"), lat)
                            .setIfGiven(QStringLiteral("lng"), lng)
                            .setIfGiven(QStringLiteral("type"), type)
                            .setIfGiven(QStringLiteral("start"), start)
                            .map());
}

VELQuery VelariQueryEvent::queryForWishEventById(const QString &eventId)
{
    return VELQuery(QStringLiteral("/v2/event/%1/wishers").arg(eventId));
}

VELQuery VelariQueryEvent::queryForParticipateEventById(const QString &eventId)
{
    return VELQuery(QStringLiteral("/v2/event/%1/participants").arg(eventId));
}

VELQuery VelariQueryEvent::queryForParticipateEventById(const QString &eventId,
                                                        const QString &participateDate)
{
    return VELQuery(QStringLiteral("/v2/event/%1/participants").arg(eventId),
                    VelariQueryParameters()
                            .setIfGiven(QStringLiteral("participate_date"), participateDate)
                            .map());
}
