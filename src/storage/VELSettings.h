#pragma once

#include <QString>

// The preferences of push registration, reminder frequency and the review invitation. Every
// accessor reads the preferences store at once; setters write it and flush.
class VELSettings
{
public:
    static VELSettings &sharedInstance();

    static constexpr int kNotificationNone = 0;
    static constexpr int kNotificationToday = 10;
    static constexpr int kNotificationOneDayBefore = 1;
    static constexpr int kNotificationTwoDaysBefore = 2;

    static inline const QString kNotificationFrequencyKey = QStringLiteral("NotificationFrequencyKey");
    static inline const QString kDeviceTokenKey = QStringLiteral("DeviceTokenKey");
    static inline const QString kUsernameKey = QStringLiteral("UsernameKey");
    static inline const QString kHasSavedDeviceTokenKey = QStringLiteral("HasSavedDeviceTokenKey");
    static inline const QString kPasswordKey = QStringLiteral("PasswordKey");
    static inline const QString kNumberLaunchKey = QStringLiteral("numberLaunchKey");
    static inline const QString kHasAppStoreReviewKey = QStringLiteral("hasAppStoreReviewKey");

    int notificationType() const;
    void setNotificationType(int type);
    QString deviceToken() const;
    void setDeviceToken(const QString &token);
    QString username() const;
    void setUsername(const QString &name);
    bool hasPostedDeviceToken() const;
    void setHasPostedDeviceToken(bool posted);
    int numberLaunch() const;
    void setNumberLaunch(int count);
    bool hasAppstoreReview() const;
    void setHasAppstoreReview(bool reviewed);

    // Forgets what belongs to the logged-in user; the device token and the user name stay.
    void clear();
};
