#pragma once

#include "ServiceReply.h"

#include <optional>

struct ServiceRequest;

// A position given as the "lat" and "lng" parameters.
struct Position
{
    double lat = 0;
    double lng = 0;

    // None, with the refusal, when either is missing, not a number or out of range.
    static std::optional<Position> read(const ServiceRequest &request, ServiceReply *refusal);
};
