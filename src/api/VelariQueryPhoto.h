#pragma once

#include "VELQuery.h"

#include <optional>

// Requests about event photos and albums.
class VelariQueryPhoto
{
public:
    static VELQuery queryForPhotosByEventId(const QString &eventId, std::optional<qint64> start);
    static VELQuery queryForAlbumByAlbumId(const QString &albumId);
};
