#pragma once

#include "ServiceError.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPair>

struct ServiceRequest;

// One answer: status, headers and body bytes.
struct ServiceReply
{
    int status = 200;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    // Answer after this long; other requests are served meanwhile.
    int delayMs = 0;

    static ServiceReply json(const QJsonObject &object, int status = 200);
    static ServiceReply json(const QJsonArray &array, int status = 200);
    static ServiceReply bytes(const QByteArray &body, const QByteArray &contentType,
                              int status = 200);
    // {"code": n, "msg": "...", "request": "GET /path"}; `detail` refines the message.
    static ServiceReply error(int status, ServiceError code, const ServiceRequest &request,
                              const QString &detail = QString());
    static ServiceReply missingParameter(const ServiceRequest &request, const QString &name);
    static ServiceReply invalidParameter(const ServiceRequest &request, const QString &name);
    static ServiceReply notFound(const ServiceRequest &request);

    QByteArray header(const QByteArray &name) const;
    void addHeader(const QByteArray &name, const QByteArray &value);
};
