#pragma once

#include "ServiceReply.h"

#include <optional>

class Router;
class ServiceDatabase;
struct ServiceRequest;

// Users and what belongs to them: profiles, following lists, push registration, the reminder
// setting, ticket orders and their passes.
class PeopleEndpoints
{
public:
    PeopleEndpoints(ServiceDatabase &database, const QString &passTypeIdentifier);
    void addRoutes(Router &router);

private:
    ServiceReply registerDevice(const ServiceRequest &request, bool add);
    ServiceReply orders(const ServiceRequest &request);
    ServiceReply passbook(const ServiceRequest &request);
    ServiceReply notificationType(const ServiceRequest &request);
    ServiceReply setNotificationType(const ServiceRequest &request);
    ServiceReply user(const ServiceRequest &request);
    ServiceReply follows(const ServiceRequest &request, bool following);
    ServiceReply briefFollowings(const ServiceRequest &request);
    // A user named by decimal id, short name or "~me".
    std::optional<qint64> userNamed(const ServiceRequest &request, const QString &name) const;

    ServiceDatabase &m_database;
    QString m_passTypeIdentifier;
};
