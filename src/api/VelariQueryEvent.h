#pragma once

#include "VELQuery.h"

#include <optional>

// Requests about events. A null text or an empty optional is a parameter not given.
class VelariQueryEvent
{
public:
    static VELQuery queryForEventById(const QString &eventId);
    static VELQuery queryForParticipatedEventsByPeopleUid(const QString &userId,
                                                          std::optional<qint64> start,
                                                          const QString &status);
    static VELQuery queryForWishedEventsByPeopleUid(const QString &userId,
                                                    std::optional<qint64> start);
    static VELQuery queryForEventsByKey(const QString &text, const QString &location,
                                        std::optional<qint64> start);
    static VELQuery queryForGuessedEventsByLocation(const QString &location,
                                                    std::optional<qint64> start);
    static VELQuery queryForEventsByLocation(const QString &location, const QString &dayType,
                                             std::optional<qint64> start);
    static VELQuery queryForEventsByLocation(const QString &location, const QString &dayType,
                                             const QString &type, const QString &district,
                                             std::optional<qint64> start);
    static VELQuery queryForEventsByLocationNearby(const QString &location, const QString &dayType,
                                                   const QString &type, const QString &lat,
                                                   const QString &lng, std::optional<qint64> start);
    static VELQuery queryForWishEventById(const QString &eventId);
    static VELQuery queryForParticipateEventById(const QString &eventId);
    static VELQuery queryForParticipateEventById(const QString &eventId,
                                                 const QString &participateDate);
};
