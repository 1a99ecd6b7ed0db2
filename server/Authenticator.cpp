#include "Authenticator.h"

#include "ServiceDatabase.h"
#include "ServiceRequest.h"
#include "TokenStore.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QUrl>

Authenticator::Authenticator(const ServiceDatabase &database, const TokenStore &tokens)
    : m_database(database), m_tokens(tokens)
{
}

std::optional<ServiceReply> Authenticator::identify(ServiceRequest &request) const
{
    if (request.hasParameter(QStringLiteral("apikey"))) {
        static const QRegularExpression form(QStringLiteral("^[0-9a-fA-F]{32}$"));
        const QString key = request.parameter(QStringLiteral("apikey"));
        if (!form.match(key).hasMatch() || !client(key.toLower()))
            return ServiceReply::error(400, ServiceError::InvalidApikey, request);
        request.clientId = key.toLower();
    }
    const QByteArray authorization = request.header("Authorization");
    if (authorization.isEmpty())
        return std::nullopt;
    if (!authorization.startsWith("Bearer "))
        return ServiceReply::error(400, ServiceError::InvalidAccessToken, request);
    const QString token = QString::fromLatin1(authorization.mid(7).trimmed());
    switch (m_tokens.check(token, &request.userId)) {
    case TokenStore::Check::Valid:
        return std::nullopt;
    case TokenStore::Check::Expired:
        return ServiceReply::error(400, ServiceError::AccessTokenHasExpired, request);
    case TokenStore::Check::Unknown:
        break;
    }
    return ServiceReply::error(400, ServiceError::InvalidAccessToken, request);
}

std::optional<Authenticator::Client> Authenticator::client(const QString &clientId) const
{
    QSqlQuery query = m_database.run(
            QStringLiteral("SELECT client_id, secret, redirect_uri FROM clients WHERE client_id = ?"),
            { clientId });
    if (!query.next())
        return std::nullopt;
    return Client { query.value(0).toString(), query.value(1).toString(),
                    query.value(2).toString() };
}

bool Authenticator::Client::acceptsRedirect(const QString &uri) const
{
    const QUrl given(uri);
    const QUrl registered(redirectUri);
    if (!given.isValid() || given.path() != registered.path())
        return false;
    const QHostAddress address(given.host());
    return given.host() == registered.host() || given.host() == QLatin1String("localhost")
            || (!address.isNull() && address.isLoopback());
}
