#include "VelariQueryRecommendation.h"

VELQuery VelariQueryRecommendation::queryForRecommendations()
{
    return VELQuery(QStringLiteral("/brio/statuses/"));
}

VELQuery VelariQueryRecommendation::queryForCommentStatus(const QString &statusId)
{
    return VELQuery(QStringLiteral("/brio/statuses/%1/comments").arg(statusId));
}
