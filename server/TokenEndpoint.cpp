#include "TokenEndpoint.h"

#include "Authenticator.h"
#include "Passwords.h"
#include "Router.h"
#include "ServiceDatabase.h"
#include "ServiceRequest.h"
#include "TokenStore.h"

#include <QUrl>
#include <QUrlQuery>

TokenEndpoint::TokenEndpoint(ServiceDatabase &database, TokenStore &tokens,
                             const Authenticator &authenticator)
    : m_database(database), m_tokens(tokens), m_authenticator(authenticator)
{
}

void TokenEndpoint::addRoutes(Router &router)
{
    router.add("POST", QStringLiteral("/service/auth2/token"), Router::Access::Anyone,
               [this](const ServiceRequest &r) { return token(r); });
    router.add("GET", QStringLiteral("/service/auth2/auth"), Router::Access::Anyone,
               [this](const ServiceRequest &r) { return authorizePage(r); });
    router.add("POST", QStringLiteral("/service/auth2/auth"), Router::Access::Anyone,
               [this](const ServiceRequest &r) { return authorize(r); });
}

ServiceReply TokenEndpoint::token(const ServiceRequest &request)
{
    for (const char *field : { "client_id", "client_secret", "redirect_uri", "grant_type" }) {
        if (request.formValue(QLatin1String(field)).isEmpty())
            return ServiceReply::missingParameter(request, QLatin1String(field));
    }
    const QString clientId = request.formValue(QStringLiteral("client_id"));
    const auto client = m_authenticator.client(clientId);
    if (!client)
        return ServiceReply::error(400, ServiceError::InvalidApikey, request);
    if (client->secret != request.formValue(QStringLiteral("client_secret")))
        return ServiceReply::error(400, ServiceError::ClientSecretMismatch, request);
    const QString redirectUri = request.formValue(QStringLiteral("redirect_uri"));
    if (!client->acceptsRedirect(redirectUri))
        return ServiceReply::error(400, ServiceError::InvalidRequestUri, request);

    const QString grant = request.formValue(QStringLiteral("grant_type"));
    if (grant == QLatin1String("password"))
        return passwordGrant(request, clientId);
    if (grant == QLatin1String("refresh_token")) {
        const auto userId = m_tokens.redeemRefreshToken(
                request.formValue(QStringLiteral("refresh_token")), clientId);
        if (!userId)
            return ServiceReply::error(400, ServiceError::InvalidRefreshToken, request);
        return tokenReply(*userId, clientId);
    }
    if (grant == QLatin1String("authorization_code")) {
        const auto userId =
                m_tokens.redeemCode(request.formValue(QStringLiteral("code")), clientId, redirectUri);
        if (!userId)
            return ServiceReply::error(400, ServiceError::InvalidAuthorizationCode, request);
        return tokenReply(*userId, clientId);
    }
    return ServiceReply::error(400, ServiceError::UnsupportedGrantType, request);
}

std::optional<qint64> TokenEndpoint::signIn(const QString &username, const QString &password,
                                            ServiceError *refusal) const
{
    QSqlQuery query = m_database.run(
            QStringLiteral("SELECT id, password_salt, password_hash, blocked FROM users"
                           " WHERE (lower(email) = lower(?) OR uid = ?)"
                           " AND password_hash IS NOT NULL"),
            { username, username });
    if (!query.next()) {
        *refusal = ServiceError::InvalidUser;
        return std::nullopt;
    }
    if (!Passwords::verify(password, query.value(1).toByteArray(), query.value(2).toByteArray())) {
        *refusal = ServiceError::UsernamePasswordMismatch;
        return std::nullopt;
    }
    if (query.value(3).toBool()) {
        *refusal = ServiceError::UserHasBlocked;
        return std::nullopt;
    }
    return query.value(0).toLongLong();
}

ServiceReply TokenEndpoint::passwordGrant(const ServiceRequest &request, const QString &clientId)
{
    const QString username = request.formValue(QStringLiteral("username"));
    const QString password = request.formValue(QStringLiteral("password"));
    if (username.isEmpty())
        return ServiceReply::missingParameter(request, QStringLiteral("username"));
    if (password.isEmpty())
        return ServiceReply::missingParameter(request, QStringLiteral("password"));
    ServiceError refusal = ServiceError::InvalidUser;
    const auto userId = signIn(username, password, &refusal);
    if (!userId)
        return ServiceReply::error(400, refusal, request);
    return tokenReply(*userId, clientId);
}

ServiceReply TokenEndpoint::tokenReply(qint64 userId, const QString &clientId)
{
    const TokenStore::Issued issued = m_tokens.issue(userId, clientId);
    const QString name =
            m_database.scalar(QStringLiteral("SELECT name FROM users WHERE id = ?"), { userId })
                    .value_or(QVariant())
                    .toString();
    return ServiceReply::json({ { "access_token", issued.accessToken },
                                { "refresh_token", issued.refreshToken },
                                { "expires_in", issued.expiresIn },
                                { "velari_user_id", QString::number(userId) },
                                { "velari_user_name", name } });
}

ServiceReply TokenEndpoint::authorizePage(const ServiceRequest &request, const QString &message)
{
    const QString clientId = request.formValue(QStringLiteral("client_id"));
    const QString redirectUri = request.formValue(QStringLiteral("redirect_uri"));
    const auto client = m_authenticator.client(clientId);
    if (!client)
        return ServiceReply::error(400, ServiceError::InvalidApikey, request);
    if (!client->acceptsRedirect(redirectUri))
        return ServiceReply::error(400, ServiceError::InvalidRequestUri, request);
    const QString html = QStringLiteral(
            "<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
            "<meta name=\"viewport\" content=\"width=device-width\"><title>登录 Velari</title>"
            "</head><body><h1>登录 Velari</h1><p>%1</p>"
            "<form method=\"post\" action=\"/service/auth2/auth\">"
            "<input type=\"hidden\" name=\"client_id\" value=\"%2\">"
            "<input type=\"hidden\" name=\"redirect_uri\" value=\"%3\">"
            "<p><input name=\"username\" placeholder=\"邮箱或用户名\"></p>"
            "<p><input name=\"password\" type=\"password\" placeholder=\"密码\"></p>"
            "<p><button type=\"submit\">授权</button></p></form></body></html>")
                                 .arg(message.toHtmlEscaped(), clientId.toHtmlEscaped(),
                                      redirectUri.toHtmlEscaped());
    return ServiceReply::bytes(html.toUtf8(), "text/html; charset=utf-8");
}

ServiceReply TokenEndpoint::authorize(const ServiceRequest &request)
{
    const QString clientId = request.formValue(QStringLiteral("client_id"));
    const QString redirectUri = request.formValue(QStringLiteral("redirect_uri"));
    const auto client = m_authenticator.client(clientId);
    if (!client || !client->acceptsRedirect(redirectUri))
        return authorizePage(request);
    ServiceError refusal = ServiceError::InvalidUser;
    const auto userId = signIn(request.formValue(QStringLiteral("username")),
                               request.formValue(QStringLiteral("password")), &refusal);
    if (!userId)
        return authorizePage(request, serviceErrorMessage(refusal));
    QUrl target(redirectUri);
    QUrlQuery query(target);
    query.addQueryItem(QStringLiteral("code"), m_tokens.issueCode(*userId, clientId, redirectUri));
    target.setQuery(query);
    ServiceReply reply = ServiceReply::bytes({}, "text/plain", 302);
    reply.addHeader("Location", target.toEncoded());
    return reply;
}
