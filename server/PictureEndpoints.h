#pragma once

#include "ServiceReply.h"

#include <QSize>
#include <QString>

#include <optional>

class Router;
class ServiceDatabase;
struct ServiceRequest;

// Posters, photos and avatars by URL, in the size variants that the picture URLs name
// ("sicon", "picon", "median", "large", "hlarge", "lmobile", "raw"; photos also "thumb" and
// "cover"). Each is drawn or scaled on its first request and kept under the data directory.
class PictureEndpoints
{
public:
    PictureEndpoints(const ServiceDatabase &database, const QString &directory);
    void addRoutes(Router &router);

    static QString posterUrl(const QString &base, qint64 eventId, const QString &variant);
    static QString photoUrl(const QString &base, qint64 photoId, const QString &variant);
    static QString avatarUrl(const QString &base, qint64 userId, bool large = false);
    // The size of a photo variant for a photo of the given size; none for an unknown variant.
    static std::optional<QSize> photoSize(const QString &variant, const QSize &original);
    // Where an uploaded photo's original is kept.
    QString uploadPath(qint64 photoId) const;

private:
    ServiceReply poster(const ServiceRequest &request);
    ServiceReply photo(const ServiceRequest &request);
    ServiceReply avatar(const ServiceRequest &request);
    // The cached file's bytes, else `draw()` stored as JPEG and returned.
    ServiceReply cached(const QString &relativePath, const std::function<QImage()> &draw);

    const ServiceDatabase &m_database;
    QString m_directory;
};
