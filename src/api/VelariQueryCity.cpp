#include "VelariQueryCity.h"

#include "VelariQueryParameters.h"

VELQuery VelariQueryCity::queryForSearchCitiesWithKey(const QString &text,
                                                      std::optional<qint64> start)
{
    return VELQuery(QStringLiteral("/v2/loc/search"),
                    VelariQueryParameters()
                            .setIfGiven(QStringLiteral("q"), text)
                            .setIfGiven(QStringLiteral("start"), start)
                            .map());
}

VELQuery VelariQueryCity::queryForCitiesWithStartIndex(std::optional<qint64> start)
{
    return VELQuery(QStringLiteral("/v2/loc/list"),
                    VelariQueryParameters().setIfGiven(QStringLiteral("start"), start).map());
}

VELQuery VelariQueryCity::queryForCityWithLatitude(double latitude, double longitude)
{
    return VELQuery(QStringLiteral("/v2/loc/geo"),
                    VelariQueryParameters()
                            .set(QStringLiteral("lat"), QString::asprintf("%f", latitude))
                            .set(QStringLiteral("lng"), QString::asprintf("%f", longitude))
                            .map());
}

VELQuery VelariQueryCity::queryForDistrictsByCityId(const QString &cityId,
                                                    std::optional<qint64> start)
{
    return VELQuery(QStringLiteral("/v2/loc/%1/districts").arg(cityId),
                    VelariQueryParameters().setIfGiven(QStringLiteral("start"), start).map());
}
