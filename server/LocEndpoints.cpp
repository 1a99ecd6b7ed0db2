#include "LocEndpoints.h"

#include "Paging.h"
#include "Position.h"
#include "RecordJson.h"
#include "Router.h"
#include "ServiceDatabase.h"
#include "ServiceRequest.h"

#include <cmath>
#include <numbers>

namespace {

constexpr int kDefaultCount = 20;
// Farther than this from every city, a position has no city.
constexpr double kCityReachKilometres = 300.0;

double kilometresBetween(double lat1, double lng1, double lat2, double lng2)
{
    const double toRadians = std::numbers::pi / 180.0;
    const double dLat = (lat2 - lat1) * toRadians;
    const double dLng = (lng2 - lng1) * toRadians;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2)
            + std::cos(lat1 * toRadians) * std::cos(lat2 * toRadians) * std::sin(dLng / 2)
                    * std::sin(dLng / 2);
    return 6371.0 * 2 * std::atan2(std::sqrt(a), std::sqrt(1 - a));
}

} // namespace

LocEndpoints::LocEndpoints(const ServiceDatabase &database) : m_database(database) { }

void LocEndpoints::addRoutes(Router &router)
{
    using A = Router::Access;
    router.add("GET", "/v2/loc/list", A::Anyone, [this](auto &r) { return list(r); });
    router.add("GET", "/v2/loc/search", A::Anyone, [this](auto &r) { return search(r); });
    router.add("GET", "/v2/loc/geo", A::Anyone, [this](auto &r) { return geo(r); });
    router.add("GET", "/v2/loc/{}/districts", A::Anyone, [this](auto &r) { return districts(r); });
    router.add("GET", "/v2/loc/{}", A::Anyone, [this](auto &r) { return loc(r); });
}

ServiceReply LocEndpoints::answerPage(const ServiceRequest &request, const QString &where,
                                      const QVariantList &values)
{
    ServiceReply refusal;
    const auto paging = Paging::read(request, kDefaultCount, &refusal);
    if (!paging)
        return refusal;
    QSqlQuery counted = m_database.run(QStringLiteral("SELECT COUNT(*) FROM locs WHERE ") + where,
                                       values);
    const int total = counted.next() ? counted.value(0).toInt() : 0;
    QSqlQuery rows = m_database.run(QStringLiteral("SELECT %1 FROM locs WHERE %2"
                                                   " ORDER BY position LIMIT ? OFFSET ?")
                                            .arg(QLatin1String(RecordJson::kLocColumns), where),
                                    values + QVariantList { paging->count, paging->start });
    const RecordJson json(m_database, request.baseUrl);
    QJsonArray locs;
    while (rows.next())
        locs.append(json.loc(rows));
    return ServiceReply::json(paging->page(QStringLiteral("locs"), locs, total));
}

ServiceReply LocEndpoints::list(const ServiceRequest &request)
{
    return answerPage(request, QStringLiteral("habitable = 1"), {});
}

ServiceReply LocEndpoints::search(const ServiceRequest &request)
{
    const QString text = request.parameter(QStringLiteral("q")).trimmed();
    if (text.isEmpty())
        return list(request);
    // Name anywhere, short name from its start: "bei", "京" and "北京" all find Beijing.
    return answerPage(request,
                      QStringLiteral("habitable = 1 AND (instr(name, ?) > 0 OR uid LIKE ? || '%')"),
                      { text, text.toLower() });
}

ServiceReply LocEndpoints::geo(const ServiceRequest &request)
{
    ServiceReply refusal;
    const auto position = Position::read(request, &refusal);
    if (!position)
        return refusal;
    QSqlQuery rows = m_database.run(QStringLiteral("SELECT %1, lat, lng FROM locs WHERE habitable = 1")
                                            .arg(QLatin1String(RecordJson::kLocColumns)));
    QJsonObject nearest;
    double best = kCityReachKilometres;
    const RecordJson json(m_database, request.baseUrl);
    while (rows.next()) {
        const double distance =
                kilometresBetween(position->lat, position->lng, rows.value(5).toDouble(),
                                  rows.value(6).toDouble());
        if (distance < best) {
            best = distance;
            nearest = json.loc(rows);
        }
    }
    if (nearest.isEmpty())
        return ServiceReply::notFound(request);
    return ServiceReply::json(nearest);
}

ServiceReply LocEndpoints::districts(const ServiceRequest &request)
{
    const QString cityId = request.arguments.at(0);
    if (!m_database.scalar(QStringLiteral("SELECT 1 FROM locs WHERE id = ? AND habitable = 1"),
                           { cityId }))
        return ServiceReply::notFound(request);
    return answerPage(request, QStringLiteral("parent = ?"), { cityId });
}

ServiceReply LocEndpoints::loc(const ServiceRequest &request)
{
    QSqlQuery row = m_database.run(QStringLiteral("SELECT %1 FROM locs WHERE id = ? OR uid = ?")
                                           .arg(QLatin1String(RecordJson::kLocColumns)),
                                   { request.arguments.at(0), request.arguments.at(0) });
    if (!row.next())
        return ServiceReply::notFound(request);
    return ServiceReply::json(RecordJson(m_database, request.baseUrl).loc(row));
}
