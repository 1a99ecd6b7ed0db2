#include "Paging.h"

#include "ServiceRequest.h"

namespace {

std::optional<int> number(const ServiceRequest &request, const QString &key, int fallback)
{
    if (!request.hasParameter(key))
        return fallback;
    bool ok = false;
    const int value = request.parameter(key).toInt(&ok);
    if (!ok || value < 0)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<Paging> Paging::read(const ServiceRequest &request, int defaultCount,
                                   ServiceReply *refusal, const QString &startKey)
{
    const auto start = number(request, startKey, 0);
    if (!start) {
        *refusal = ServiceReply::invalidParameter(request, startKey);
        return std::nullopt;
    }
    const auto count = number(request, QStringLiteral("count"), defaultCount);
    if (!count || *count == 0) {
        *refusal = ServiceReply::invalidParameter(request, QStringLiteral("count"));
        return std::nullopt;
    }
    return Paging { *start, std::min(*count, kMaxCount) };
}

QJsonObject Paging::page(const QString &key, const QJsonArray &items, int total) const
{
    return { { "start", start }, { "count", int(items.size()) }, { "total", total }, { key, items } };
}
