#include "VELOAuthService.h"

#include "VELHosts.h"
#include "VELOAuthStore.h"
#include "foundation/VELLogger.h"
#include "platform/SharedInstances.h"

#include <QJsonDocument>
#include <QUrlQuery>

VELOAuthService &VELOAuthService::sharedInstance()
{
    return SharedInstance<VELOAuthService>::get();
}

VELOAuthService::VELOAuthService()
    : m_authorizationURL(VELHosts::tokenURL()), m_callbackURL(VELHosts::callbackURL())
{ }

VELHttpRequest::Ptr VELOAuthService::formRequest(const QList<QPair<QString, QString>> &grantFields)
{
    // Certificates are validated: a self-signed service is trusted through VELHosts.
    VELHttpRequest::Ptr request = VELHttpRequest::requestWithURL(QUrl(m_authorizationURL));
    QList<QPair<QString, QString>> fields = { { QStringLiteral("client_id"), m_clientId },
                                              { QStringLiteral("client_secret"), m_clientSecret },
                                              { QStringLiteral("redirect_uri"), m_callbackURL } };
    fields += grantFields;
    QByteArray body;
    for (const auto &[name, value] : std::as_const(fields)) {
        if (!body.isEmpty())
            body += '&';
        body += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    }
    request->setRequestMethod("POST");
    request->addRequestHeader("Content-Type", "application/x-www-form-urlencoded; charset=utf-8");
    request->setPostBody(body);
    return request;
}

VELHttpRequest::Ptr VELOAuthService::startGrant(const QList<QPair<QString, QString>> &grantFields,
                                                VELHttpRequest::Callback callback)
{
    VELHttpRequest::Ptr request = formRequest(grantFields);
    request->setCompletionBlock([this, callback = std::move(callback)](VELHttpRequest &finished) {
        report(finished);
        if (callback)
            callback(finished);
    });
    request->startAsynchronous();
    return request;
}

VELHttpRequest::Ptr VELOAuthService::validateUsername(const QString &username,
                                                      const QString &password,
                                                      VELHttpRequest::Callback callback)
{
    return startGrant({ { QStringLiteral("grant_type"), QStringLiteral("password") },
                        { QStringLiteral("username"), username },
                        { QStringLiteral("password"), password } },
                      std::move(callback));
}

VELHttpRequest::Ptr VELOAuthService::validateAuthorizationCode(VELHttpRequest::Callback callback)
{
    return startGrant({ { QStringLiteral("grant_type"), QStringLiteral("authorization_code") },
                        { QStringLiteral("code"), m_authorizationCode } },
                      std::move(callback));
}

std::optional<VELError> VELOAuthService::validateRefresh()
{
    VELOAuthStore &store = VELOAuthStore::sharedInstance();
    VELHttpRequest::Ptr request
            = formRequest({ { QStringLiteral("grant_type"), QStringLiteral("refresh_token") },
                            { QStringLiteral("refresh_token"), store.refreshToken() } });
    request->startSynchronous();
    if (request->error())
        return request->error();
    store.updateWithSuccessDictionary(QJsonDocument::fromJson(request->responseData()).object());
    return std::nullopt;
}

void VELOAuthService::logout()
{
    VELOAuthStore::sharedInstance().clear();
}

std::optional<VELError> VELOAuthService::grantError(const VELHttpRequest &request)
{
    std::optional<VELError> error;
    if (request.error())
        error = VELHttpRequest::adapterError(*request.error());
    const int status = request.responseStatusCode();
    if (status >= 400 && status <= 403) {
        if (std::optional<VELError> refusal = request.serviceRefusal())
            error = refusal;
    }
    return error;
}

void VELOAuthService::report(VELHttpRequest &request)
{
    if (const std::optional<VELError> error = grantError(request)) {
        if (m_delegate)
            m_delegate->OAuthClientDidFailWithError(this, *error);
        return;
    }
    // The reply holds tokens: log that it came, never what it holds.
    VELLogger::sharedLogger().logWithLevel(7, "login success: %d bytes",
                                           request.responseData().size());
    const QJsonObject reply = QJsonDocument::fromJson(request.responseData()).object();
    VELOAuthStore::sharedInstance().updateWithSuccessDictionary(reply);
    if (m_delegate)
        m_delegate->OAuthClientDidAcquireSuccessDictionary(this, reply);
}
