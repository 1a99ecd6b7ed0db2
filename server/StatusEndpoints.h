#pragma once

#include "ServiceReply.h"

class Router;
class ServiceDatabase;
struct ServiceRequest;

// The service's microblog: posting a status (feedback and shared events) and its comments.
class StatusEndpoints
{
public:
    explicit StatusEndpoints(ServiceDatabase &database);
    void addRoutes(Router &router);

private:
    ServiceReply post(const ServiceRequest &request);
    ServiceReply comments(const ServiceRequest &request);

    ServiceDatabase &m_database;
};
