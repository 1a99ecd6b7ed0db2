#pragma once

#include "VELQuery.h"

// Requests to the service's microblog.
class VelariQueryRecommendation
{
public:
    static VELQuery queryForRecommendations();
    static VELQuery queryForCommentStatus(const QString &statusId);
};
