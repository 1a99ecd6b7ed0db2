#include "ServiceReply.h"

#include "ServiceRequest.h"

#include <QJsonDocument>

ServiceReply ServiceReply::json(const QJsonObject &object, int status)
{
    return bytes(QJsonDocument(object).toJson(QJsonDocument::Compact),
                 "application/json; charset=utf-8", status);
}

ServiceReply ServiceReply::json(const QJsonArray &array, int status)
{
    return bytes(QJsonDocument(array).toJson(QJsonDocument::Compact),
                 "application/json; charset=utf-8", status);
}

ServiceReply ServiceReply::bytes(const QByteArray &body, const QByteArray &contentType, int status)
{
    ServiceReply reply;
    reply.status = status;
    reply.body = body;
    reply.addHeader("Content-Type", contentType);
    return reply;
}

ServiceReply ServiceReply::error(int status, ServiceError code, const ServiceRequest &request,
                                 const QString &detail)
{
    QString message = serviceErrorMessage(code);
    if (!detail.isEmpty())
        message += QStringLiteral(": ") + detail;
    return json({ { QStringLiteral("code"), int(code) },
                  { QStringLiteral("msg"), message },
                  { QStringLiteral("request"), request.requestLine() } },
                status);
}

ServiceReply ServiceReply::missingParameter(const ServiceRequest &request, const QString &name)
{
    return error(400, ServiceError::RequiredParameterIsMissing, request, name);
}

ServiceReply ServiceReply::invalidParameter(const ServiceRequest &request, const QString &name)
{
    return error(400, ServiceError::InvalidParameter, request, name);
}

ServiceReply ServiceReply::notFound(const ServiceRequest &request)
{
    return error(404, ServiceError::NotFound, request);
}

QByteArray ServiceReply::header(const QByteArray &name) const
{
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

void ServiceReply::addHeader(const QByteArray &name, const QByteArray &value)
{
    headers.append({ name, value });
}
