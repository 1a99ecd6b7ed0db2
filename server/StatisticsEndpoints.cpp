#include "StatisticsEndpoints.h"

#include "MultipartBody.h"
#include "Router.h"
#include "ServiceCalendar.h"
#include "ServiceDatabase.h"
#include "ServiceRequest.h"

#include "platform/Gzip.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

#include <optional>

namespace {

int eventCount(const QJsonObject &payload)
{
    int count = 0;
    for (const QJsonValue &log : payload.value("logs").toArray())
        count += int(log.toObject().value("ets").toArray().size());
    return count;
}

struct Form
{
    QVariantMap fields;
    QByteArray unpacked; // the "ziplogs" part, gunzipped
};

// The multipart form of an upload or a crash report, or the refusal.
std::optional<Form> readForm(const ServiceRequest &request, ServiceReply *refusal)
{
    const auto parts = MultipartBody::parse(request.header("Content-Type"), request.body);
    if (!parts) {
        *refusal = ServiceReply::error(400, ServiceError::UnsupportedMediaType, request);
        return std::nullopt;
    }
    Form form;
    for (const MultipartBody::Part &part : *parts) {
        const QString name = QString::fromLatin1(part.dispositionParameter("name"));
        if (name != QLatin1String("ziplogs")) {
            form.fields.insert(name, QString::fromUtf8(part.body));
            continue;
        }
        const auto unpacked = Gzip::decompress(part.body);
        if (!unpacked) {
            *refusal = ServiceReply::invalidParameter(request, name);
            return std::nullopt;
        }
        form.unpacked = *unpacked;
    }
    return form;
}

} // namespace

StatisticsEndpoints::StatisticsEndpoints(ServiceDatabase &database, const Options &options)
    : m_database(database), m_options(options)
{
}

void StatisticsEndpoints::addRoutes(Router &router)
{
    using A = Router::Access;
    router.add("POST", "/", A::Unchecked, [this](auto &r) { return upload(r); });
    router.add("GET", "/check", A::Unchecked, [this](auto &) {
        return ServiceReply::bytes(m_options.available ? "1" : "0", "text/plain");
    });
    router.add("POST", "/crash", A::Unchecked, [this](auto &r) { return crash(r); });
    router.add("GET", "/stat/uploads", A::Unchecked, [this](auto &r) { return uploads(r); });
}

ServiceReply StatisticsEndpoints::store(const QString &kind, const QVariantMap &fields,
                                        const QByteArray &payload, int events)
{
    QSqlQuery insert = m_database.run(QStringLiteral("INSERT INTO stat_uploads(kind, received, app_name, apikey,"
                                  " userid, token, did, identity, info, payload, events)"
                                  " VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   { kind, ServiceCalendar::text(QDateTime::currentDateTime()),
                     fields.value("app_name"), fields.value("apikey"), fields.value("userid"),
                     fields.value("token"), fields.value("did"), fields.value("identity"),
                     fields.value("info"), QString::fromUtf8(payload), events });
    // Told "ok" only when kept: the client deletes what was accepted.
    if (!insert.isActive())
        return ServiceReply::bytes("not stored", "text/plain", 500);
    ServiceReply reply = ServiceReply::bytes("ok", "text/plain");
    reply.delayMs = m_options.delayMs;
    return reply;
}

ServiceReply StatisticsEndpoints::upload(const ServiceRequest &request)
{
    if (request.body.startsWith("logs=")) {
        const QByteArray json = request.body.mid(5);
        const QJsonDocument document = QJsonDocument::fromJson(json);
        if (!document.isObject())
            return ServiceReply::invalidParameter(request, QStringLiteral("logs"));
        QVariantMap fields;
        for (const char *key : { "app_name", "apikey", "userid", "token", "did" })
            fields.insert(QLatin1String(key), request.parameter(QLatin1String(key)));
        return store(QStringLiteral("single"), fields, json, eventCount(document.object()));
    }
    ServiceReply refusal;
    const auto form = readForm(request, &refusal);
    if (!form)
        return refusal;
    const QByteArray &payload = form->unpacked;
    const QJsonDocument document = QJsonDocument::fromJson(payload);
    if (!document.isObject())
        return ServiceReply::invalidParameter(request, QStringLiteral("ziplogs"));
    return store(QStringLiteral("batch"), form->fields, payload, eventCount(document.object()));
}

ServiceReply StatisticsEndpoints::crash(const ServiceRequest &request)
{
    ServiceReply refusal;
    const auto form = readForm(request, &refusal);
    if (!form)
        return refusal;
    if (form->unpacked.isEmpty())
        return ServiceReply::missingParameter(request, QStringLiteral("ziplogs"));
    return store(QStringLiteral("crash"), form->fields, form->unpacked, 0);
}

ServiceReply StatisticsEndpoints::uploads(const ServiceRequest &)
{
    QSqlQuery rows = m_database.run(QStringLiteral(
            "SELECT kind, received, app_name, apikey, userid, token, did, identity, info, payload,"
            " events FROM stat_uploads ORDER BY id"));
    QJsonArray list;
    while (rows.next()) {
        QJsonObject entry;
        const char *keys[] = { "kind", "received", "app_name", "apikey", "userid", "token",
                               "did", "identity", "info" };
        for (int i = 0; i < 9; ++i) {
            if (!rows.value(i).isNull())
                entry.insert(QLatin1String(keys[i]), rows.value(i).toString());
        }
        const QString payload = rows.value(9).toString();
        const QJsonDocument document = QJsonDocument::fromJson(payload.toUtf8());
        entry.insert("payload", document.isObject() ? QJsonValue(document.object()) : QJsonValue(payload));
        entry.insert("events", rows.value(10).toInt());
        list.append(entry);
    }
    return ServiceReply::json(list);
}
