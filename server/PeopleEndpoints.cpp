#include "PeopleEndpoints.h"

#include "Paging.h"
#include "PictureEndpoints.h"
#include "RecordJson.h"
#include "Router.h"
#include "ServiceCalendar.h"
#include "ServiceDatabase.h"
#include "ServiceRequest.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonDocument>
#include <QMessageAuthenticationCode>

PeopleEndpoints::PeopleEndpoints(ServiceDatabase &database, const QString &passTypeIdentifier)
    : m_database(database), m_passTypeIdentifier(passTypeIdentifier)
{
}

void PeopleEndpoints::addRoutes(Router &router)
{
    using A = Router::Access;
    router.add("POST", "/v2/velari_event_app/register", A::Anyone,
               [this](auto &r) { return registerDevice(r, true); });
    router.add("POST", "/v2/velari_event_app/unregister", A::Anyone,
               [this](auto &r) { return registerDevice(r, false); });
    router.add("GET", "/v2/velari_event_app/order/list", A::User, [this](auto &r) { return orders(r); });
    router.add("GET", "/v2/velari_event_app/order/{}/passbook", A::User,
               [this](auto &r) { return passbook(r); });
    router.add("GET", "/v2/velari_event_app/notification_type", A::User,
               [this](auto &r) { return notificationType(r); });
    router.add("POST", "/v2/velari_event_app/notification_type", A::User,
               [this](auto &r) { return setNotificationType(r); });
    router.add("GET", "/v2/user/{}", A::Anyone, [this](auto &r) { return user(r); });
    router.add("GET", "/brio/users/{}/following", A::Anyone, [this](auto &r) { return follows(r, true); });
    router.add("GET", "/brio/users/{}/followers", A::Anyone, [this](auto &r) { return follows(r, false); });
    router.add("GET", "/brio/in/followings", A::User, [this](auto &r) { return briefFollowings(r); });
}

std::optional<qint64> PeopleEndpoints::userNamed(const ServiceRequest &request,
                                                 const QString &name) const
{
    if (name == QLatin1String("~me"))
        return request.userId ? std::optional<qint64>(request.userId) : std::nullopt;
    const auto id = m_database.scalar(QStringLiteral("SELECT id FROM users WHERE id = ? OR uid = ?"),
                                      { name.toLongLong(), name });
    return id ? std::optional<qint64>(id->toLongLong()) : std::nullopt;
}

ServiceReply PeopleEndpoints::registerDevice(const ServiceRequest &request, bool add)
{
    const QString token = request.parameter(QStringLiteral("token"));
    if (token.isEmpty())
        return ServiceReply::missingParameter(request, QStringLiteral("token"));
    if (add) {
        m_database.run(QStringLiteral("INSERT OR REPLACE INTO devices(token, user_id, registered)"
                                      " VALUES(?, ?, ?)"),
                       { token, request.userId ? QVariant(request.userId) : QVariant(),
                         QDateTime::currentSecsSinceEpoch() });
    } else {
        m_database.run(QStringLiteral("DELETE FROM devices WHERE token = ?"), { token });
    }
    return ServiceReply::json(QJsonObject { { "token", token }, { "registered", add } });
}

ServiceReply PeopleEndpoints::orders(const ServiceRequest &request)
{
    ServiceReply refusal;
    const auto paging = Paging::read(request, 20, &refusal);
    if (!paging)
        return refusal;
    const int total = m_database
                              .scalar(QStringLiteral("SELECT COUNT(*) FROM orders WHERE user_id = ?"),
                                      { request.userId })
                              .value_or(0)
                              .toInt();
    QSqlQuery rows = m_database.run(
            QStringLiteral("SELECT id, event_id, status, kind_name, name, price, original_price,"
                           " num, code, phone, begin_time, end_time FROM orders WHERE user_id = ?"
                           " ORDER BY begin_time DESC, id LIMIT ? OFFSET ?"),
            { request.userId, paging->count, paging->start });
    const RecordJson json(m_database, request.baseUrl);
    QJsonArray orders;
    while (rows.next()) {
        QSqlQuery event = m_database.run(QLatin1String(RecordJson::kEventSelect)
                                                 + QStringLiteral(" WHERE e.id = ?"),
                                         { request.userId, rows.value(1) });
        orders.append(QJsonObject {
                { "id", rows.value(0).toString() },
                { "status", rows.value(2).toInt() },
                { "kind_name", rows.value(3).toString() },
                { "name", rows.value(4).toString() },
                { "price", rows.value(5).toDouble() },
                // The service's own spelling of the original price.
                { "original_place", rows.value(6).toDouble() },
                { "num", rows.value(7).toInt() },
                { "code", rows.value(8).toString() },
                { "phone", rows.value(9).toString() },
                { "begin_time", rows.value(10).toString() },
                { "end_time", rows.value(11).toString() },
                { "event", event.next() ? json.event(event) : QJsonObject() } });
    }
    return ServiceReply::json(paging->page(QStringLiteral("orders"), orders, total));
}

ServiceReply PeopleEndpoints::passbook(const ServiceRequest &request)
{
    QSqlQuery order = m_database.run(
            QStringLiteral("SELECT o.id, o.kind_name, o.num, o.code, o.begin_time, e.title,"
                           " e.address, e.lat, e.lng FROM orders o JOIN events e ON e.id = o.event_id"
                           " WHERE o.id = ? AND o.user_id = ?"),
            { request.arguments.at(0).toLongLong(), request.userId });
    if (!order.next())
        return ServiceReply::notFound(request);
    const QDateTime begin = ServiceCalendar::parse(order.value(4).toString());
    QJsonObject pass {
        { "formatVersion", 1 },
        { "passTypeIdentifier", m_passTypeIdentifier },
        { "serialNumber", order.value(0).toString() },
        { "organizationName", QStringLiteral("Velari") },
        { "description", order.value(5).toString() },
        { "relevantDate", begin.toString(Qt::ISODate) },
        { "locations", QJsonArray { QJsonObject { { "latitude", order.value(7).toDouble() },
                                                  { "longitude", order.value(8).toDouble() } } } },
        { "barcode", QJsonObject { { "format", QStringLiteral("QR") },
                                   { "message", order.value(3).toString() },
                                   { "messageEncoding", QStringLiteral("utf-8") } } },
        { "eventTicket",
          QJsonObject { { "primaryFields",
                          QJsonArray { QJsonObject { { "key", "event" },
                                                     { "label", QStringLiteral("活动") },
                                                     { "value", order.value(5).toString() } } } },
                        { "secondaryFields",
                          QJsonArray { QJsonObject { { "key", "time" },
                                                     { "label", QStringLiteral("时间") },
                                                     { "value", begin.toString("yyyy-MM-dd HH:mm") } },
                                       QJsonObject { { "key", "place" },
                                                     { "label", QStringLiteral("地点") },
                                                     { "value", order.value(6).toString() } } } },
                        { "auxiliaryFields",
                          QJsonArray { QJsonObject { { "key", "kind" },
                                                     { "label", QStringLiteral("票种") },
                                                     { "value", order.value(1).toString() } },
                                       QJsonObject { { "key", "num" },
                                                     { "label", QStringLiteral("张数") },
                                                     { "value", order.value(2).toInt() } } } } } },
    };
    // Signed by the service with its own key, over the compact JSON without the signature.
    const QByteArray signature = QMessageAuthenticationCode::hash(
            QJsonDocument(pass).toJson(QJsonDocument::Compact),
            m_database.metaValue(QStringLiteral("pass_key")).toLatin1(), QCryptographicHash::Sha256);
    pass.insert("signature", QString::fromLatin1(signature.toBase64()));
    ServiceReply reply = ServiceReply::bytes(QJsonDocument(pass).toJson(QJsonDocument::Compact),
                                             "application/vnd.velari.pass+json");
    reply.headers.append({ "Content-Disposition",
                           "attachment; filename=\"" + order.value(0).toByteArray() + ".velpass\"" });
    return reply;
}

ServiceReply PeopleEndpoints::notificationType(const ServiceRequest &request)
{
    const int type = m_database
                             .scalar(QStringLiteral("SELECT notification_type FROM users WHERE id = ?"),
                                     { request.userId })
                             .value_or(1)
                             .toInt();
    return ServiceReply::json(QJsonObject { { "notification_type", type } });
}

ServiceReply PeopleEndpoints::setNotificationType(const ServiceRequest &request)
{
    const QString text = request.formValue(QStringLiteral("notification_type"));
    if (text.isEmpty())
        return ServiceReply::missingParameter(request, QStringLiteral("notification_type"));
    bool ok = false;
    const int type = text.toInt(&ok);
    if (!ok || !QList<int> { 0, 1, 2, 10 }.contains(type))
        return ServiceReply::invalidParameter(request, QStringLiteral("notification_type"));
    m_database.run(QStringLiteral("UPDATE users SET notification_type = ? WHERE id = ?"),
                   { type, request.userId });
    return ServiceReply::json(QJsonObject { { "notification_type", type } });
}

ServiceReply PeopleEndpoints::user(const ServiceRequest &request)
{
    if (request.arguments.at(0) == QLatin1String("~me") && request.userId == 0)
        return ServiceReply::error(401, ServiceError::AccessTokenIsMissing, request);
    const auto userId = userNamed(request, request.arguments.at(0));
    if (!userId)
        return ServiceReply::notFound(request);
    return ServiceReply::json(RecordJson(m_database, request.baseUrl).user(*userId));
}

ServiceReply PeopleEndpoints::follows(const ServiceRequest &request, bool following)
{
    const auto userId = userNamed(request, request.arguments.at(0));
    if (!userId)
        return ServiceReply::notFound(request);
    ServiceReply refusal;
    // The client sends its start index as "page".
    const auto paging = Paging::read(request, 20, &refusal, QStringLiteral("page"));
    if (!paging)
        return refusal;
    const QString sql = following
            ? QStringLiteral("SELECT u.id, u.uid, u.name, u.signature FROM follows f"
                             " JOIN users u ON u.id = f.followee_id WHERE f.follower_id = ?")
            : QStringLiteral("SELECT u.id, u.uid, u.name, u.signature FROM follows f"
                             " JOIN users u ON u.id = f.follower_id WHERE f.followee_id = ?");
    QSqlQuery rows = m_database.run(sql + QStringLiteral(" ORDER BY u.id LIMIT ? OFFSET ?"),
                                    { *userId, paging->count, paging->start });
    QJsonArray users;
    while (rows.next()) {
        const qint64 id = rows.value(0).toLongLong();
        const bool followed = request.userId
                && m_database.scalar(QStringLiteral("SELECT 1 FROM follows WHERE follower_id = ?"
                                                    " AND followee_id = ?"),
                                     { request.userId, id });
        users.append(QJsonObject { { "id", QString::number(id) },
                                   { "uid", rows.value(1).toString() },
                                   { "name", rows.value(2).toString() },
                                   { "screen_name", rows.value(2).toString() },
                                   { "description", rows.value(3).toString() },
                                   { "small_avatar", PictureEndpoints::avatarUrl(request.baseUrl, id) },
                                   { "large_avatar",
                                     PictureEndpoints::avatarUrl(request.baseUrl, id, true) },
                                   { "url", QStringLiteral("%1/people/%2/")
                                                    .arg(request.baseUrl, rows.value(1).toString()) },
                                   { "following", followed } });
    }
    return ServiceReply::json(users);
}

ServiceReply PeopleEndpoints::briefFollowings(const ServiceRequest &request)
{
    QSqlQuery rows = m_database.run(
            QStringLiteral("SELECT u.id, u.uid, u.name, u.pinyin FROM follows f"
                           " JOIN users u ON u.id = f.followee_id WHERE f.follower_id = ?"
                           " ORDER BY u.pinyin, u.id"),
            { request.userId });
    QJsonArray users;
    while (rows.next()) {
        users.append(QJsonObject {
                { "uid", rows.value(1).toString() },
                { "username", rows.value(2).toString() },
                { "pinyin", rows.value(3).toString() },
                { "avatar", PictureEndpoints::avatarUrl(request.baseUrl, rows.value(0).toLongLong()) } });
    }
    return ServiceReply::json(users);
}
