#include "TokenStore.h"

#include "ServiceDatabase.h"

#include <QDateTime>
#include <QRandomGenerator>

namespace {

QString randomToken()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(words), sizeof words).toHex());
}

qint64 now()
{
    return QDateTime::currentSecsSinceEpoch();
}

constexpr qint64 kCodeLifetime = 600;

} // namespace

TokenStore::TokenStore(ServiceDatabase &database, qint64 lifetimeSeconds)
    : m_database(database), m_lifetime(lifetimeSeconds)
{
}

TokenStore::Issued TokenStore::issue(qint64 userId, const QString &clientId)
{
    Issued issued { randomToken(), randomToken(), userId, m_lifetime };
    m_database.run(QStringLiteral("INSERT INTO tokens(access_token, refresh_token, user_id,"
                                  " client_id, expires_at) VALUES(?, ?, ?, ?, ?)"),
                   { issued.accessToken, issued.refreshToken, userId, clientId,
                     now() + m_lifetime });
    return issued;
}

TokenStore::Check TokenStore::check(const QString &accessToken, qint64 *userId) const
{
    QSqlQuery query = m_database.run(
            QStringLiteral("SELECT user_id, expires_at FROM tokens"
                           " WHERE access_token = ? AND revoked = 0"),
            { accessToken });
    if (!query.next())
        return Check::Unknown;
    if (query.value(1).toLongLong() <= now())
        return Check::Expired;
    *userId = query.value(0).toLongLong();
    return Check::Valid;
}

std::optional<qint64> TokenStore::redeemRefreshToken(const QString &refreshToken,
                                                     const QString &clientId)
{
    QSqlQuery query = m_database.run(
            QStringLiteral("SELECT user_id FROM tokens"
                           " WHERE refresh_token = ? AND client_id = ? AND revoked = 0"),
            { refreshToken, clientId });
    if (!query.next())
        return std::nullopt;
    const qint64 userId = query.value(0).toLongLong();
    m_database.run(QStringLiteral("UPDATE tokens SET revoked = 1 WHERE refresh_token = ?"),
                   { refreshToken });
    return userId;
}

QString TokenStore::issueCode(qint64 userId, const QString &clientId, const QString &redirectUri)
{
    const QString code = randomToken();
    m_database.run(QStringLiteral("INSERT INTO auth_codes(code, user_id, client_id, redirect_uri,"
                                  " expires_at) VALUES(?, ?, ?, ?, ?)"),
                   { code, userId, clientId, redirectUri, now() + kCodeLifetime });
    return code;
}

std::optional<qint64> TokenStore::redeemCode(const QString &code, const QString &clientId,
                                             const QString &redirectUri)
{
    QSqlQuery query = m_database.run(
            QStringLiteral("SELECT user_id, client_id, redirect_uri, expires_at FROM auth_codes"
                           " WHERE code = ?"),
            { code });
    if (!query.next())
        return std::nullopt;
    const qint64 userId = query.value(0).toLongLong();
    const bool matches = query.value(1).toString() == clientId
            && query.value(2).toString() == redirectUri && query.value(3).toLongLong() > now();
    query.finish();
    // A code is good for one exchange, whatever its outcome.
    m_database.run(QStringLiteral("DELETE FROM auth_codes WHERE code = ?"), { code });
    if (!matches)
        return std::nullopt;
    return userId;
}
