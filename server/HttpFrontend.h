#pragma once

#include "ServiceReply.h"
#include "ServiceRequest.h"

#include <QAbstractHttpServer>

#include <functional>

class RequestLog;

// One listening socket (plain or TLS) that turns Qt's requests into ours and writes our replies,
// gzip-compressed when the client accepts it and the body is worth it.
class HttpFrontend : public QAbstractHttpServer
{
    Q_OBJECT
public:
    using Handler = std::function<ServiceReply(ServiceRequest &)>;

    HttpFrontend(const QString &scheme, Handler handler, RequestLog *log,
                 QObject *parent = nullptr);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    QString m_scheme;
    Handler m_handler;
    RequestLog *m_log;
};
