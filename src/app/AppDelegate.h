#pragma once

#include "api/VELQuery.h"

#include <QObject>
#include <QUrl>
#include <QVariantMap>

#include <memory>

class TabBarController;
class VELSkin;

// The root of the running application: the launch sequence, the lifecycle callbacks, the push
// token and push delivery, and URLs handed over by other applications.
class AppDelegate : public QObject
{
    Q_OBJECT
public:
    struct Configuration
    {
        QString clientId;
        QString clientSecret;
        QString analyticsAppKey;
        int launchPauseMs = 1000;
    };
    static inline const QString kStatisticsAppName = QStringLiteral("Vidad_eZaved");

    explicit AppDelegate(const Configuration &configuration, QObject *parent = nullptr);
    ~AppDelegate() override;

    static AppDelegate *appDelegate();
    static bool networkAvaliable();

    // The launch sequence, in order; always true.
    bool didFinishLaunchingWithOptions(const QVariantMap &options);
    TabBarController *tabBarController() const { return m_tabs; }
    VELSkin *skin() const { return m_skin.get(); }
    QString eventId() const { return m_eventId; }
    int applicationIconBadgeNumber() const { return m_badge; }
    void setApplicationIconBadgeNumber(int badge) { m_badge = badge; }

    // Asks for push permission; the token arrives in didRegisterForRemoteNotificationsWithDeviceToken.
    Q_INVOKABLE void registerForRemoteNotification();
    void registerDeviceToken();
    void unregisterDeviceToken();
    void postDeviceToken(const VELQuery &query);
    void didRegisterForRemoteNotificationsWithDeviceToken(const QString &tokenDescription);
    void didFailToRegisterForRemoteNotificationsWithError(const QString &error);

    void didReceiveRemoteNotification(const QVariantMap &userInfo);
    void launchFromNotificationWith(const QVariantMap &userInfo);
    void clickNotification();

    bool openURL(const QUrl &url, const QString &sourceApplication);
    static QVariantMap parseQueryString(const QString &query);

    void didReceiveMemoryWarning();

    // A message from a later start: {"url": ..., "source": ...} or {"push": {...}}.
    void handleForwardedMessage(const QByteArray &message);

private:
    void initTabBarController();
    void observeLifecycle();

    Configuration m_configuration;
    std::unique_ptr<VELSkin> m_skin;
    TabBarController *m_tabs = nullptr;
    QString m_eventId;
    int m_badge = 0;
};
