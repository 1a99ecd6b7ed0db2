#pragma once

#include "VELQuery.h"

#include <optional>

// Requests about cities and districts.
class VelariQueryCity
{
public:
    static VELQuery queryForSearchCitiesWithKey(const QString &text, std::optional<qint64> start);
    static VELQuery queryForCitiesWithStartIndex(std::optional<qint64> start);
    static VELQuery queryForCityWithLatitude(double latitude, double longitude);
    static VELQuery queryForDistrictsByCityId(const QString &cityId, std::optional<qint64> start);
};
