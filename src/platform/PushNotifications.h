#pragma once

#include <QObject>
#include <QString>

// Push registration on this machine: the installation's device token (32 random bytes, kept in
// the preferences), given as the system describes tokens: "<xxxxxxxx xxxxxxxx ...>". A screen
// asks for permission with requestRegistration(); the application delegate answers it.
// Payloads reach the running instance through its single-instance channel.
class PushNotifications : public QObject
{
    Q_OBJECT
public:
    static PushNotifications &instance();
    static QString deviceTokenDescription();

    void requestRegistration() { emit registrationRequested(); }

    static inline const QString kDeviceTokenKey = QStringLiteral("VELPushDeviceToken");

signals:
    void registrationRequested();
};
