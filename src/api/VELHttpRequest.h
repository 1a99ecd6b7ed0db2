#pragma once

#include "VELQuery.h"
#include "foundation/VELError.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;
class VELHttpRequest;

class VELHttpRequestDelegate
{
public:
    virtual ~VELHttpRequestDelegate() = default;
    virtual void requestFinished(VELHttpRequest *request) = 0;
    virtual void requestFailed(VELHttpRequest *request) = 0;
};

// One HTTP exchange: cookies off, gzip replies accepted, a 30-second time-out. Its completion
// callback (or delegate) runs once on the thread that started it, for success and failure alike,
// and never after cancel(). A started request keeps itself alive until then.
class VELHttpRequest : public QObject, public std::enable_shared_from_this<VELHttpRequest>
{
    Q_OBJECT

public:
    using Callback = std::function<void(VELHttpRequest &)>;
    using Progress = std::function<void(qint64 sent, qint64 total)>;
    using Ptr = std::shared_ptr<VELHttpRequest>;

    static inline const QString kErrorDomain = QStringLiteral("VELHTTPRequestErrorDomain");
    static inline const QString kOAuthErrorDomain = QStringLiteral("VELOAuthErrorDomain");
    static inline const QString kVelariErrorDomain = QStringLiteral("VELErrorDomain");
    // The transport's own failures before they are adapted; unusual ones keep Qt's codes.
    static inline const QString kClientErrorDomain = QStringLiteral("VELHTTPClientErrorDomain");
    static inline const QString kQtNetworkErrorDomain = QStringLiteral("QtNetworkErrorDomain");

    // Transport failure kinds.
    enum ErrorKind {
        ConnectionFailure = 1,
        TimedOut = 2,
        AuthenticationNeeded = 3,
        Cancelled = 4,
        UnableToCreateRequest = 5,
        InternalErrorWhileBuildingRequest = 6,
        InternalErrorWhileApplyingCredentials = 7,
        FileManagementError = 8,
        TooMuchRedirection = 9,
        UnhandledException = 10,
        CompressionError = 11,
    };

    static Ptr requestWithURL(const QUrl &url);
    static Ptr requestWithURL(const QUrl &url, Callback completion);
    static Ptr requestWithURL(const QUrl &url, VELHttpRequestDelegate *target);
    static Ptr requestWithQuery(const VELQuery &query, Callback completion);
    static Ptr requestWithQuery(const VELQuery &query, VELHttpRequestDelegate *target);

    ~VELHttpRequest() override;

    // What to send.
    QUrl url() const { return m_url; }
    void setURL(const QUrl &url) { m_url = url; }
    QByteArray requestMethod() const { return m_method; }
    void setRequestMethod(const QByteArray &method) { m_method = method; }
    void addRequestHeader(const QByteArray &name, const QByteArray &value);
    QByteArray requestHeader(const QByteArray &name) const;
    QList<QPair<QByteArray, QByteArray>> requestHeaders() const { return m_headers; }
    QByteArray postBody() const { return m_body; }
    void setPostBody(const QByteArray &body) { m_body = body; }
    void appendPostData(const QByteArray &bytes) { m_body += bytes; }
    void appendPostString(const QString &text) { m_body += text.toUtf8(); }
    double timeOutSeconds() const { return m_timeOutSeconds; }
    void setTimeOutSeconds(double seconds) { m_timeOutSeconds = seconds; }

    void setCompletionBlock(Callback completion) { m_completion = std::move(completion); }
    void setDelegate(VELHttpRequestDelegate *target) { m_delegate = target; }
    void setUploadProgress(Progress progress) { m_progress = std::move(progress); }

    // Sending. Asynchronous exchanges run on the main thread's client; a synchronous one blocks
    // the calling thread (any thread) until the reply or the time-out, and calls no callback.
    void startAsynchronous();
    void startSynchronous();
    void cancel();
    void clearDelegatesAndCancel();
    // Called once when the exchange ends or is cancelled, after the callback (for queues).
    void setOnDone(std::function<void()> done) { m_onDone = std::move(done); }

    bool isExecuting() const { return m_state == State::Running; }
    bool isFinished() const { return m_state == State::Finished; }
    bool isCancelled() const { return m_state == State::Cancelled; }

    // What came back.
    int responseStatusCode() const { return m_status; }
    QByteArray responseData() const { return m_responseData; }
    QString responseString() const;
    QByteArray responseHeader(const QByteArray &name) const;
    // The transport failure, if any: kinds 1-11 in the client's domain, or Qt's own code.
    std::optional<VELError> error() const { return m_error; }

    // Transport kinds 1-11 become "VELHTTPRequestErrorDomain" with the same code and details.
    static VELError adapterError(const VELError &transportError);
    // The one error of the finished exchange, or none.
    std::optional<VELError> velariError() const;
    // The reply as the service's JSON refusal ("VELOAuthErrorDomain" with its "code"), if it is
    // one.
    std::optional<VELError> serviceRefusal() const;

private:
    enum class State { Ready, Running, Finished, Cancelled };

    VELHttpRequest() = default;
    void send(QNetworkAccessManager *manager, std::function<void()> whenDone);
    void collect(QNetworkReply *reply, bool timedOut);
    void deliver();
    void finish();

    QUrl m_url;
    QByteArray m_method = "GET";
    QList<QPair<QByteArray, QByteArray>> m_headers;
    QByteArray m_body;
    double m_timeOutSeconds = 30;

    Callback m_completion;
    VELHttpRequestDelegate *m_delegate = nullptr;
    Progress m_progress;
    std::function<void()> m_onDone;

    State m_state = State::Ready;
    QPointer<QNetworkReply> m_reply;
    Ptr m_self;

    int m_status = 0;
    QByteArray m_responseData;
    QList<QPair<QByteArray, QByteArray>> m_responseHeaders;
    std::optional<VELError> m_error;
};
