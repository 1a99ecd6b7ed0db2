#include "VELOAuthStore.h"

#include "platform/Clock.h"
#include "platform/Preferences.h"
#include "platform/SharedInstances.h"

namespace {

QDateTime momentFrom(const QVariant &stored)
{
    if (!stored.isValid())
        return {};
    bool ok = false;
    const double seconds = stored.toDouble(&ok);
    return ok ? QDateTime::fromMSecsSinceEpoch(qint64(seconds * 1000), Qt::UTC) : QDateTime();
}

qint64 integerOf(const QJsonValue &value)
{
    if (value.isString())
        return value.toString().trimmed().toLongLong();
    return qint64(value.toDouble());
}

} // namespace

VELOAuthStore &VELOAuthStore::sharedInstance()
{
    return SharedInstance<VELOAuthStore>::get();
}

VELOAuthStore::VELOAuthStore()
{
    updateWithUserDefaults();
}

QString VELOAuthStore::accessToken()
{
    m_accessToken = Preferences::standard().string(kAccessTokenKey);
    return m_accessToken;
}

QString VELOAuthStore::refreshToken()
{
    m_refreshToken = Preferences::standard().string(kRefreshTokenKey);
    return m_refreshToken;
}

QDateTime VELOAuthStore::expiresIn()
{
    m_expiresIn = momentFrom(Preferences::standard().value(kExpiresInKey));
    return m_expiresIn;
}

qint64 VELOAuthStore::userId()
{
    m_userId = Preferences::standard().integer(kUserIdKey);
    return m_userId;
}

void VELOAuthStore::updateWithUserDefaults()
{
    accessToken();
    refreshToken();
    expiresIn();
    userId();
}

void VELOAuthStore::updateWithSuccessDictionary(const QJsonObject &reply)
{
    const QJsonValue access = reply.value(u"access_token");
    const QJsonValue refresh = reply.value(u"refresh_token");
    m_accessToken = access.isString() ? access.toString() : QString();
    m_refreshToken = refresh.isString() ? refresh.toString() : QString();
    m_expiresIn = Clock::now().addSecs(integerOf(reply.value(u"expires_in")));
    m_userId = integerOf(reply.value(u"velari_user_id"));
    save();
}

void VELOAuthStore::save()
{
    Preferences &preferences = Preferences::standard();
    auto write = [&preferences](const QString &key, const QVariant &value, bool present) {
        if (present)
            preferences.setValue(key, value);
        else
            preferences.remove(key);
    };
    write(kAccessTokenKey, m_accessToken, !m_accessToken.isEmpty());
    write(kRefreshTokenKey, m_refreshToken, !m_refreshToken.isEmpty());
    write(kExpiresInKey, double(m_expiresIn.toMSecsSinceEpoch()) / 1000.0, m_expiresIn.isValid());
    preferences.setValue(kUserIdKey, m_userId);
    preferences.synchronize();
}

void VELOAuthStore::clear()
{
    Preferences &preferences = Preferences::standard();
    for (const QString &key : { kAccessTokenKey, kRefreshTokenKey, kExpiresInKey, kUserIdKey })
        preferences.remove(key);
    preferences.synchronize();
}

bool VELOAuthStore::expiresWithin(qint64 seconds)
{
    const QDateTime expiry = expiresIn();
    return !expiry.isValid() || Clock::now() >= expiry.addSecs(-seconds);
}

bool VELOAuthStore::hasExpired()
{
    return expiresWithin(1800);
}

bool VELOAuthStore::shouldRefreshToken()
{
    return expiresWithin(86400);
}
