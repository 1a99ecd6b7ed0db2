#include "VELHttpRequest.h"

#include "VELHosts.h"
#include "VELNetworkAccess.h"
#include "platform/MainThread.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSemaphore>
#include <QStringDecoder>
#include <QTimer>

namespace {

int kindOf(QNetworkReply::NetworkError error, int status, bool timedOut)
{
    if (timedOut || error == QNetworkReply::TimeoutError)
        return VELHttpRequest::TimedOut;
    if (status == 401)
        return VELHttpRequest::AuthenticationNeeded;
    if (error == QNetworkReply::NoError)
        return 0;
    if (error == QNetworkReply::OperationCanceledError)
        return VELHttpRequest::Cancelled;
    if (error == QNetworkReply::TooManyRedirectsError
        || error == QNetworkReply::InsecureRedirectError)
        return VELHttpRequest::TooMuchRedirection;
    // Below 100 the connection itself failed, even after a status arrived (a cut-off body).
    if (error < QNetworkReply::ProxyConnectionRefusedError)
        return VELHttpRequest::ConnectionFailure;
    // Once a status arrived, the remaining kinds are statuses that velariError() judges.
    if (status != 0)
        return 0;
    if (error == QNetworkReply::ProxyAuthenticationRequiredError)
        return VELHttpRequest::AuthenticationNeeded;
    if (error == QNetworkReply::ProtocolUnknownError
        || error == QNetworkReply::ProtocolInvalidOperationError)
        return VELHttpRequest::UnableToCreateRequest;
    if (error <= QNetworkReply::UnknownProxyError || error == QNetworkReply::ProtocolFailure)
        return VELHttpRequest::ConnectionFailure;
    return 0;
}

QString describe(int kind)
{
    switch (kind) {
    case VELHttpRequest::ConnectionFailure: return QStringLiteral("A connection failure occurred");
    case VELHttpRequest::TimedOut: return QStringLiteral("The request timed out");
    case VELHttpRequest::AuthenticationNeeded: return QStringLiteral("Authentication needed");
    case VELHttpRequest::Cancelled: return QStringLiteral("The request was cancelled");
    case VELHttpRequest::UnableToCreateRequest:
        return QStringLiteral("Unable to create request (bad url?)");
    case VELHttpRequest::TooMuchRedirection:
        return QStringLiteral("The request failed because it redirected too many times");
    default: return QString();
    }
}

} // namespace

VELHttpRequest::Ptr VELHttpRequest::requestWithURL(const QUrl &url)
{
    Ptr request(new VELHttpRequest);
    request->m_url = url;
    return request;
}

VELHttpRequest::Ptr VELHttpRequest::requestWithURL(const QUrl &url, Callback completion)
{
    Ptr request = requestWithURL(url);
    request->m_completion = std::move(completion);
    return request;
}

VELHttpRequest::Ptr VELHttpRequest::requestWithURL(const QUrl &url, VELHttpRequestDelegate *target)
{
    Ptr request = requestWithURL(url);
    request->m_delegate = target;
    return request;
}

VELHttpRequest::Ptr VELHttpRequest::requestWithQuery(const VELQuery &query, Callback completion)
{
    return requestWithURL(query.requestURL(), std::move(completion));
}

VELHttpRequest::Ptr VELHttpRequest::requestWithQuery(const VELQuery &query,
                                                     VELHttpRequestDelegate *target)
{
    return requestWithURL(query.requestURL(), target);
}

VELHttpRequest::~VELHttpRequest()
{
    if (m_reply) {
        m_reply->disconnect();
        m_reply->abort();
        m_reply->deleteLater();
    }
}

void VELHttpRequest::addRequestHeader(const QByteArray &name, const QByteArray &value)
{
    for (auto &header : m_headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0) {
            header.second = value;
            return;
        }
    }
    m_headers.append({ name, value });
}

namespace {

QByteArray headerValue(const QList<QPair<QByteArray, QByteArray>> &headers, const QByteArray &name)
{
    for (const auto &header : headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return header.second;
    }
    return {};
}

} // namespace

QByteArray VELHttpRequest::requestHeader(const QByteArray &name) const
{
    return headerValue(m_headers, name);
}

QByteArray VELHttpRequest::responseHeader(const QByteArray &name) const
{
    return headerValue(m_responseHeaders, name);
}

QString VELHttpRequest::responseString() const
{
    const QByteArray contentType = responseHeader("Content-Type").toLower();
    const qsizetype at = contentType.indexOf("charset=");
    if (at >= 0) {
        const QByteArray charset = contentType.mid(at + 8).split(';').value(0).trimmed();
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return decoder.decode(m_responseData);
    }
    return QString::fromUtf8(m_responseData);
}

void VELHttpRequest::startAsynchronous()
{
    if (m_state != State::Ready)
        return;
    if (!MainThread::isCurrent()) {
        MainThread::post([self = shared_from_this()] { self->startAsynchronous(); });
        return;
    }
    m_self = shared_from_this();
    m_state = State::Running;
    send(VELNetworkAccess::mainThreadManager(), [this] { deliver(); });
}

void VELHttpRequest::startSynchronous()
{
    if (m_state != State::Ready)
        return;
    m_state = State::Running;
    QSemaphore done;
    VELNetworkAccess::onSynchronousThread([this, &done](QNetworkAccessManager *manager) {
        send(manager, [&done] { done.release(); });
    });
    done.acquire();
    m_state = State::Finished;
}

void VELHttpRequest::send(QNetworkAccessManager *manager, std::function<void()> whenDone)
{
    QNetworkRequest request(m_url);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    if (m_url.scheme() == QLatin1String("https"))
        request.setSslConfiguration(VELHosts::sslConfiguration());
    for (const auto &[name, value] : std::as_const(m_headers))
        request.setRawHeader(name, value);

    QNetworkReply *reply = manager->sendCustomRequest(request, m_method, m_body);
    m_reply = reply;
    auto timedOut = std::make_shared<bool>(false);
    auto *timer = new QTimer(reply);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, reply, [reply, timedOut] {
        *timedOut = true;
        reply->abort();
    });
    timer->start(int(m_timeOutSeconds * 1000));
    if (m_progress) {
        QObject::connect(reply, &QNetworkReply::uploadProgress, reply,
                         [this](qint64 sent, qint64 total) {
                             // Qt closes an upload with a (0, 0) report that says nothing.
                             if (m_progress && m_state == State::Running && total > 0)
                                 m_progress(sent, total);
                         });
    }
    QObject::connect(reply, &QNetworkReply::finished, reply,
                     [this, reply, timedOut, whenDone = std::move(whenDone)] {
                         collect(reply, *timedOut);
                         // Forgotten here, on the reply's thread: a synchronous caller may destroy
                         // the request as soon as it is woken, while the reply is being deleted.
                         m_reply = nullptr;
                         reply->deleteLater();
                         whenDone();
                     });
}

void VELHttpRequest::collect(QNetworkReply *reply, bool timedOut)
{
    m_status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    m_responseData = reply->isOpen() ? reply->readAll() : QByteArray();
    m_responseHeaders = reply->rawHeaderPairs();
    m_error.reset();
    const int kind = kindOf(reply->error(), m_status, timedOut);
    if (kind != 0) {
        const QString text = describe(kind);
        m_error = VELError{ kClientErrorDomain,
                            kind,
                            { { QStringLiteral("NSLocalizedDescription"),
                                text.isEmpty() ? reply->errorString() : text },
                              { QStringLiteral("NSUnderlyingError"), reply->errorString() } } };
    } else if (reply->error() != QNetworkReply::NoError && m_status == 0) {
        m_error = VELError{ kQtNetworkErrorDomain,
                            int(reply->error()),
                            { { QStringLiteral("NSLocalizedDescription"),
                                reply->errorString() } } };
    }
}

void VELHttpRequest::deliver()
{
    m_reply = nullptr;
    if (m_state == State::Cancelled)
        return;
    m_state = State::Finished;
    Ptr keep = std::move(m_self); // the callback may drop the caller's last reference
    if (m_completion) {
        Callback completion = std::move(m_completion);
        completion(*this);
    } else if (m_delegate) {
        if (m_error)
            m_delegate->requestFailed(this);
        else
            m_delegate->requestFinished(this);
    }
    finish();
}

void VELHttpRequest::finish()
{
    if (auto done = std::move(m_onDone))
        done();
}

void VELHttpRequest::cancel()
{
    if (m_state == State::Finished || m_state == State::Cancelled)
        return;
    const bool wasRunning = m_state == State::Running;
    m_state = State::Cancelled;
    m_completion = nullptr;
    m_delegate = nullptr;
    m_progress = nullptr;
    Ptr keep = std::move(m_self);
    if (wasRunning && m_reply) {
        m_reply->disconnect();
        m_reply->abort();
        m_reply->deleteLater();
        m_reply = nullptr;
    }
    finish();
}

void VELHttpRequest::clearDelegatesAndCancel()
{
    m_completion = nullptr;
    m_delegate = nullptr;
    cancel();
}

VELError VELHttpRequest::adapterError(const VELError &transportError)
{
    if (transportError.domain == kClientErrorDomain && transportError.code >= 1
        && transportError.code <= 11)
        return { kErrorDomain, transportError.code, transportError.details };
    return transportError;
}

std::optional<VELError> VELHttpRequest::velariError() const
{
    if (m_error)
        return adapterError(*m_error);
    if (m_status == 200 || m_status == 201 || m_status == 202)
        return std::nullopt;
    if (m_status == 400) {
        if (std::optional<VELError> refusal = serviceRefusal())
            return refusal;
    }
    return VELError{ kVelariErrorDomain, 0, {} };
}

std::optional<VELError> VELHttpRequest::serviceRefusal() const
{
    const QJsonDocument json = QJsonDocument::fromJson(m_responseData);
    if (!json.isObject())
        return std::nullopt;
    const QVariantMap details = json.object().toVariantMap();
    return VELError{ kOAuthErrorDomain, details.value(QStringLiteral("code")).toInt(), details };
}
