#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>

// The logged-in user's tokens, kept in the preferences. Reading a field re-reads the preferences,
// so a change made there is seen at once; the setters change only the field until save().
class VELOAuthStore
{
public:
    static VELOAuthStore &sharedInstance();

    static inline const QString kAccessTokenKey
            = QStringLiteral("velari_userdefaults_access_token");
    static inline const QString kRefreshTokenKey
            = QStringLiteral("velari_userdefaults_refresh_token");
    static inline const QString kExpiresInKey = QStringLiteral("velari_userdefaults_expires_in");
    static inline const QString kUserIdKey = QStringLiteral("velari_userdefaults_user_id");

    VELOAuthStore();

    QString accessToken();
    QString refreshToken();
    QDateTime expiresIn();
    qint64 userId();
    void setAccessToken(const QString &token) { m_accessToken = token; }
    void setRefreshToken(const QString &token) { m_refreshToken = token; }
    void setExpiresIn(const QDateTime &moment) { m_expiresIn = moment; }
    void setUserId(qint64 userId) { m_userId = userId; }

    void updateWithUserDefaults();
    void updateWithSuccessDictionary(const QJsonObject &reply);
    void save();
    void clear();

    // Less than 30 minutes of validity left (or no expiry at all).
    bool hasExpired();
    // Less than a day left (or no expiry at all).
    bool shouldRefreshToken();

private:
    bool expiresWithin(qint64 seconds);

    QString m_accessToken;
    QString m_refreshToken;
    QDateTime m_expiresIn;
    qint64 m_userId = 0;
};
