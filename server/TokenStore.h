#pragma once

#include <QString>

#include <optional>

class ServiceDatabase;

// Access and refresh tokens, and the one-time codes of the authorization-code grant.
class TokenStore
{
public:
    struct Issued
    {
        QString accessToken;
        QString refreshToken;
        qint64 userId = 0;
        qint64 expiresIn = 0;
    };
    enum class Check { Valid, Unknown, Expired };

    TokenStore(ServiceDatabase &database, qint64 lifetimeSeconds);

    Issued issue(qint64 userId, const QString &clientId);
    Check check(const QString &accessToken, qint64 *userId) const;
    // Revokes the pair and returns its user, when the refresh token belongs to the client.
    std::optional<qint64> redeemRefreshToken(const QString &refreshToken, const QString &clientId);

    QString issueCode(qint64 userId, const QString &clientId, const QString &redirectUri);
    std::optional<qint64> redeemCode(const QString &code, const QString &clientId,
                                     const QString &redirectUri);

private:
    ServiceDatabase &m_database;
    qint64 m_lifetime;
};
