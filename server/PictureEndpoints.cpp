#include "PictureEndpoints.h"

#include "PicturePainter.h"
#include "Router.h"
#include "ServiceCalendar.h"
#include "ServiceDatabase.h"
#include "ServiceRequest.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace {

std::optional<QSize> posterSize(const QString &variant)
{
    static const QHash<QString, QSize> sizes = {
        { "sicon", { 60, 80 } },    { "picon", { 120, 160 } },  { "median", { 240, 320 } },
        { "large", { 450, 600 } },  { "hlarge", { 600, 800 } }, { "lmobile", { 300, 400 } },
        { "raw", { 900, 1200 } },
    };
    if (!sizes.contains(variant))
        return std::nullopt;
    return sizes.value(variant);
}

std::optional<qint64> numberIn(const QString &name, const QRegularExpression &pattern)
{
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong();
}

QByteArray jpeg(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return bytes;
}

} // namespace

PictureEndpoints::PictureEndpoints(const ServiceDatabase &database, const QString &directory)
    : m_database(database), m_directory(directory)
{
}

void PictureEndpoints::addRoutes(Router &router)
{
    router.add("GET", QStringLiteral("/view/event_poster/{}/public/{}"), Router::Access::Anyone,
               [this](const ServiceRequest &r) { return poster(r); });
    router.add("GET", QStringLiteral("/view/photo/{}/public/{}"), Router::Access::Anyone,
               [this](const ServiceRequest &r) { return photo(r); });
    router.add("GET", QStringLiteral("/icon/{}"), Router::Access::Anyone,
               [this](const ServiceRequest &r) { return avatar(r); });
}

QString PictureEndpoints::posterUrl(const QString &base, qint64 eventId, const QString &variant)
{
    return QStringLiteral("%1/view/event_poster/%2/public/%3.jpg").arg(base, variant).arg(eventId);
}

QString PictureEndpoints::photoUrl(const QString &base, qint64 photoId, const QString &variant)
{
    return QStringLiteral("%1/view/photo/%2/public/p%3.jpg").arg(base, variant).arg(photoId);
}

QString PictureEndpoints::avatarUrl(const QString &base, qint64 userId, bool large)
{
    return QStringLiteral("%1/icon/%2%3-1.jpg")
            .arg(base, large ? QStringLiteral("ul") : QStringLiteral("u"))
            .arg(userId);
}

std::optional<QSize> PictureEndpoints::photoSize(const QString &variant, const QSize &original)
{
    if (variant == QLatin1String("sicon"))
        return QSize(75, 75);
    if (variant == QLatin1String("raw"))
        return original;
    static const QHash<QString, int> boxes = { { "picon", 150 },  { "thumb", 200 },
                                               { "cover", 400 },  { "median", 400 },
                                               { "lmobile", 640 }, { "large", 800 },
                                               { "hlarge", 1000 } };
    if (!boxes.contains(variant))
        return std::nullopt;
    const int box = boxes.value(variant);
    return original.scaled(QSize(box, box).boundedTo(original), Qt::KeepAspectRatio);
}

QString PictureEndpoints::uploadPath(qint64 photoId) const
{
    return m_directory + QStringLiteral("/uploads/%1.jpg").arg(photoId);
}

ServiceReply PictureEndpoints::cached(const QString &relativePath,
                                      const std::function<QImage()> &draw)
{
    const QString path = m_directory + QStringLiteral("/pictures/") + relativePath;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return ServiceReply::bytes(file.readAll(), "image/jpeg");
    const QByteArray bytes = jpeg(draw());
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size())
        out.commit();
    return ServiceReply::bytes(bytes, "image/jpeg");
}

ServiceReply PictureEndpoints::poster(const ServiceRequest &request)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)\\.jpg$"));
    const QString variant = request.arguments.at(0);
    const auto size = posterSize(variant);
    const auto eventId = numberIn(request.arguments.at(1), pattern);
    if (!size || !eventId)
        return ServiceReply::notFound(request);
    QSqlQuery event = m_database.run(
            QStringLiteral("SELECT poster_style, title, category, begin_time FROM events WHERE id = ?"),
            { *eventId });
    if (!event.next())
        return ServiceReply::notFound(request);
    const QString when = ServiceCalendar::parse(event.value(3).toString())
                                 .toString(QStringLiteral("M月d日 HH:mm"));
    return cached(QStringLiteral("posters/%1/%2.jpg").arg(variant).arg(*eventId), [&] {
        return PicturePainter::poster(*eventId, event.value(0).toInt(), event.value(1).toString(),
                                      event.value(2).toString(), when, *size);
    });
}

ServiceReply PictureEndpoints::photo(const ServiceRequest &request)
{
    static const QRegularExpression pattern(QStringLiteral("^p(\\d+)\\.jpg$"));
    const QString variant = request.arguments.at(0);
    const auto photoId = numberIn(request.arguments.at(1), pattern);
    if (!photoId)
        return ServiceReply::notFound(request);
    QSqlQuery photo = m_database.run(
            QStringLiteral("SELECT width, height, uploaded FROM photos WHERE id = ?"), { *photoId });
    if (!photo.next())
        return ServiceReply::notFound(request);
    const QSize original(photo.value(0).toInt(), photo.value(1).toInt());
    const auto size = photoSize(variant, original);
    if (!size)
        return ServiceReply::notFound(request);
    const bool uploaded = photo.value(2).toBool();
    return cached(QStringLiteral("photos/%1/%2.jpg").arg(variant).arg(*photoId), [&] {
        const QImage source = uploaded ? QImage(uploadPath(*photoId))
                                       : PicturePainter::photo(*photoId, original);
        return source.scaled(*size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation)
                .copy(QRect(QPoint(0, 0), *size));
    });
}

ServiceReply PictureEndpoints::avatar(const ServiceRequest &request)
{
    static const QRegularExpression pattern(QStringLiteral("^u(l?)(\\d+)-1\\.jpg$"));
    const QRegularExpressionMatch match = pattern.match(request.arguments.at(0));
    if (!match.hasMatch())
        return ServiceReply::notFound(request);
    const bool large = !match.captured(1).isEmpty();
    const qint64 userId = match.captured(2).toLongLong();
    const auto name =
            m_database.scalar(QStringLiteral("SELECT name FROM users WHERE id = ?"), { userId });
    if (!name)
        return ServiceReply::notFound(request);
    const int side = large ? 160 : 48;
    return cached(QStringLiteral("avatars/%1%2.jpg").arg(large ? "ul" : "u").arg(userId), [&] {
        return PicturePainter::avatar(userId, name->toString(), QSize(side, side));
    });
}
