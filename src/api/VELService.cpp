#include "VELService.h"

#include "VELAtomEntry.h"
#include "VELHosts.h"
#include "VELOAuthService.h"
#include "VELOAuthStore.h"
#include "platform/SharedInstances.h"

#include <QUuid>

namespace {

QByteArray decimal(qsizetype value)
{
    return QByteArray::number(qint64(value));
}

} // namespace

VELService &VELService::sharedInstance()
{
    return SharedInstance<VELService>::get();
}

VELService::VELService() : m_apiBaseUrlString(VELHosts::apiBaseUrlString(false)) { }

bool VELService::isValid() const
{
    VELOAuthStore &store = VELOAuthStore::sharedInstance();
    return !store.accessToken().isEmpty() && !store.hasExpired();
}

void VELService::sign(VELHttpRequest &request) const
{
    VELOAuthStore &store = VELOAuthStore::sharedInstance();
    const QString token = store.accessToken();
    if (token.isEmpty() || store.hasExpired()) {
        if (m_clientId.isEmpty())
            return;
        QByteArray url = request.url().toEncoded();
        url += request.url().hasQuery() ? '&' : '?';
        url += "apikey=" + QUrl::toPercentEncoding(m_clientId);
        request.setURL(QUrl::fromEncoded(url));
        return;
    }
    request.addRequestHeader("Authorization", "Bearer " + token.toUtf8());
}

std::optional<VELError> VELService::executeRefreshToken()
{
    VELOAuthService &oauth = VELOAuthService::sharedInstance();
    oauth.setAuthorizationURL(VELHosts::tokenURL());
    oauth.setClientId(m_clientId);
    oauth.setClientSecret(m_clientSecret);
    return oauth.validateRefresh();
}

void VELService::refreshIfNeeded()
{
    VELOAuthStore &store = VELOAuthStore::sharedInstance();
    if (store.userId() != 0 && !store.refreshToken().isEmpty() && store.shouldRefreshToken())
        executeRefreshToken(); // on failure the old token serves while it can
}

void VELService::addRequest(const VELHttpRequest::Ptr &request)
{
    if (!m_queue)
        m_queue = std::make_unique<VELNetworkQueue>(m_maxConcurrent);
    refreshIfNeeded();
    sign(*request);
    m_queue->addOperation(request);
}

void VELService::setMaxConcurrentOperationCount(int count)
{
    m_maxConcurrent = count;
    if (m_queue)
        m_queue->setMaxConcurrentOperationCount(count);
}

VELHttpRequest::Ptr VELService::plainRequest(VELQuery &query, const QByteArray &method) const
{
    query.setApiBaseUrlString(m_apiBaseUrlString);
    VELHttpRequest::Ptr request = VELHttpRequest::requestWithURL(query.requestURL());
    request->setRequestMethod(method);
    return request;
}

VELHttpRequest::Ptr VELService::bodyRequest(VELQuery &query, const QByteArray &method,
                                            const QString &postBody) const
{
    VELHttpRequest::Ptr request = plainRequest(query, method);
    request->addRequestHeader("Content-Type", "application/x-www-form-urlencoded; charset=UTF-8");
    const QByteArray body = postBody.toUtf8();
    if (!body.isEmpty()) {
        if (VELAtomEntry::isXmlElement(body))
            request->addRequestHeader("Content-Type", "application/atom+xml");
        request->appendPostData(body);
    }
    request->addRequestHeader("Content-Length", decimal(body.size()));
    return request;
}

VELHttpRequest::Ptr VELService::deleteRequest(VELQuery &query) const
{
    VELHttpRequest::Ptr request = plainRequest(query, "DELETE");
    request->addRequestHeader("Content-Type", "application/atom+xml");
    request->addRequestHeader("Content-Length", "0");
    return request;
}

VELHttpRequest::Ptr VELService::enqueue(const VELHttpRequest::Ptr &request, Callback callback,
                                        VELHttpRequestDelegate *delegate)
{
    request->setCompletionBlock(std::move(callback));
    request->setDelegate(delegate);
    addRequest(request);
    return request;
}

VELHttpRequest::Ptr VELService::get(VELQuery query, Callback callback)
{
    return enqueue(plainRequest(query, "GET"), std::move(callback), nullptr);
}

VELHttpRequest::Ptr VELService::get(VELQuery query, VELHttpRequestDelegate *delegate)
{
    return enqueue(plainRequest(query, "GET"), {}, delegate);
}

VELHttpRequest::Ptr VELService::post(VELQuery query, const QString &postBody, Callback callback)
{
    return enqueue(bodyRequest(query, "POST", postBody), std::move(callback), nullptr);
}

VELHttpRequest::Ptr VELService::post(VELQuery query, const QString &postBody,
                                     VELHttpRequestDelegate *delegate)
{
    return enqueue(bodyRequest(query, "POST", postBody), {}, delegate);
}

VELHttpRequest::Ptr VELService::put(VELQuery query, const QString &postBody, Callback callback)
{
    return enqueue(bodyRequest(query, "PUT", postBody), std::move(callback), nullptr);
}

VELHttpRequest::Ptr VELService::deleteResource(VELQuery query, Callback callback)
{
    return enqueue(deleteRequest(query), std::move(callback), nullptr);
}

VELHttpRequest::Ptr VELService::deleteResource(VELQuery query, VELHttpRequestDelegate *delegate)
{
    return enqueue(deleteRequest(query), {}, delegate);
}

void VELService::startUpload(const VELHttpRequest::Ptr &request)
{
    request->addRequestHeader("Content-Length", decimal(request->postBody().size()));
    refreshIfNeeded();
    sign(*request);
    request->startAsynchronous();
}

VELHttpRequest::Ptr VELService::post2(VELQuery album, const QByteArray &photoData,
                                      const QString &description, Callback callback,
                                      Progress progress)
{
    VELHttpRequest::Ptr request = plainRequest(album, "POST");
    request->setCompletionBlock(std::move(callback));
    const QByteArray boundary = "0xKhTmLbOuNdArY-"
            + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toLatin1();
    request->setUploadProgress(std::move(progress));
    request->addRequestHeader("Content-Type",
                              "multipart/form-data; charset=utf-8; boundary=" + boundary);
    request->appendPostData("--" + boundary + "\r\n");
    request->appendPostData("Content-Disposition: form-data; name=\"desc\"\r\n\r\n");
    request->appendPostString(description);
    request->appendPostData("\r\n--" + boundary + "\r\n");
    request->appendPostData(
            "Content-Disposition: form-data; name=\"image\"; filename=\"image.jpeg\"\r\n");
    request->appendPostData("Content-Type: image/jpeg\r\n\r\n");
    request->appendPostData(photoData);
    request->appendPostData("\r\n--" + boundary + "--\r\n");
    startUpload(request);
    return request;
}

VELHttpRequest::Ptr VELService::post(VELQuery album, const QByteArray &photoData,
                                     const QString &description, Callback callback,
                                     Progress progress)
{
    VELHttpRequest::Ptr request = plainRequest(album, "POST");
    request->setCompletionBlock(std::move(callback));
    const QByteArray boundary = QUuid::createUuid().toString(QUuid::WithoutBraces).toLatin1();
    request->setUploadProgress(std::move(progress));
    request->addRequestHeader("Content-Type", "multipart/related; boundary=\"" + boundary + "\"");
    request->addRequestHeader("MIME-version", "1.0");
    VELAtomEntry entry;
    entry.setContent(description);
    request->appendPostData("--" + boundary + "\n");
    request->appendPostData("Content-Type: application/atom+xml\n\n");
    request->appendPostData(entry.toXml());
    request->appendPostData("--" + boundary + "\n");
    request->appendPostData("Content-Type: image/jpeg\n\n");
    request->appendPostData(photoData.toBase64());
    request->appendPostData("\n--" + boundary + "--");
    startUpload(request);
    return request;
}

QVariantMap VELService::parseQueryString(const QString &query)
{
    QVariantMap result;
    const QStringList pairs = query.split(u'&');
    for (const QString &pair : pairs) {
        const QStringList parts = pair.split(u'=');
        if (parts.size() != 2)
            continue;
        const auto decode
                = [](const QString &text) { return QUrl::fromPercentEncoding(text.toUtf8()); };
        result.insert(decode(parts.at(0)), decode(parts.at(1)));
    }
    return result;
}
