#pragma once

#include "ServiceReply.h"
#include "ServiceRequest.h"

#include <QRegularExpression>

#include <functional>
#include <vector>

class Authenticator;

// Finds the handler for a method and path, checks the caller, and runs it.
class Router
{
public:
    // Unchecked: no key or token is looked at (the statistics host has its own rules).
    enum class Access { Anyone, User, Unchecked };
    using Handler = std::function<ServiceReply(const ServiceRequest &)>;

    explicit Router(const Authenticator &authenticator);

    // `pattern` is a path whose "{}" segments match one segment each, handed to the handler
    // as `arguments`; a trailing "/" is optional.
    void add(const QByteArray &method, const QString &pattern, Access access, Handler handler);
    ServiceReply dispatch(ServiceRequest &request) const;

private:
    struct Route
    {
        QByteArray method;
        QRegularExpression path;
        Access access;
        Handler handler;
    };
    const Authenticator &m_authenticator;
    std::vector<Route> m_routes;
};
