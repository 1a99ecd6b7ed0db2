#include "VelariQueryPeople.h"

#include "VelariQueryParameters.h"

VELQuery VelariQueryPeople::queryForRegisterWithDeviceToken(const QString &token)
{
    return VELQuery(QStringLiteral("/v2/velari_event_app/register"),
                    VelariQueryParameters().set(QStringLiteral("token"), token).map());
}

VELQuery VelariQueryPeople::queryForUnregisterWithDeviceToken(const QString &token)
{
    return VELQuery(QStringLiteral("/v2/velari_event_app/unregister"),
                    VelariQueryParameters().set(QStringLiteral("token"), token).map());
}

VELQuery VelariQueryPeople::queryForMyTickets()
{
    return VELQuery(QStringLiteral("/v2/velari_event_app/order/list"));
}

VELQuery VelariQueryPeople::queryForPasskBookWithOrderId(const QString &orderId)
{
    return VELQuery(QStringLiteral("/v2/velari_event_app/order/%1/passbook").arg(orderId),
                    VelariQueryParameters()
                            .set(QStringLiteral("use_developer_sign"), QStringLiteral("true"))
                            .map());
}

VELQuery VelariQueryPeople::queryForNotificationType()
{
    return VELQuery(QStringLiteral("/v2/velari_event_app/notification_type"));
}

VELQuery VelariQueryPeople::queryForNotificationTypeWithType(const QString &type)
{
    return VELQuery(QStringLiteral("/v2/velari_event_app/notification_type"),
                    VelariQueryParameters().set(QStringLiteral("notification_type"), type).map());
}

VELQuery VelariQueryPeople::queryForUserById(const QString &userId)
{
    return VELQuery(QStringLiteral("/v2/user/%1").arg(userId));
}

VELQuery VelariQueryPeople::queryForFollowingByUid(const QString &userId,
                                                   std::optional<qint64> start)
{
    return VELQuery(QStringLiteral("/brio/users/%1/following").arg(userId),
                    VelariQueryParameters()
                            .setIfGiven(QStringLiteral("page"), start)
                            .set(QStringLiteral("count"), QStringLiteral("20"))
                            .map());
}

VELQuery VelariQueryPeople::queryForFollowersByUid(const QString &userId,
                                                   std::optional<qint64> start)
{
    return VELQuery(QStringLiteral("/brio/users/%1/followers").arg(userId),
                    VelariQueryParameters()
                            .setIfGiven(QStringLiteral("page"), start)
                            .set(QStringLiteral("count"), QStringLiteral("20"))
                            .map());
}

VELQuery VelariQueryPeople::queryForAllFollowingBriefInfo()
{
    return VELQuery(QStringLiteral("/brio/in/followings"));
}
