#pragma once

#include "ServiceReply.h"

class Router;
class ServiceDatabase;
struct ServiceRequest;

// The statistics host: batch uploads of gzip-compressed JSON at "/", single events at "/" with
// a "logs=" body, the service check "/check", crash reports "/crash". What arrives is kept and
// listed at "/stat/uploads" (newest last) for tests and for a look from outside.
class StatisticsEndpoints
{
public:
    struct Options
    {
        bool available = true; // what "/check" answers: "1", or "0"
        int delayMs = 0;       // how long uploads wait for their answer
    };

    StatisticsEndpoints(ServiceDatabase &database, const Options &options);
    void addRoutes(Router &router);

private:
    ServiceReply upload(const ServiceRequest &request);
    ServiceReply crash(const ServiceRequest &request);
    ServiceReply uploads(const ServiceRequest &request);
    ServiceReply store(const QString &kind, const QVariantMap &fields, const QByteArray &payload,
                       int events);

    ServiceDatabase &m_database;
    Options m_options;
};
