#include "StatusEndpoints.h"

#include "RecordJson.h"
#include "Router.h"
#include "ServiceCalendar.h"
#include "ServiceDatabase.h"
#include "ServiceRequest.h"

#include <QDateTime>

StatusEndpoints::StatusEndpoints(ServiceDatabase &database) : m_database(database) { }

void StatusEndpoints::addRoutes(Router &router)
{
    router.add("POST", "/brio/statuses/", Router::Access::User, [this](auto &r) { return post(r); });
    router.add("GET", "/brio/statuses/{}/comments", Router::Access::Anyone,
               [this](auto &r) { return comments(r); });
}

ServiceReply StatusEndpoints::post(const ServiceRequest &request)
{
    const QString text = request.formValue(QStringLiteral("text"));
    if (text.trimmed().isEmpty())
        return ServiceReply::missingParameter(request, QStringLiteral("text"));
    const QString created = ServiceCalendar::text(QDateTime::currentDateTime());
    QSqlQuery insert = m_database.run(
            QStringLiteral("INSERT INTO statuses(user_id, text, target_type, object_kind, created)"
                           " VALUES(?, ?, ?, ?, ?)"),
            { request.userId, text, request.formValue(QStringLiteral("target_type")),
              request.formValue(QStringLiteral("object_kind")), created });
    return ServiceReply::json(
            QJsonObject { { "id", insert.lastInsertId().toString() },
                          { "text", text },
                          { "created_at", created },
                          { "user", RecordJson(m_database, request.baseUrl).user(request.userId) } },
            201);
}

ServiceReply StatusEndpoints::comments(const ServiceRequest &request)
{
    if (!m_database.scalar(QStringLiteral("SELECT 1 FROM statuses WHERE id = ?"),
                           { request.arguments.at(0).toLongLong() }))
        return ServiceReply::notFound(request);
    return ServiceReply::json(QJsonArray());
}
