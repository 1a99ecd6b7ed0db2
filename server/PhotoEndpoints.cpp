#include "PhotoEndpoints.h"

#include "MultipartBody.h"
#include "Paging.h"
#include "PictureEndpoints.h"
#include "RecordJson.h"
#include "Router.h"
#include "ServiceCalendar.h"
#include "ServiceDatabase.h"
#include "ServiceRequest.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QXmlStreamReader>

namespace {

// The text content of an Atom entry's <content>.
QString entryContent(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("content"))
            return reader.readElementText();
    }
    return {};
}

struct Upload
{
    QString description;
    QByteArray image;
};

std::optional<Upload> readUpload(const ServiceRequest &request)
{
    const QByteArray type = request.header("Content-Type");
    const auto parts = MultipartBody::parse(type, request.body);
    if (!parts)
        return std::nullopt;
    Upload upload;
    if (type.startsWith("multipart/form-data")) {
        for (const MultipartBody::Part &part : *parts) {
            const QByteArray name = part.dispositionParameter("name");
            if (name == "desc")
                upload.description = QString::fromUtf8(part.body);
            else if (name == "image")
                upload.image = part.body;
        }
    } else if (type.startsWith("multipart/related")) {
        for (const MultipartBody::Part &part : *parts) {
            const QByteArray partType = part.header("Content-Type");
            if (partType.startsWith("application/atom+xml"))
                upload.description = entryContent(part.body);
            else if (partType.startsWith("image/"))
                upload.image = QByteArray::fromBase64(part.body.simplified());
        }
    } else {
        return std::nullopt;
    }
    return upload;
}

} // namespace

PhotoEndpoints::PhotoEndpoints(ServiceDatabase &database, const PictureEndpoints &pictures)
    : m_database(database), m_pictures(pictures)
{
}

void PhotoEndpoints::addRoutes(Router &router)
{
    using A = Router::Access;
    router.add("GET", "/v2/event/{}/photos", A::Anyone, [this](auto &r) { return eventPhotos(r); });
    router.add("GET", "/v2/album/{}", A::Anyone, [this](auto &r) { return album(r); });
    router.add("POST", "/v2/album/{}", A::User, [this](auto &r) { return upload(r); });
}

ServiceReply PhotoEndpoints::eventPhotos(const ServiceRequest &request)
{
    const auto albumId = m_database.scalar(QStringLiteral("SELECT album_id FROM events WHERE id = ?"),
                                           { request.arguments.at(0).toLongLong() });
    if (!albumId)
        return ServiceReply::notFound(request);
    ServiceReply refusal;
    const auto paging = Paging::read(request, 20, &refusal);
    if (!paging)
        return refusal;
    const int total = m_database
                              .scalar(QStringLiteral("SELECT COUNT(*) FROM photos WHERE album_id = ?"),
                                      { *albumId })
                              .value_or(0)
                              .toInt();
    QSqlQuery rows = m_database.run(QLatin1String(RecordJson::kPhotoSelect)
                                            + QStringLiteral(" WHERE p.album_id = ?"
                                                             " ORDER BY p.id LIMIT ? OFFSET ?"),
                                    { *albumId, paging->count, paging->start });
    const RecordJson json(m_database, request.baseUrl);
    QJsonArray photos;
    while (rows.next())
        photos.append(json.photo(rows));
    return ServiceReply::json(paging->page(QStringLiteral("photos"), photos, total));
}

ServiceReply PhotoEndpoints::album(const ServiceRequest &request)
{
    QSqlQuery row = m_database.run(
            QStringLiteral("SELECT e.album_id, e.title, e.id, (SELECT COUNT(*) FROM photos p"
                           " WHERE p.album_id = e.album_id) FROM events e WHERE e.album_id = ?"),
            { request.arguments.at(0).toLongLong() });
    if (!row.next())
        return ServiceReply::notFound(request);
    return ServiceReply::json(QJsonObject { { "id", row.value(0).toString() },
                                            { "title", row.value(1).toString() },
                                            { "event_id", row.value(2).toString() },
                                            { "size", row.value(3).toInt() } });
}

ServiceReply PhotoEndpoints::upload(const ServiceRequest &request)
{
    const qint64 albumId = request.arguments.at(0).toLongLong();
    const auto eventId =
            m_database.scalar(QStringLiteral("SELECT id FROM events WHERE album_id = ?"), { albumId });
    if (!eventId)
        return ServiceReply::notFound(request);
    if (!m_database.scalar(QStringLiteral("SELECT 1 FROM relations WHERE user_id = ?"
                                          " AND event_id = ? AND status = 'participate'"),
                           { request.userId, *eventId }))
        return ServiceReply::error(403, ServiceError::Forbidden, request,
                                   QStringLiteral("only participants add photos"));
    const auto upload = readUpload(request);
    if (!upload)
        return ServiceReply::error(400, ServiceError::UnsupportedMediaType, request);
    const QImage image = QImage::fromData(upload->image);
    if (upload->image.isEmpty() || image.isNull())
        return ServiceReply::invalidParameter(request, QStringLiteral("image"));

    const qint64 photoId = m_database
                                   .scalar(QStringLiteral("SELECT COALESCE(MAX(id), 30000000) + 1"
                                                          " FROM photos"))
                                   .value_or(30000001)
                                   .toLongLong();
    const QString path = m_pictures.uploadPath(photoId);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(upload->image) != upload->image.size()
        || !file.commit())
        return ServiceReply::error(500, ServiceError::InternalError, request, QStringLiteral("storage"));
    m_database.run(QStringLiteral("INSERT INTO photos(id, album_id, author_id, description, created,"
                                  " width, height, uploaded) VALUES(?, ?, ?, ?, ?, ?, ?, 1)"),
                   { photoId, albumId, request.userId, upload->description,
                     ServiceCalendar::text(QDateTime::currentDateTime()), image.width(),
                     image.height() });
    QSqlQuery row = m_database.run(QLatin1String(RecordJson::kPhotoSelect)
                                           + QStringLiteral(" WHERE p.id = ?"),
                                   { photoId });
    row.next();
    return ServiceReply::json(RecordJson(m_database, request.baseUrl).photo(row), 201);
}
