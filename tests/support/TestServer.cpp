#include "TestServer.h"

#include "SelfSignedCertificate.h"

#include "platform/Gzip.h"

#include <QFile>
#include <QHash>
#include <QPointer>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

QByteArray TestRequest::path() const
{
    const qsizetype q = target.indexOf('?');
    return q < 0 ? target : target.left(q);
}

QByteArray TestRequest::query() const
{
    const qsizetype q = target.indexOf('?');
    return q < 0 ? QByteArray() : target.mid(q + 1);
}

QByteArray TestRequest::header(const QByteArray &name) const
{
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

TestResponse TestResponse::json(const QByteArray &body, int status)
{
    TestResponse response;
    response.status = status;
    response.headers = { { "Content-Type", "application/json; charset=utf-8" } };
    response.body = body;
    return response;
}

TestResponse TestResponse::text(const QByteArray &body, int status)
{
    TestResponse response;
    response.status = status;
    response.headers = { { "Content-Type", "text/plain; charset=utf-8" } };
    response.body = body;
    return response;
}

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 201: return "Created";
    case 202: return "Accepted";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 304: return "Not Modified";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

// Parses one whole request from the front of the buffer; false while more bytes are needed.
bool takeRequest(QByteArray &buffer, TestRequest &request)
{
    const qsizetype headerEnd = buffer.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return false;
    const QList<QByteArray> lines = buffer.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    TestRequest parsed;
    parsed.method = requestLine.value(0);
    parsed.target = requestLine.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            parsed.headers.append({ line.left(colon).trimmed(), line.mid(colon + 1).trimmed() });
    }
    qsizetype consumed = headerEnd + 4;
    if (parsed.header("Transfer-Encoding").toLower().contains("chunked")) {
        qsizetype at = consumed;
        for (;;) {
            const qsizetype sizeEnd = buffer.indexOf("\r\n", at);
            if (sizeEnd < 0)
                return false;
            bool ok = false;
            const qsizetype size = buffer.mid(at, sizeEnd - at)
                                           .split(';')
                                           .value(0)
                                           .trimmed()
                                           .toLongLong(&ok, 16);
            if (!ok)
                return false;
            if (buffer.size() < sizeEnd + 2 + size + 2)
                return false;
            if (size == 0) {
                consumed = sizeEnd + 4;
                break;
            }
            parsed.body += buffer.mid(sizeEnd + 2, size);
            at = sizeEnd + 2 + size + 2;
        }
    } else {
        const qsizetype length = parsed.header("Content-Length").toLongLong();
        if (buffer.size() < consumed + length)
            return false;
        parsed.body = buffer.mid(consumed, length);
        consumed += length;
    }
    buffer.remove(0, consumed);
    request = parsed;
    return true;
}

} // namespace

class TestServer::Worker : public QObject
{
public:
    QTcpServer *server = nullptr; // made on the server's thread

    mutable QMutex mutex;
    QList<TestRequest> requests;
    QHash<QByteArray, TestResponse> routes; // "METHOD path"
    Handler handler;
    int inFlight = 0;
    int maxInFlight = 0;

    bool start(const QSslConfiguration &tls)
    {
        if (tls.isNull()) {
            server = new QTcpServer(this);
        } else {
            auto *secure = new QSslServer(this);
            secure->setSslConfiguration(tls);
            server = secure;
        }
        connect(server, &QTcpServer::pendingConnectionAvailable, this, [this] {
            while (QTcpSocket *socket = server->nextPendingConnection())
                serve(socket);
        });
        return server->listen(QHostAddress::LocalHost, 0);
    }

    void serve(QTcpSocket *socket)
    {
        auto buffer = std::make_shared<QByteArray>();
        auto busy = std::make_shared<bool>(false);
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        auto pump = std::make_shared<std::function<void()>>();
        *pump = [this, socket, buffer, busy, weakPump = std::weak_ptr(pump)] {
            TestRequest request;
            if (*busy || !takeRequest(*buffer, request))
                return;
            *busy = true;
            const TestResponse response = answerFor(request);
            auto finish = [this, socket = QPointer(socket), busy, weakPump, response, request] {
                {
                    QMutexLocker locker(&mutex);
                    --inFlight;
                }
                if (!socket)
                    return;
                if (response.closeWithoutReply) {
                    socket->abort();
                    return;
                }
                send(socket, response);
                if (response.truncateBody
                    || request.header("Connection").compare("close", Qt::CaseInsensitive) == 0) {
                    socket->disconnectFromHost();
                    return;
                }
                *busy = false;
                if (auto next = weakPump.lock())
                    (*next)();
            };
            if (response.delayMs > 0)
                QTimer::singleShot(response.delayMs, socket, finish);
            else
                finish();
        };
        connect(socket, &QTcpSocket::readyRead, socket, [socket, buffer, pump] {
            buffer->append(socket->readAll());
            (*pump)();
        });
    }

    TestResponse answerFor(const TestRequest &request)
    {
        Handler current;
        {
            QMutexLocker locker(&mutex);
            requests.append(request);
            maxInFlight = std::max(maxInFlight, ++inFlight);
            const auto route = routes.constFind(request.method + ' ' + request.path());
            if (route != routes.constEnd())
                return *route;
            current = handler;
        }
        if (current)
            return current(request);
        return TestResponse::text("not found", 404);
    }

    static void send(QTcpSocket *socket, const TestResponse &response)
    {
        QByteArray body = response.gzip ? Gzip::compress(response.body) : response.body;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' '
                + reasonPhrase(response.status) + "\r\n";
        bool hasLength = false;
        for (const auto &[key, value] : response.headers) {
            hasLength = hasLength || key.compare("Content-Length", Qt::CaseInsensitive) == 0;
            head += key + ": " + value + "\r\n";
        }
        if (response.gzip)
            head += "Content-Encoding: gzip\r\n";
        if (!hasLength)
            head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
        head += "\r\n";
        if (response.truncateBody)
            body.truncate(body.size() / 2);
        socket->write(head + body);
        socket->flush();
    }
};

TestServer::TestServer() : m_thread(std::make_unique<QThread>())
{
    m_thread->setObjectName(QStringLiteral("TestServer"));
    m_worker = new Worker;
    m_worker->moveToThread(m_thread.get());
    m_thread->start();
}

TestServer::~TestServer()
{
    QMetaObject::invokeMethod(
            m_worker, [worker = m_worker] { delete worker; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
}

bool TestServer::listen()
{
    return listen(QSslConfiguration());
}

bool TestServer::listenTls(const QString &certificatePath, const QString &keyPath)
{
    QFile certificate(certificatePath);
    QFile key(keyPath);
    if (!certificate.open(QIODevice::ReadOnly) || !key.open(QIODevice::ReadOnly))
        return false;
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(certificate.readAll(), QSsl::Pem));
    tls.setPrivateKey(QSslKey(key.readAll(), QSsl::Rsa, QSsl::Pem));
    m_tls = true;
    return listen(tls);
}

bool TestServer::listen(const QSslConfiguration &tls)
{
    bool listening = false;
    QMetaObject::invokeMethod(
            m_worker,
            [this, &listening, tls] {
                listening = m_worker->start(tls);
                m_port = m_worker->server->serverPort();
            },
            Qt::BlockingQueuedConnection);
    return listening;
}

bool TestServer::makeSelfSignedCertificate(const QString &certificatePath, const QString &keyPath)
{
    return SelfSignedCertificate::ensure(certificatePath, keyPath, 2);
}

quint16 TestServer::port() const
{
    return m_port;
}

QUrl TestServer::url(const QString &pathAndQuery) const
{
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3")
                        .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"))
                        .arg(m_port)
                        .arg(pathAndQuery));
}

void TestServer::route(const QByteArray &method, const QByteArray &path,
                       const TestResponse &response)
{
    QMutexLocker locker(&m_worker->mutex);
    m_worker->routes.insert(method + ' ' + path, response);
}

void TestServer::setHandler(Handler handler)
{
    QMutexLocker locker(&m_worker->mutex);
    m_worker->handler = std::move(handler);
}

QList<TestRequest> TestServer::requests() const
{
    QMutexLocker locker(&m_worker->mutex);
    return m_worker->requests;
}

int TestServer::requestCount() const
{
    QMutexLocker locker(&m_worker->mutex);
    return int(m_worker->requests.size());
}

int TestServer::maxConcurrent() const
{
    QMutexLocker locker(&m_worker->mutex);
    return m_worker->maxInFlight;
}

void TestServer::clear()
{
    QMutexLocker locker(&m_worker->mutex);
    m_worker->requests.clear();
    m_worker->maxInFlight = m_worker->inFlight;
}
