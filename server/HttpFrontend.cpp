#include "HttpFrontend.h"

#include "RequestLog.h"

#include "platform/Gzip.h"

#include <QHttpServerRequest>
#include <QMetaEnum>
#include <QHttpServerResponder>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

HttpFrontend::HttpFrontend(const QString &scheme, Handler handler, RequestLog *log,
                           QObject *parent)
    : QAbstractHttpServer(parent), m_scheme(scheme), m_handler(std::move(handler)), m_log(log)
{
}

namespace {

bool worthCompressing(const ServiceReply &reply)
{
    const QByteArray type = reply.header("Content-Type");
    return reply.body.size() >= 1024
            && (type.startsWith("application/json") || type.startsWith("text/"));
}

} // namespace

bool HttpFrontend::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    ServiceRequest ours;
    ours.method = QByteArray(QMetaEnum::fromType<QHttpServerRequest::Method>().valueToKey(
                                     int(request.method())))
                          .toUpper();
    ours.path = request.url().path();
    ours.query = request.query();
    ours.headers = request.headers();
    ours.body = request.body();
    QByteArray host = ours.header("Host");
    if (host.isEmpty())
        host = "127.0.0.1:" + QByteArray::number(socket->localPort());
    ours.baseUrl = m_scheme + QStringLiteral("://") + QString::fromLatin1(host);
    if (m_log)
        m_log->append(ours, request.url().query(QUrl::FullyEncoded).toLatin1());

    ServiceReply reply = m_handler(ours);
    if (worthCompressing(reply) && ours.header("Accept-Encoding").contains("gzip")) {
        reply.body = Gzip::compress(reply.body);
        reply.addHeader("Content-Encoding", "gzip");
    }

    auto respond = [reply](QHttpServerResponder &responder) {
        responder.writeStatusLine(QHttpServerResponder::StatusCode(reply.status));
        for (const auto &[name, value] : reply.headers)
            responder.writeHeader(name, value);
        responder.writeHeader("Content-Length", QByteArray::number(reply.body.size()));
        responder.writeBody(reply.body);
    };
    if (reply.delayMs <= 0) {
        QHttpServerResponder responder = makeResponder(request, socket);
        respond(responder);
        return true;
    }
    auto held = std::make_shared<QHttpServerResponder>(makeResponder(request, socket));
    QPointer<QTcpSocket> alive(socket);
    QTimer::singleShot(reply.delayMs, this, [held, alive, respond] {
        if (alive)
            respond(*held);
    });
    return true;
}

void HttpFrontend::missingHandler(const QHttpServerRequest &, QTcpSocket *)
{
    // handleRequest answers every request.
}
