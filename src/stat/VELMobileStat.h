#pragma once

#include <QString>

#include <optional>

// The statistics library's public entry. Every operation catches whatever fails inside the
// library and logs it, so that statistics never break the application.
class VELMobileStat
{
public:
    // The channel is "VELPublishChannel" when set, else "AppStore"; report policy 1.
    static void startWithAppkey(const QString &appkey, const QString &appName);
    static void startWithAppkey(const QString &appkey, const QString &appName, int reportPolicy,
                                const QString &channelId);
    static void bindUser(const QString &userId, const QString &token);
    static void unBindUser();
    static void event(const QString &name);
    static void event(const QString &name, const QString &label);
    static void event(const QString &name, int acc);
    static void event(const QString &name, const std::optional<QString> &label, int acc);
    static void beginEvent(const QString &name, const std::optional<QString> &label = std::nullopt);
    static void endEvent(const QString &name, const std::optional<QString> &label = std::nullopt);
    static void enableCrashReport();
};
