#pragma once

#include "VELHttpRequest.h"

#include <QJsonObject>
#include <QString>

#include <optional>

class VELOAuthService;

class VELOAuthServiceDelegate
{
public:
    virtual ~VELOAuthServiceDelegate() = default;
    virtual void OAuthClientDidAcquireSuccessDictionary(VELOAuthService *client,
                                                        const QJsonObject &reply)
            = 0;
    virtual void OAuthClientDidFailWithError(VELOAuthService *client, const VELError &error) = 0;
};

// The token endpoint's client: password and authorization-code grants (asynchronous, reported to
// the delegate and an optional callback), and the synchronous refresh grant.
class VELOAuthService
{
public:
    static VELOAuthService &sharedInstance();

    VELOAuthService();

    QString clientId() const { return m_clientId; }
    void setClientId(const QString &id) { m_clientId = id; }
    QString clientSecret() const { return m_clientSecret; }
    void setClientSecret(const QString &secret) { m_clientSecret = secret; }
    QString authorizationURL() const { return m_authorizationURL; }
    void setAuthorizationURL(const QString &url) { m_authorizationURL = url; }
    QString callbackURL() const { return m_callbackURL; }
    void setCallbackURL(const QString &url) { m_callbackURL = url; }
    QString authorizationCode() const { return m_authorizationCode; }
    void setAuthorizationCode(const QString &code) { m_authorizationCode = code; }
    VELOAuthServiceDelegate *delegate() const { return m_delegate; }
    void setDelegate(VELOAuthServiceDelegate *delegate) { m_delegate = delegate; }

    VELHttpRequest::Ptr validateUsername(const QString &username, const QString &password,
                                         VELHttpRequest::Callback callback = {});
    VELHttpRequest::Ptr validateAuthorizationCode(VELHttpRequest::Callback callback = {});
    // Blocks until the reply or the time-out. A transport failure comes back unchanged and leaves
    // the store alone; any reply is applied to the store, so a refusal logs the user out.
    std::optional<VELError> validateRefresh();
    void logout();

    // The delegate's error for a finished grant, or none on success.
    static std::optional<VELError> grantError(const VELHttpRequest &request);

private:
    VELHttpRequest::Ptr formRequest(const QList<QPair<QString, QString>> &grantFields);
    VELHttpRequest::Ptr startGrant(const QList<QPair<QString, QString>> &grantFields,
                                   VELHttpRequest::Callback callback);
    void report(VELHttpRequest &request);

    QString m_clientId;
    QString m_clientSecret;
    QString m_authorizationURL;
    QString m_callbackURL;
    QString m_authorizationCode;
    VELOAuthServiceDelegate *m_delegate = nullptr;
};
