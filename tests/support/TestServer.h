#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QSslConfiguration>
#include <QUrl>

#include <functional>
#include <memory>

class QThread;

using HeaderList = QList<QPair<QByteArray, QByteArray>>;

// One request as it reached the server.
struct TestRequest
{
    QByteArray method;
    QByteArray target; // as sent: path and still-encoded query
    HeaderList headers;
    QByteArray body; // chunked bodies arrive here decoded

    QByteArray path() const;
    QByteArray query() const;
    // Case-insensitive; empty when absent.
    QByteArray header(const QByteArray &name) const;
};

// What the server answers, and how.
struct TestResponse
{
    int status = 200;
    HeaderList headers;
    QByteArray body;
    int delayMs = 0;   // answer after this long; other connections are served meanwhile
    bool gzip = false; // send the body gzip-compressed with "Content-Encoding: gzip"
    bool closeWithoutReply = false; // read the request, then drop the connection
    bool truncateBody = false;      // announce the whole body, send half of it, then close

    static TestResponse json(const QByteArray &body, int status = 200);
    static TestResponse text(const QByteArray &body, int status = 200);
};

// A scriptable HTTP/1.1 server on 127.0.0.1 with a thread of its own, so that clients blocking the
// test's thread are still answered. Answers come from exact routes (method and path), then from
// the handler, else 404.
class TestServer
{
public:
    using Handler = std::function<TestResponse(const TestRequest &)>;

    TestServer();
    ~TestServer();

    TestServer(const TestServer &) = delete;
    TestServer &operator=(const TestServer &) = delete;

    bool listen();
    // Serves HTTPS with the given PEM certificate and RSA key.
    bool listenTls(const QString &certificatePath, const QString &keyPath);
    // A certificate for 127.0.0.1 and localhost, made with the openssl command.
    static bool makeSelfSignedCertificate(const QString &certificatePath, const QString &keyPath);
    quint16 port() const;
    QUrl url(const QString &pathAndQuery = QStringLiteral("/")) const;

    void route(const QByteArray &method, const QByteArray &path, const TestResponse &response);
    // Runs on the server's thread.
    void setHandler(Handler handler);

    QList<TestRequest> requests() const;
    int requestCount() const;
    // The most requests that were waiting for their answer at one time.
    int maxConcurrent() const;
    void clear();

    class Worker;

private:
    bool listen(const QSslConfiguration &tls);

    std::unique_ptr<QThread> m_thread;
    Worker *m_worker = nullptr;
    quint16 m_port = 0;
    bool m_tls = false;
};
