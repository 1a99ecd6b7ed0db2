#pragma once

#include <QObject>
#include <QVariantMap>

// Turns Qt's application states into the application notifications of the platform, posted
// through the notification center: finished launching (posted by the application itself, with
// its launch options), will enter foreground, did become active, will resign active, did enter
// background, will terminate.
class ApplicationLifecycle : public QObject
{
    Q_OBJECT
public:
    static inline const QString kDidFinishLaunching =
            QStringLiteral("UIApplicationDidFinishLaunchingNotification");
    static inline const QString kWillEnterForeground =
            QStringLiteral("UIApplicationWillEnterForegroundNotification");
    static inline const QString kDidBecomeActive =
            QStringLiteral("UIApplicationDidBecomeActiveNotification");
    static inline const QString kWillResignActive =
            QStringLiteral("UIApplicationWillResignActiveNotification");
    static inline const QString kDidEnterBackground =
            QStringLiteral("UIApplicationDidEnterBackgroundNotification");
    static inline const QString kWillTerminate =
            QStringLiteral("UIApplicationWillTerminateNotification");
    // Keys of the launch options.
    static inline const QString kLaunchOptionsURLKey = QStringLiteral("UIApplicationLaunchOptionsURLKey");
    static inline const QString kLaunchOptionsSourceApplicationKey =
            QStringLiteral("UIApplicationLaunchOptionsSourceApplicationKey");
    static inline const QString kLaunchOptionsRemoteNotificationKey =
            QStringLiteral("UIApplicationLaunchOptionsRemoteNotificationKey");
    static inline const QString kLaunchOptionsLocalNotificationKey =
            QStringLiteral("UIApplicationLaunchOptionsLocalNotificationKey");

    // Follows the running GUI application's state from now on.
    static void install();
    static void finishLaunching(const QVariantMap &options);
    // Maps one change of state onto the notifications it means.
    static void stateChanged(Qt::ApplicationState from, Qt::ApplicationState to);
};
