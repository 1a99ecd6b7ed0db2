#include "HalvornConnection.h"

#include "VELMobileStatDefaultValues.h"

#include "platform/MainThread.h"

#include <QUrl>

QString HalvornConnection::URLEncoded(const QString &text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

void HalvornConnection::get(const QString &url, const QVariantMap &queryParams, bool async,
                            Callback succeed, Callback failure)
{
    QString full = url;
    for (auto it = queryParams.cbegin(); it != queryParams.cend(); ++it) {
        full += (full.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?'))
                + URLEncoded(it.key()) + QLatin1Char('=') + URLEncoded(it.value().toString());
    }
    auto request = VELHttpRequest::requestWithURL(QUrl(full, QUrl::TolerantMode));
    request->setRequestMethod("GET");
    sendRequeset(request, async, std::move(succeed), std::move(failure));
}

void HalvornConnection::post(const QString &url, const std::optional<QString> &body, bool async,
                             Callback succeed, Callback failure)
{
    auto request = VELHttpRequest::requestWithURL(QUrl(url, QUrl::TolerantMode));
    request->setRequestMethod("POST");
    request->addRequestHeader("Content-Type", "application/x-www-form-urlencoded");
    if (body) {
        const QByteArray bytes = body->toUtf8();
        request->setPostBody(bytes);
        request->addRequestHeader("Content-Length", QByteArray::number(bytes.size()));
    }
    sendRequeset(request, async, std::move(succeed), std::move(failure));
}

void HalvornConnection::sendRequeset(const VELHttpRequest::Ptr &request, bool async,
                                     Callback succeed, Callback failure)
{
    m_requestURL = request->url().toString();
    m_succeed = std::move(succeed);
    m_failure = std::move(failure);
    request->setTimeOutSeconds(VELMobileStatDefaultValues::kNetworkTimeoutSeconds);
    if (!async) {
        request->startSynchronous();
        finish(*request);
        return;
    }
    request->setCompletionBlock(
            [self = shared_from_this()](VELHttpRequest &done) { self->finish(done); });
    MainThread::run([request] { request->startAsynchronous(); });
}

void HalvornConnection::finish(VELHttpRequest &request)
{
    m_buf = request.responseData();
    m_status = request.responseStatusCode();
    m_error = request.error();
    if (!m_error && (m_status < 200 || m_status > 299))
        m_error = VELError { VELMobileStatDefaultValues::kHttpErrorDomain, m_status, {} };
    Callback &callback = m_error ? m_failure : m_succeed;
    if (callback)
        callback(*this);
}
