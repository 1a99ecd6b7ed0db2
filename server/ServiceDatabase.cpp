#include "ServiceDatabase.h"

#include <QSqlError>
#include <QUuid>

namespace {

const char *const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT)",
    "CREATE TABLE IF NOT EXISTS clients(client_id TEXT PRIMARY KEY, secret TEXT NOT NULL,"
    " redirect_uri TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS locs(id TEXT PRIMARY KEY, parent TEXT, name TEXT NOT NULL,"
    " uid TEXT NOT NULL, habitable INTEGER NOT NULL, lat REAL, lng REAL, position INTEGER)",
    "CREATE TABLE IF NOT EXISTS users(id INTEGER PRIMARY KEY, uid TEXT UNIQUE NOT NULL,"
    " name TEXT NOT NULL, email TEXT UNIQUE, password_salt BLOB, password_hash BLOB,"
    " blocked INTEGER NOT NULL DEFAULT 0, signature TEXT, description TEXT, loc_id TEXT,"
    " pinyin TEXT, notification_type INTEGER NOT NULL DEFAULT 1)",
    "CREATE TABLE IF NOT EXISTS events(id INTEGER PRIMARY KEY, title TEXT NOT NULL,"
    " content TEXT, category TEXT NOT NULL, loc_id TEXT NOT NULL, district_id TEXT,"
    " address TEXT, begin_time TEXT NOT NULL, end_time TEXT NOT NULL, owner_id INTEGER,"
    " lat REAL, lng REAL, album_id INTEGER UNIQUE, wisher_base INTEGER NOT NULL DEFAULT 0,"
    " participant_base INTEGER NOT NULL DEFAULT 0, poster_style INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX IF NOT EXISTS events_loc ON events(loc_id, begin_time)",
    "CREATE TABLE IF NOT EXISTS relations(user_id INTEGER NOT NULL, event_id INTEGER NOT NULL,"
    " status TEXT NOT NULL, participate_date TEXT, updated TEXT NOT NULL,"
    " PRIMARY KEY(user_id, event_id))",
    "CREATE INDEX IF NOT EXISTS relations_event ON relations(event_id, status)",
    "CREATE TABLE IF NOT EXISTS photos(id INTEGER PRIMARY KEY, album_id INTEGER NOT NULL,"
    " author_id INTEGER NOT NULL, description TEXT, created TEXT NOT NULL,"
    " width INTEGER NOT NULL, height INTEGER NOT NULL, uploaded INTEGER NOT NULL DEFAULT 0,"
    " recs_count INTEGER NOT NULL DEFAULT 0, liked_count INTEGER NOT NULL DEFAULT 0,"
    " comments_count INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX IF NOT EXISTS photos_album ON photos(album_id, id)",
    "CREATE TABLE IF NOT EXISTS orders(id INTEGER PRIMARY KEY, user_id INTEGER NOT NULL,"
    " event_id INTEGER NOT NULL, status INTEGER NOT NULL, kind_name TEXT, name TEXT,"
    " price REAL, original_price REAL, num INTEGER NOT NULL, code TEXT, phone TEXT,"
    " begin_time TEXT, end_time TEXT)",
    "CREATE TABLE IF NOT EXISTS follows(follower_id INTEGER NOT NULL,"
    " followee_id INTEGER NOT NULL, PRIMARY KEY(follower_id, followee_id))",
    "CREATE TABLE IF NOT EXISTS tokens(access_token TEXT PRIMARY KEY,"
    " refresh_token TEXT UNIQUE NOT NULL, user_id INTEGER NOT NULL, client_id TEXT NOT NULL,"
    " expires_at INTEGER NOT NULL, revoked INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE IF NOT EXISTS auth_codes(code TEXT PRIMARY KEY, user_id INTEGER NOT NULL,"
    " client_id TEXT NOT NULL, redirect_uri TEXT NOT NULL, expires_at INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS devices(token TEXT PRIMARY KEY, user_id INTEGER,"
    " registered INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS stat_uploads(id INTEGER PRIMARY KEY, kind TEXT NOT NULL,"
    " received TEXT NOT NULL, app_name TEXT, apikey TEXT, userid TEXT, token TEXT, did TEXT,"
    " identity TEXT, info TEXT, payload TEXT, events INTEGER NOT NULL)",
    "CREATE TABLE IF NOT EXISTS statuses(id INTEGER PRIMARY KEY, user_id INTEGER NOT NULL,"
    " text TEXT NOT NULL, target_type TEXT, object_kind TEXT, created TEXT NOT NULL)",
};

const char *const kTables[] = { "meta",   "clients", "locs",       "users",   "events",
                                "relations", "photos", "orders",    "follows", "tokens",
                                "auth_codes", "devices", "statuses", "stat_uploads" };

} // namespace

ServiceDatabase::ServiceDatabase()
    : m_connectionName(QStringLiteral("velari-server-") + QUuid::createUuid().toString())
{
}

ServiceDatabase::~ServiceDatabase()
{
    if (m_db.isValid())
        m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool ServiceDatabase::open(const QString &path, bool reset)
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    m_db.setDatabaseName(path);
    if (!m_db.open()) {
        m_error = m_db.lastError().text();
        return false;
    }
    if (!exec(QStringLiteral("PRAGMA journal_mode=WAL"))
        || !exec(QStringLiteral("PRAGMA synchronous=NORMAL")))
        return false;
    if (reset) {
        for (const char *table : kTables) {
            if (!exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(QLatin1String(table))))
                return false;
        }
    }
    for (const char *statement : kSchema) {
        if (!exec(QLatin1String(statement)))
            return false;
    }
    return true;
}

bool ServiceDatabase::exec(const QString &sql)
{
    QSqlQuery query(m_db);
    if (!query.exec(sql)) {
        m_error = query.lastError().text();
        return false;
    }
    return true;
}

QSqlQuery ServiceDatabase::run(const QString &sql, std::initializer_list<QVariant> values) const
{
    return run(sql, QVariantList(values));
}

QSqlQuery ServiceDatabase::run(const QString &sql, const QVariantList &values) const
{
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        qWarning("velari-server: %s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        return query;
    }
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        qWarning("velari-server: %s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return query;
}

std::optional<QVariant> ServiceDatabase::scalar(const QString &sql,
                                                std::initializer_list<QVariant> values) const
{
    QSqlQuery query = run(sql, values);
    if (query.isActive() && query.next())
        return query.value(0);
    return std::nullopt;
}

QString ServiceDatabase::metaValue(const QString &key) const
{
    return scalar(QStringLiteral("SELECT value FROM meta WHERE key = ?"), { key })
            .value_or(QVariant())
            .toString();
}

void ServiceDatabase::setMetaValue(const QString &key, const QString &value)
{
    run(QStringLiteral("INSERT OR REPLACE INTO meta(key, value) VALUES(?, ?)"), { key, value });
}
