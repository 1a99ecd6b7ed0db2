#pragma once

#include "ServiceReply.h"

#include <QVariantList>

#include <functional>
#include <optional>

class Router;
class ServiceDatabase;
struct Paging;
struct ServiceRequest;

// The event lists (by city, nearby, search, guessed, a user's wished and participated events),
// one event, its web pages, and wishing and participating as each user's own state.
class EventEndpoints
{
public:
    explicit EventEndpoints(ServiceDatabase &database);
    void addRoutes(Router &router);

    // Conditions on "events e" and the values they bind, then the order of the rows.
    struct Filter
    {
        QStringList where { QStringLiteral("1") };
        QVariantList values;
        QString order = QStringLiteral("(wisher_count + participant_count) DESC, e.id");
        QVariantList orderValues;
        void add(const QString &condition, const QVariantList &bound = {});
    };

private:
    ServiceReply list(const ServiceRequest &request);
    ServiceReply nearby(const ServiceRequest &request);
    ServiceReply search(const ServiceRequest &request);
    ServiceReply guessed(const ServiceRequest &request);
    ServiceReply userEvents(const ServiceRequest &request, const QString &status);
    ServiceReply event(const ServiceRequest &request);
    ServiceReply page(const ServiceRequest &request, bool mobile);
    ServiceReply wish(const ServiceRequest &request, bool add);
    ServiceReply participate(const ServiceRequest &request, bool add);

    // Adds "loc", "day_type" and "type" (when given) to the filter, or gives the refusal.
    std::optional<ServiceReply> addCommonFilters(const ServiceRequest &request, Filter &filter,
                                                 const QString &locKey = QStringLiteral("loc"));
    ServiceReply answerPage(const ServiceRequest &request, const Filter &filter,
                            const Paging &paging);
    // A page of events: paging, the common filters, then the list's own (or its refusal).
    using FilterBuilder = std::function<std::optional<ServiceReply>(Filter &)>;
    ServiceReply listing(const ServiceRequest &request, const QString &locKey,
                         const FilterBuilder &build);
    // The event's row for the caller, or none.
    std::optional<QJsonObject> eventJson(const ServiceRequest &request, qint64 eventId);

    ServiceDatabase &m_database;
};
