#pragma once

#include "ServiceReply.h"

#include <optional>

class Authenticator;
class Router;
class ServiceDatabase;
class TokenStore;
struct ServiceRequest;

// "/service/auth2/token" with the password, refresh-token and authorization-code grants, and the
// authorize page "/service/auth2/auth" that hands out codes.
class TokenEndpoint
{
public:
    TokenEndpoint(ServiceDatabase &database, TokenStore &tokens,
                  const Authenticator &authenticator);
    void addRoutes(Router &router);

private:
    ServiceReply token(const ServiceRequest &request);
    ServiceReply passwordGrant(const ServiceRequest &request, const QString &clientId);
    ServiceReply authorizePage(const ServiceRequest &request, const QString &message = {});
    ServiceReply authorize(const ServiceRequest &request);
    ServiceReply tokenReply(qint64 userId, const QString &clientId);
    // The user signing in with a password, or the refusal (unknown user, wrong password,
    // blocked user).
    std::optional<qint64> signIn(const QString &username, const QString &password,
                                 ServiceError *refusal) const;

    ServiceDatabase &m_database;
    TokenStore &m_tokens;
    const Authenticator &m_authenticator;
};
