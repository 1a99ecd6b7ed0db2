#include "EventEndpoints.h"

#include "Paging.h"
#include "Position.h"
#include "RecordJson.h"
#include "Router.h"
#include "ServiceCalendar.h"
#include "ServiceDatabase.h"
#include "ServiceRequest.h"

#include <QDateTime>
#include <QXmlStreamReader>

#include <cmath>
#include <numbers>

namespace {

const QStringList kCategories = { "music",      "drama",  "exhibition", "sports", "party",
                                  "commonweal", "travel", "film",       "salon" };

constexpr int kDefaultCount = 20;
constexpr double kNearbyKilometres = 15.0;

// The window [from, to) of a day type; none for an unknown one.
std::optional<std::pair<QDateTime, QDateTime>> dayWindow(const QString &dayType)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate today = now.date();
    const QDateTime midnight(today, QTime(0, 0));
    if (dayType == QLatin1String("future"))
        return std::pair { now, QDateTime() };
    if (dayType == QLatin1String("today"))
        return std::pair { midnight, midnight.addDays(1) };
    if (dayType == QLatin1String("tomorrow"))
        return std::pair { midnight.addDays(1), midnight.addDays(2) };
    if (dayType == QLatin1String("weekend")) {
        const QDateTime saturday(ServiceCalendar::weekendStart(today), QTime(0, 0));
        return std::pair { saturday, saturday.addDays(2) };
    }
    if (dayType == QLatin1String("week"))
        return std::pair { midnight, midnight.addDays(7) };
    return std::nullopt;
}

QString nowText()
{
    return ServiceCalendar::text(QDateTime::currentDateTime());
}

// "yyyy-MM-dd", or the day of "yyyy-MM-dd HH:mm:ss".
QDate dayOf(const QString &text)
{
    return QDate::fromString(text.left(10), Qt::ISODate);
}

// The participation day carried by an Atom entry's <attribute name="participate_date">.
QString participateDateInEntry(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("attribute")
            && reader.attributes().value(QLatin1String("name")) == QLatin1String("participate_date"))
            return reader.readElementText().trimmed();
    }
    return {};
}

} // namespace

void EventEndpoints::Filter::add(const QString &condition, const QVariantList &bound)
{
    where.append(condition);
    values.append(bound);
}

EventEndpoints::EventEndpoints(ServiceDatabase &database) : m_database(database) { }

void EventEndpoints::addRoutes(Router &router)
{
    using A = Router::Access;
    router.add("GET", "/v2/event/list", A::Anyone, [this](auto &r) { return list(r); });
    router.add("GET", "/v2/event/nearby", A::Anyone, [this](auto &r) { return nearby(r); });
    router.add("GET", "/v2/event/search", A::Anyone, [this](auto &r) { return search(r); });
    router.add("GET", "/v2/event/user_guessed", A::User, [this](auto &r) { return guessed(r); });
    router.add("GET", "/v2/event/user_participated/{}", A::Anyone,
               [this](auto &r) { return userEvents(r, QStringLiteral("participate")); });
    router.add("GET", "/v2/event/user_wished/{}", A::Anyone,
               [this](auto &r) { return userEvents(r, QStringLiteral("wish")); });
    router.add("POST", "/v2/event/{}/wishers", A::User, [this](auto &r) { return wish(r, true); });
    router.add("DELETE", "/v2/event/{}/wishers", A::User, [this](auto &r) { return wish(r, false); });
    router.add("POST", "/v2/event/{}/participants", A::User,
               [this](auto &r) { return participate(r, true); });
    router.add("DELETE", "/v2/event/{}/participants", A::User,
               [this](auto &r) { return participate(r, false); });
    router.add("GET", "/v2/event/{}", A::Anyone, [this](auto &r) { return event(r); });
    router.add("GET", "/event/{}", A::Anyone, [this](auto &r) { return page(r, false); });
    router.add("GET", "/m/event/{}", A::Anyone, [this](auto &r) { return page(r, true); });
}

std::optional<ServiceReply> EventEndpoints::addCommonFilters(const ServiceRequest &request,
                                                             Filter &filter, const QString &locKey)
{
    if (request.hasParameter(locKey))
        filter.add(QStringLiteral("e.loc_id = ?"), { request.parameter(locKey) });
    filter.add(QStringLiteral("e.end_time > ?"), { nowText() });
    if (request.hasParameter(QStringLiteral("day_type"))) {
        const auto window = dayWindow(request.parameter(QStringLiteral("day_type")));
        if (!window)
            return ServiceReply::invalidParameter(request, QStringLiteral("day_type"));
        filter.add(QStringLiteral("e.end_time > ?"), { ServiceCalendar::text(window->first) });
        if (window->second.isValid())
            filter.add(QStringLiteral("e.begin_time < ?"), { ServiceCalendar::text(window->second) });
    }
    const QString type = request.parameter(QStringLiteral("type"));
    if (type == QLatin1String("others")) {
        filter.add(QStringLiteral("e.category NOT IN ('%1')").arg(kCategories.join("','")));
    } else if (kCategories.contains(type)) {
        filter.add(QStringLiteral("e.category = ?"), { type });
    } else if (!type.isNull() && type != QLatin1String("all")) {
        return ServiceReply::invalidParameter(request, QStringLiteral("type"));
    }
    return std::nullopt;
}

ServiceReply EventEndpoints::answerPage(const ServiceRequest &request, const Filter &filter,
                                        const Paging &paging)
{
    // Lists asked with "photo_cate=image" carry their events' first photos.
    int photoCount = 0;
    if (request.parameter(QStringLiteral("photo_cate")) == QLatin1String("image"))
        photoCount = std::clamp(request.parameter(QStringLiteral("photo_count")).toInt(), 0, 20);
    const QString where = filter.where.join(QStringLiteral(" AND "));
    QSqlQuery counted = m_database.run(QStringLiteral("SELECT COUNT(*) FROM events e WHERE ") + where,
                                       filter.values);
    const int total = counted.next() ? counted.value(0).toInt() : 0;

    QVariantList values { request.userId };
    values << filter.values << filter.orderValues << paging.count << paging.start;
    QSqlQuery rows = m_database.run(QLatin1String(RecordJson::kEventSelect)
                                            + QStringLiteral(" WHERE ") + where
                                            + QStringLiteral(" ORDER BY ") + filter.order
                                            + QStringLiteral(" LIMIT ? OFFSET ?"),
                                    values);
    const RecordJson json(m_database, request.baseUrl);
    QJsonArray events;
    while (rows.next()) {
        QJsonObject event = json.event(rows);
        if (photoCount > 0)
            event.insert("photos", json.photoUrls(rows.value(12).toLongLong(), photoCount));
        events.append(event);
    }
    return ServiceReply::json(paging.page(QStringLiteral("events"), events, total));
}

ServiceReply EventEndpoints::listing(const ServiceRequest &request, const QString &locKey,
                                     const FilterBuilder &build)
{
    ServiceReply refusal;
    const auto paging = Paging::read(request, kDefaultCount, &refusal);
    if (!paging)
        return refusal;
    Filter filter;
    if (auto refused = addCommonFilters(request, filter, locKey))
        return *refused;
    if (auto refused = build(filter))
        return *refused;
    return answerPage(request, filter, *paging);
}

ServiceReply EventEndpoints::list(const ServiceRequest &request)
{
    return listing(request, QStringLiteral("loc"), [&](Filter &filter) -> std::optional<ServiceReply> {
        const QString district = request.parameter(QStringLiteral("district"));
        if (!district.isEmpty() && district != QLatin1String("all")) {
            QString condition = QStringLiteral("e.district_id IN (SELECT id FROM locs WHERE uid = ?");
            QVariantList bound { district };
            if (request.hasParameter(QStringLiteral("loc"))) {
                condition += QStringLiteral(" AND parent = ?");
                bound << request.parameter(QStringLiteral("loc"));
            }
            filter.add(condition + QLatin1Char(')'), bound);
        }
        // A list for a time range reads in time order; without one it is the hot list.
        if (request.hasParameter(QStringLiteral("day_type")))
            filter.order = QStringLiteral("e.begin_time, e.id");
        return std::nullopt;
    });
}

ServiceReply EventEndpoints::nearby(const ServiceRequest &request)
{
    ServiceReply refusal;
    const auto position = Position::read(request, &refusal);
    if (!position)
        return refusal;
    return listing(request, QStringLiteral("loc"), [&](Filter &filter) -> std::optional<ServiceReply> {
        // Distances on a plane scaled at the caller's latitude: good enough within a city.
        const double scale = std::cos(position->lat * std::numbers::pi / 180.0);
        const QString distance =
                QStringLiteral("((e.lat - ?) * (e.lat - ?) + (e.lng - ?) * (e.lng - ?) * ?)");
        const QVariantList bound { position->lat, position->lat, position->lng, position->lng,
                                   scale * scale };
        const double radius = kNearbyKilometres / 111.32;
        filter.add(distance + QStringLiteral(" <= ?"), bound + QVariantList { radius * radius });
        filter.order = distance + QStringLiteral(", e.id");
        filter.orderValues = bound;
        return std::nullopt;
    });
}

ServiceReply EventEndpoints::search(const ServiceRequest &request)
{
    return listing(request, QStringLiteral("loc"), [&](Filter &filter) -> std::optional<ServiceReply> {
        const QString text = request.parameter(QStringLiteral("q")).trimmed();
        if (!text.isEmpty()) {
            QString pattern = text;
            pattern.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
                    .replace(QLatin1Char('%'), QLatin1String("\\%"))
                    .replace(QLatin1Char('_'), QLatin1String("\\_"));
            pattern = QLatin1Char('%') + pattern + QLatin1Char('%');
            filter.add(QStringLiteral("(e.title LIKE ? ESCAPE '\\' OR e.address LIKE ? ESCAPE '\\'"
                                      " OR e.content LIKE ? ESCAPE '\\')"),
                       { pattern, pattern, pattern });
        }
        filter.order = QStringLiteral("e.begin_time, e.id");
        return std::nullopt;
    });
}

ServiceReply EventEndpoints::guessed(const ServiceRequest &request)
{
    return listing(request, QStringLiteral("loc_id"), [&](Filter &filter) -> std::optional<ServiceReply> {
        // Events like the ones the user already keeps, that he has not marked yet; the hot ones
        // when he keeps none.
        filter.add(QStringLiteral("e.id NOT IN (SELECT event_id FROM relations WHERE user_id = ?)"),
                   { request.userId });
        const bool keepsAny = m_database
                                      .scalar(QStringLiteral("SELECT COUNT(*) FROM relations"
                                                             " WHERE user_id = ?"),
                                              { request.userId })
                                      .value_or(0)
                                      .toInt()
                > 0;
        if (keepsAny)
            filter.add(QStringLiteral("e.category IN (SELECT x.category FROM events x JOIN relations y"
                                      " ON y.event_id = x.id WHERE y.user_id = ?)"),
                       { request.userId });
        return std::nullopt;
    });
}

ServiceReply EventEndpoints::userEvents(const ServiceRequest &request, const QString &status)
{
    ServiceReply refusal;
    const auto paging = Paging::read(request, kDefaultCount, &refusal);
    if (!paging)
        return refusal;
    qint64 userId = 0;
    if (request.arguments.at(0) == QLatin1String("~me")) {
        if (request.userId == 0)
            return ServiceReply::error(401, ServiceError::AccessTokenIsMissing, request);
        userId = request.userId;
    } else {
        bool ok = false;
        userId = request.arguments.at(0).toLongLong(&ok);
        if (!ok || !m_database.scalar(QStringLiteral("SELECT 1 FROM users WHERE id = ?"), { userId }))
            return ServiceReply::notFound(request);
    }
    Filter filter;
    filter.add(QStringLiteral("e.id IN (SELECT event_id FROM relations"
                              " WHERE user_id = ? AND status = ?)"),
               { userId, status });
    filter.order = QStringLiteral("e.begin_time, e.id");
    const QString timing = request.parameter(QStringLiteral("status"));
    if (timing == QLatin1String("ongoing")) {
        filter.add(QStringLiteral("e.end_time > ?"), { nowText() });
    } else if (timing == QLatin1String("expired")) {
        filter.add(QStringLiteral("e.end_time <= ?"), { nowText() });
        filter.order = QStringLiteral("e.begin_time DESC, e.id");
    } else if (!timing.isNull() && timing != QLatin1String("all")) {
        return ServiceReply::invalidParameter(request, QStringLiteral("status"));
    }
    return answerPage(request, filter, *paging);
}

std::optional<QJsonObject> EventEndpoints::eventJson(const ServiceRequest &request, qint64 eventId)
{
    QSqlQuery row = m_database.run(QLatin1String(RecordJson::kEventSelect)
                                           + QStringLiteral(" WHERE e.id = ?"),
                                   { request.userId, eventId });
    if (!row.next())
        return std::nullopt;
    return RecordJson(m_database, request.baseUrl).event(row);
}

ServiceReply EventEndpoints::event(const ServiceRequest &request)
{
    const auto event = eventJson(request, request.arguments.at(0).toLongLong());
    return event ? ServiceReply::json(*event) : ServiceReply::notFound(request);
}

ServiceReply EventEndpoints::page(const ServiceRequest &request, bool mobile)
{
    const auto event = eventJson(request, request.arguments.at(0).toLongLong());
    if (!event)
        return ServiceReply::notFound(request);
    const QString html =
            QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\">%1<title>%2</title>"
                           "</head><body><h1>%2</h1><img src=\"%3\" alt=\"\"><p>%4 – %5</p>"
                           "<p>%6</p>%7</body></html>")
                    .arg(mobile ? QStringLiteral("<meta name=\"viewport\" content=\"width=device-width\">")
                                : QString(),
                         event->value("title").toString().toHtmlEscaped(),
                         event->value(mobile ? "image_lmobile" : "image_hlarge").toString(),
                         event->value("begin_time").toString(), event->value("end_time").toString(),
                         event->value("address").toString().toHtmlEscaped(),
                         event->value("content").toString());
    return ServiceReply::bytes(html.toUtf8(), "text/html; charset=utf-8");
}

ServiceReply EventEndpoints::wish(const ServiceRequest &request, bool add)
{
    const qint64 eventId = request.arguments.at(0).toLongLong();
    if (!m_database.scalar(QStringLiteral("SELECT 1 FROM events WHERE id = ?"), { eventId }))
        return ServiceReply::notFound(request);
    if (add) {
        // A participant stays one: participating includes the interest.
        m_database.run(QStringLiteral("INSERT INTO relations(user_id, event_id, status, updated)"
                                      " VALUES(?, ?, 'wish', ?) ON CONFLICT(user_id, event_id)"
                                      " DO UPDATE SET updated = excluded.updated"),
                       { request.userId, eventId, nowText() });
    } else {
        m_database.run(QStringLiteral("DELETE FROM relations"
                                      " WHERE user_id = ? AND event_id = ? AND status = 'wish'"),
                       { request.userId, eventId });
    }
    return ServiceReply::json(*eventJson(request, eventId), add ? 201 : 200);
}

ServiceReply EventEndpoints::participate(const ServiceRequest &request, bool add)
{
    const qint64 eventId = request.arguments.at(0).toLongLong();
    QSqlQuery event = m_database.run(
            QStringLiteral("SELECT begin_time, end_time FROM events WHERE id = ?"), { eventId });
    if (!event.next())
        return ServiceReply::notFound(request);
    if (!add) {
        m_database.run(QStringLiteral("DELETE FROM relations WHERE user_id = ? AND event_id = ?"
                                      " AND status = 'participate'"),
                       { request.userId, eventId });
        return ServiceReply::json(*eventJson(request, eventId));
    }
    QString dateText = request.parameter(QStringLiteral("participate_date"));
    if (dateText.isNull() && request.header("Content-Type").startsWith("application/atom+xml"))
        dateText = participateDateInEntry(request.body);
    QVariant day;
    if (!dateText.isEmpty()) {
        const QDate date = dayOf(dateText);
        const QDate first = dayOf(event.value(0).toString());
        // An event ending at midnight ends on the day before.
        const QDate last = ServiceCalendar::parse(event.value(1).toString()).addSecs(-1).date();
        if (!date.isValid() || date < first || date > last)
            return ServiceReply::invalidParameter(request, QStringLiteral("participate_date"));
        day = date.toString(Qt::ISODate);
    }
    m_database.run(QStringLiteral("INSERT INTO relations(user_id, event_id, status,"
                                  " participate_date, updated) VALUES(?, ?, 'participate', ?, ?)"
                                  " ON CONFLICT(user_id, event_id) DO UPDATE SET status = 'participate',"
                                  " participate_date = excluded.participate_date,"
                                  " updated = excluded.updated"),
                   { request.userId, eventId, day, nowText() });
    return ServiceReply::json(*eventJson(request, eventId), 201);
}
