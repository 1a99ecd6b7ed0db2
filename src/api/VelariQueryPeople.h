#pragma once

#include "VELQuery.h"

#include <optional>

// Requests about the user: push registration, tickets, reminders, profile and following.
class VelariQueryPeople
{
public:
    static VELQuery queryForRegisterWithDeviceToken(const QString &token);
    static VELQuery queryForUnregisterWithDeviceToken(const QString &token);
    static VELQuery queryForMyTickets();
    static VELQuery queryForPasskBookWithOrderId(const QString &orderId);
    static VELQuery queryForNotificationType();
    static VELQuery queryForNotificationTypeWithType(const QString &type);
    static VELQuery queryForUserById(const QString &userId);
    static VELQuery queryForFollowingByUid(const QString &userId, std::optional<qint64> start);
    static VELQuery queryForFollowersByUid(const QString &userId, std::optional<qint64> start);
    static VELQuery queryForAllFollowingBriefInfo();
};
