#pragma once

#include "ServiceReply.h"

#include <optional>

class ServiceDatabase;
class TokenStore;
struct ServiceRequest;

// Who is calling: the application's key ("apikey") and the user's bearer token.
class Authenticator
{
public:
    struct Client
    {
        QString id;
        QString secret;
        QString redirectUri;
        // The registered callback's path, on the service's web host or on this stand-in
        // (which serves as the web host wherever it runs).
        bool acceptsRedirect(const QString &uri) const;
    };

    Authenticator(const ServiceDatabase &database, const TokenStore &tokens);

    // Fills the request's client and user, or gives the refusal: a key of the wrong form or
    // unknown, a token that is unknown, revoked or expired.
    std::optional<ServiceReply> identify(ServiceRequest &request) const;
    std::optional<Client> client(const QString &clientId) const;

private:
    const ServiceDatabase &m_database;
    const TokenStore &m_tokens;
};
