#pragma once

#include <QString>

// Push registration on this machine: the installation's device token (32 random bytes, kept in
// the preferences), given as the system describes tokens: "<xxxxxxxx xxxxxxxx ...>". Payloads
// reach the running instance through its single-instance channel.
class PushNotifications
{
public:
    static QString deviceTokenDescription();

    static inline const QString kDeviceTokenKey = QStringLiteral("VELPushDeviceToken");
};
