#pragma once

#include "ServiceReply.h"

#include <QJsonArray>
#include <QJsonObject>

#include <optional>

struct ServiceRequest;

// "start" and "count" of a paged list, and the page object that answers it:
// {"start", "count" (items in this page), "total", <key>: [...]}.
struct Paging
{
    int start = 0;
    int count = 0;

    // From the request's parameters (`startKey` is "start", or "page" where the client sends its
    // start index under that name); a value that is not a number of range is refused.
    static std::optional<Paging> read(const ServiceRequest &request, int defaultCount,
                                      ServiceReply *refusal,
                                      const QString &startKey = QStringLiteral("start"));
    QJsonObject page(const QString &key, const QJsonArray &items, int total) const;

    static constexpr int kMaxCount = 100;
};
