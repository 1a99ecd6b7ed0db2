#pragma once

#include <QJsonObject>
#include <QSqlQuery>
#include <QString>

class ServiceDatabase;

// The JSON records the service answers with. Picture and page URLs are written against the
// address the client used.
class RecordJson
{
public:
    RecordJson(const ServiceDatabase &database, const QString &baseUrl);

    // The columns of `kEventColumns`, for the caller `me` (0 when anonymous).
    QJsonObject event(const QSqlQuery &row) const;
    QJsonObject user(qint64 userId) const;
    QJsonObject loc(const QSqlQuery &row) const; // the columns of `kLocColumns`
    QJsonObject photo(const QSqlQuery &row) const; // the columns of `kPhotoColumns`
    // Picture URLs of an event's first photos.
    QJsonArray photoUrls(qint64 albumId, int count) const;

    // SELECT ... FROM events e JOIN locs l LEFT JOIN relations r (bind the caller first).
    static const char *const kEventSelect;
    static const char *const kLocColumns;
    static const char *const kPhotoSelect;

private:
    const ServiceDatabase &m_database;
    QString m_base;
};
