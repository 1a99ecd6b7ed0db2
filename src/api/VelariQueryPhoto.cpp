#include "VelariQueryPhoto.h"

#include "VelariQueryParameters.h"

VELQuery VelariQueryPhoto::queryForPhotosByEventId(const QString &eventId,
                                                   std::optional<qint64> start)
{
    return VELQuery(QStringLiteral("/v2/event/%1/photos").arg(eventId),
                    VelariQueryParameters()
                            .setIfGiven(QStringLiteral("start"), start)
                            .set(QStringLiteral("count"), QStringLiteral("5"))
                            .map());
}

VELQuery VelariQueryPhoto::queryForAlbumByAlbumId(const QString &albumId)
{
    return VELQuery(QStringLiteral("/v2/album/%1").arg(albumId));
}
