#pragma once

#include "VELHttpRequest.h"
#include "VELNetworkQueue.h"
#include "VELQuery.h"

#include <QVariantMap>

#include <memory>
#include <optional>

// The one client of the events service's REST API. It signs every request (the API key as a
// parameter, or the user's bearer token), refreshes a token that is about to expire before
// queueing, and runs at most four queued requests at once; uploads start at once. Called on the
// main thread; callbacks come back there.
class VELService
{
public:
    static VELService &sharedInstance();

    VELService();

    QString clientId() const { return m_clientId; }
    void setClientId(const QString &id) { m_clientId = id; }
    QString clientSecret() const { return m_clientSecret; }
    void setClientSecret(const QString &secret) { m_clientSecret = secret; }
    QString apiBaseUrlString() const { return m_apiBaseUrlString; }
    void setApiBaseUrlString(const QString &base) { m_apiBaseUrlString = base; }

    // A stored access token that has not expired.
    bool isValid() const;

    using Callback = VELHttpRequest::Callback;
    using Progress = VELHttpRequest::Progress;

    VELHttpRequest::Ptr get(VELQuery query, Callback callback);
    VELHttpRequest::Ptr post(VELQuery query, const QString &postBody, Callback callback);
    VELHttpRequest::Ptr put(VELQuery query, const QString &postBody, Callback callback);
    VELHttpRequest::Ptr deleteResource(VELQuery query, Callback callback);
    VELHttpRequest::Ptr get(VELQuery query, VELHttpRequestDelegate *delegate);
    VELHttpRequest::Ptr post(VELQuery query, const QString &postBody,
                             VELHttpRequestDelegate *delegate);
    VELHttpRequest::Ptr deleteResource(VELQuery query, VELHttpRequestDelegate *delegate);

    // Photo uploads: multipart/form-data, and multipart/related with an Atom entry.
    VELHttpRequest::Ptr post2(VELQuery album, const QByteArray &photoData,
                              const QString &description, Callback callback,
                              Progress progress = {});
    VELHttpRequest::Ptr post(VELQuery album, const QByteArray &photoData,
                             const QString &description, Callback callback, Progress progress = {});

    void addRequest(const VELHttpRequest::Ptr &request);
    void sign(VELHttpRequest &request) const;
    std::optional<VELError> executeRefreshToken();
    void setMaxConcurrentOperationCount(int count);
    VELNetworkQueue *queue() const { return m_queue.get(); }

    static QVariantMap parseQueryString(const QString &query);

private:
    VELHttpRequest::Ptr plainRequest(VELQuery &query, const QByteArray &method) const;
    VELHttpRequest::Ptr bodyRequest(VELQuery &query, const QByteArray &method,
                                    const QString &postBody) const;
    VELHttpRequest::Ptr deleteRequest(VELQuery &query) const;
    VELHttpRequest::Ptr enqueue(const VELHttpRequest::Ptr &request, Callback callback,
                                VELHttpRequestDelegate *delegate);
    void refreshIfNeeded();
    void startUpload(const VELHttpRequest::Ptr &request);

    QString m_clientId;
    QString m_clientSecret;
    QString m_apiBaseUrlString;
    std::unique_ptr<VELNetworkQueue> m_queue;
    int m_maxConcurrent = 4;
};
