#include "RecordJson.h"

#include "PictureEndpoints.h"
#include "ServiceDatabase.h"

#include <QJsonArray>

const char *const RecordJson::kEventSelect =
        "SELECT e.id, e.title, e.content, e.category, e.loc_id, l.name, e.address, e.begin_time,"
        " e.end_time, e.owner_id, e.lat, e.lng, e.album_id,"
        " e.wisher_base + (SELECT COUNT(*) FROM relations w"
        "   WHERE w.event_id = e.id AND w.status = 'wish') AS wisher_count,"
        " e.participant_base + (SELECT COUNT(*) FROM relations p"
        "   WHERE p.event_id = e.id AND p.status = 'participate') AS participant_count,"
        " r.status, r.participate_date"
        " FROM events e JOIN locs l ON l.id = e.loc_id"
        " LEFT JOIN relations r ON r.event_id = e.id AND r.user_id = ?";

const char *const RecordJson::kLocColumns = "id, parent, name, uid, habitable";

const char *const RecordJson::kPhotoSelect =
        "SELECT p.id, p.album_id, p.author_id, p.description, p.created, p.width, p.height,"
        " p.recs_count, p.liked_count, p.comments_count, e.title,"
        " (SELECT COUNT(*) FROM photos q WHERE q.album_id = p.album_id AND q.id < p.id),"
        " (SELECT MAX(q.id) FROM photos q WHERE q.album_id = p.album_id AND q.id < p.id),"
        " (SELECT MIN(q.id) FROM photos q WHERE q.album_id = p.album_id AND q.id > p.id)"
        " FROM photos p LEFT JOIN events e ON e.album_id = p.album_id";

RecordJson::RecordJson(const ServiceDatabase &database, const QString &baseUrl)
    : m_database(database), m_base(baseUrl)
{
}

QJsonObject RecordJson::event(const QSqlQuery &row) const
{
    const qint64 id = row.value(0).toLongLong();
    const QString idText = QString::number(id);
    QJsonObject event {
        { "id", idText },
        { "alt", QStringLiteral("%1/event/%2/").arg(m_base, idText) },
        { "adapt_url", QStringLiteral("%1/m/event/%2/").arg(m_base, idText) },
        { "title", row.value(1).toString() },
        { "content", row.value(2).toString() },
        { "category", row.value(3).toString() },
        { "loc_id", row.value(4).toString() },
        { "loc_name", row.value(5).toString() },
        { "address", row.value(6).toString() },
        { "begin_time", row.value(7).toString() },
        { "end_time", row.value(8).toString() },
        { "owner", user(row.value(9).toLongLong()) },
        { "geo", QStringLiteral("%1 %2").arg(row.value(10).toDouble(), 0, 'f', 6)
                         .arg(row.value(11).toDouble(), 0, 'f', 6) },
        { "album", row.value(12).toString() },
        { "wisher_count", row.value(13).toInt() },
        { "participant_count", row.value(14).toInt() },
        { "icon", PictureEndpoints::posterUrl(m_base, id, QStringLiteral("sicon")) },
        { "image", PictureEndpoints::posterUrl(m_base, id, QStringLiteral("median")) },
        { "image_lmobile", PictureEndpoints::posterUrl(m_base, id, QStringLiteral("lmobile")) },
        { "image_hlarge", PictureEndpoints::posterUrl(m_base, id, QStringLiteral("hlarge")) },
        { "status", row.value(15).toString() },
    };
    if (!row.value(16).isNull())
        event.insert("participate_date", row.value(16).toString());
    return event;
}

QJsonObject RecordJson::user(qint64 userId) const
{
    QSqlQuery row = m_database.run(
            QStringLiteral("SELECT u.uid, u.name, u.signature, u.description, u.loc_id, l.name"
                           " FROM users u LEFT JOIN locs l ON l.id = u.loc_id WHERE u.id = ?"),
            { userId });
    if (!row.next())
        return {};
    const QString uid = row.value(0).toString();
    return { { "id", QString::number(userId) },
             { "uid", uid },
             { "name", row.value(1).toString() },
             { "avatar", PictureEndpoints::avatarUrl(m_base, userId) },
             { "alt", QStringLiteral("%1/people/%2/").arg(m_base, uid) },
             { "signature", row.value(2).toString() },
             { "desc", row.value(3).toString() },
             { "loc_id", row.value(4).toString() },
             { "loc_name", row.value(5).toString() } };
}

QJsonObject RecordJson::loc(const QSqlQuery &row) const
{
    return { { "id", row.value(0).toString() },
             { "parent", row.value(1).toString() },
             { "name", row.value(2).toString() },
             { "uid", row.value(3).toString() },
             { "habitable", row.value(4).toBool() } };
}

QJsonObject RecordJson::photo(const QSqlQuery &row) const
{
    const qint64 id = row.value(0).toLongLong();
    const QSize original(row.value(5).toInt(), row.value(6).toInt());
    QJsonObject sizes;
    QJsonObject photo { { "id", QString::number(id) },
                        { "alt", QStringLiteral("%1/photos/photo/%2/").arg(m_base).arg(id) },
                        { "desc", row.value(3).toString() },
                        { "privacy", QStringLiteral("public") },
                        { "created", row.value(4).toString() },
                        { "recs_count", row.value(7).toInt() },
                        { "liked_count", row.value(8).toInt() },
                        { "comments_count", row.value(9).toInt() },
                        { "position", row.value(11).toInt() },
                        { "author", user(row.value(2).toLongLong()) },
                        { "liked", false },
                        { "album_id", row.value(1).toString() },
                        { "album_title", row.value(10).toString() } };
    const std::pair<const char *, const char *> variants[] = {
        { "icon", "sicon" }, { "thumb", "thumb" }, { "cover", "cover" }, { "image", "large" }
    };
    for (const auto &[field, variant] : variants) {
        const QSize size = *PictureEndpoints::photoSize(QLatin1String(variant), original);
        photo.insert(QLatin1String(field),
                     PictureEndpoints::photoUrl(m_base, id, QLatin1String(variant)));
        sizes.insert(QLatin1String(field), QJsonArray { size.width(), size.height() });
    }
    photo.insert("sizes", sizes);
    if (!row.value(12).isNull())
        photo.insert("prev_photo", row.value(12).toString());
    if (!row.value(13).isNull())
        photo.insert("next_photo", row.value(13).toString());
    return photo;
}

QJsonArray RecordJson::photoUrls(qint64 albumId, int count) const
{
    QJsonArray urls;
    QSqlQuery rows = m_database.run(
            QStringLiteral("SELECT id FROM photos WHERE album_id = ? ORDER BY id LIMIT ?"),
            { albumId, count });
    while (rows.next())
        urls.append(PictureEndpoints::photoUrl(m_base, rows.value(0).toLongLong(),
                                               QStringLiteral("thumb")));
    return urls;
}
