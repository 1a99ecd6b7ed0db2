#pragma once

#include "ServiceReply.h"

class Router;
class ServiceDatabase;
struct ServiceRequest;

// Cities: the list, search by name or short name, the nearest city to a position, and a
// city's districts.
class LocEndpoints
{
public:
    explicit LocEndpoints(const ServiceDatabase &database);
    void addRoutes(Router &router);

private:
    ServiceReply list(const ServiceRequest &request);
    ServiceReply search(const ServiceRequest &request);
    ServiceReply geo(const ServiceRequest &request);
    ServiceReply districts(const ServiceRequest &request);
    ServiceReply loc(const ServiceRequest &request);
    ServiceReply answerPage(const ServiceRequest &request, const QString &where,
                            const QVariantList &values);

    const ServiceDatabase &m_database;
};
