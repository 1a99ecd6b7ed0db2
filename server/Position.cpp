#include "Position.h"

#include "ServiceRequest.h"

#include <cmath>

std::optional<Position> Position::read(const ServiceRequest &request, ServiceReply *refusal)
{
    Position position;
    const std::pair<const char *, double> fields[] = { { "lat", 90.0 }, { "lng", 180.0 } };
    for (const auto &[key, limit] : fields) {
        const QString name = QLatin1String(key);
        if (!request.hasParameter(name)) {
            *refusal = ServiceReply::missingParameter(request, name);
            return std::nullopt;
        }
        bool ok = false;
        const double value = request.parameter(name).toDouble(&ok);
        if (!ok || std::abs(value) > limit) {
            *refusal = ServiceReply::invalidParameter(request, name);
            return std::nullopt;
        }
        (name == QLatin1String("lat") ? position.lat : position.lng) = value;
    }
    return position;
}
