#include "AppDelegate.h"

#include "account/LoginController.h"
#include "api/VELHosts.h"
#include "api/VELOAuthStore.h"
#include "api/VELService.h"
#include "api/VelariQueryPeople.h"
#include "foundation/VELLogger.h"
#include "platform/ApplicationLifecycle.h"
#include "platform/LocalizedStrings.h"
#include "platform/NotificationCenter.h"
#include "platform/PushNotifications.h"
#include "platform/Reachability.h"
#include "shell/EVControllerFactory.h"
#include "shell/Shell.h"
#include "shell/TabBarController.h"
#include "stat/VELEventLogger.h"
#include "storage/AppContext.h"
#include "storage/VELSettings.h"
#include "theme/VELSkin.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>
#include <QTimer>

namespace {

AppDelegate *g_delegate = nullptr;

void trace(const char *function, int line, const QString &text)
{
    VELLogger::sharedLogger().logWithLevel(7, "TRACE %s(%d): %@", function, line, text);
}

} // namespace

AppDelegate::AppDelegate(const Configuration &configuration, QObject *parent)
    : QObject(parent), m_configuration(configuration)
{
    g_delegate = this;
}

AppDelegate::~AppDelegate()
{
    if (g_delegate == this)
        g_delegate = nullptr;
    EVControllerFactory::sharedInstance().setTabBarController(nullptr);
    Shell::instance().setTabBarController(nullptr);
    EVBaseViewController::setSkin(nullptr);
}

AppDelegate *AppDelegate::appDelegate()
{
    return g_delegate;
}

bool AppDelegate::networkAvaliable()
{
    return Reachability::sharedInstance().isReachable();
}

bool AppDelegate::didFinishLaunchingWithOptions(const QVariantMap &options)
{
    // The launch picture stays up a moment.
    if (m_configuration.launchPauseMs > 0)
        QThread::msleep(ulong(m_configuration.launchPauseMs));

    VELService &service = VELService::sharedInstance();
    service.setClientId(m_configuration.clientId);
    service.setClientSecret(m_configuration.clientSecret);
    const bool loggedIn = service.isValid();
    service.setApiBaseUrlString(VELHosts::apiBaseUrlString(loggedIn));
    if (loggedIn) {
        VELOAuthStore &store = VELOAuthStore::sharedInstance();
        VELEventLogger::setUserID(QString::number(store.userId()), store.accessToken());
    }
    VELEventLogger::startWithAppKey(m_configuration.clientId, kStatisticsAppName,
                                    m_configuration.analyticsAppKey, QString(), 1);

    m_skin = std::make_unique<VELDefaultSkin>();
    EVBaseViewController::setSkin(m_skin.get());
    initTabBarController();
    observeLifecycle();
    ApplicationLifecycle::finishLaunching(options);
    return true;
}

void AppDelegate::initTabBarController()
{
    EVControllerFactory &factory = EVControllerFactory::sharedInstance();
    auto rootOrPlaceholder = [](EVBaseViewController *root, const char *titleKey) {
        // A tab whose screen has not joined the application yet shows an empty screen.
        if (!root) {
            root = new EVBaseViewController;
            root->setTitle(LocalizedStrings::text(titleKey));
        }
        return root;
    };
    m_tabs = new TabBarController(
            { { rootOrPlaceholder(factory.hotEventsController(), "lsHotEventsTab"),
                LocalizedStrings::text("lsHotEventsTab"), kImageTabbarHotKey },
              { rootOrPlaceholder(factory.eventBrowseController(), "lsBrowseTab"),
                LocalizedStrings::text("lsBrowseTab"), kImageTabbarCategoryKey },
              { rootOrPlaceholder(factory.myEventsController(), "lsMyEventsTab"),
                LocalizedStrings::text("lsMyEventsTab"), kImageTabbarMyEventKey } },
            this);
    factory.setTabBarController(m_tabs);
    factory.setLoginPresenter([](TabBarController *parent, bool backToHot, const QString &loginName) {
        if (loginName.isEmpty())
            LoginController::showModal(parent, backToHot);
        else
            LoginController::showModal(parent, loginName, backToHot);
    });
    Shell::instance().setTabBarController(m_tabs);
}

void AppDelegate::observeLifecycle()
{
    connect(&PushNotifications::instance(), &PushNotifications::registrationRequested, this,
            &AppDelegate::registerForRemoteNotification, Qt::UniqueConnection);
    NotificationCenter &center = NotificationCenter::defaultCenter();
    center.addObserver(this, ApplicationLifecycle::kWillResignActive, [](const auto &) {
        trace(Q_FUNC_INFO, __LINE__, QStringLiteral("ResignActive"));
    });
    center.addObserver(this, ApplicationLifecycle::kDidEnterBackground, [](const auto &) {
        trace(Q_FUNC_INFO, __LINE__, QStringLiteral("DidEnterForeground"));
        AppContext::sharedInstance().setIsWeixinReqLaunch(false);
    });
    center.addObserver(this, ApplicationLifecycle::kWillEnterForeground, [this](const auto &) {
        trace(Q_FUNC_INFO, __LINE__, QStringLiteral("WillEnterForeground"));
        if (!VELSettings::sharedInstance().hasPostedDeviceToken() && VELService::sharedInstance().isValid())
            registerDeviceToken();
    });
    center.addObserver(this, ApplicationLifecycle::kDidBecomeActive, [](const auto &) {
        trace(Q_FUNC_INFO, __LINE__, QStringLiteral("BecomeActive"));
        VELSettings &settings = VELSettings::sharedInstance();
        if (!settings.hasAppstoreReview())
            settings.setNumberLaunch(settings.numberLaunch() + 1);
        VELEventLogger::event(QStringLiteral("OpenApplication"),
                              VELService::sharedInstance().isValid() ? QStringLiteral("login")
                                                                     : QStringLiteral("anonymous"));
    });
    center.addObserver(this, ApplicationLifecycle::kWillTerminate, [](const auto &) {
        trace(Q_FUNC_INFO, __LINE__, QStringLiteral("WillTerminate"));
    });
}

void AppDelegate::registerForRemoteNotification()
{
    // Granted at once here; the token comes back on a later turn, as the system would hand it.
    QTimer::singleShot(0, this, [this] {
        didRegisterForRemoteNotificationsWithDeviceToken(PushNotifications::deviceTokenDescription());
    });
}

void AppDelegate::registerDeviceToken()
{
    const QString token = VELSettings::sharedInstance().deviceToken();
    if (!token.isEmpty())
        postDeviceToken(VelariQueryPeople::queryForRegisterWithDeviceToken(token));
}

void AppDelegate::unregisterDeviceToken()
{
    const QString token = VELSettings::sharedInstance().deviceToken();
    if (!token.isEmpty())
        postDeviceToken(VelariQueryPeople::queryForUnregisterWithDeviceToken(token));
}

void AppDelegate::postDeviceToken(const VELQuery &query)
{
    VELService::sharedInstance().post(query, QString(), [](VELHttpRequest &request) {
        const int status = request.responseStatusCode();
        VELSettings &settings = VELSettings::sharedInstance();
        trace(Q_FUNC_INFO, __LINE__,
              QStringLiteral("Post deviceToken:%1, code:%2, req:%3")
                      .arg(settings.deviceToken())
                      .arg(status)
                      .arg(request.responseString()));
        settings.setHasPostedDeviceToken(status >= 200 && status <= 202);
    });
}

void AppDelegate::didRegisterForRemoteNotificationsWithDeviceToken(const QString &tokenDescription)
{
    QString token = tokenDescription;
    while (token.startsWith(QLatin1Char('<')) || token.startsWith(QLatin1Char('>')))
        token.remove(0, 1);
    while (token.endsWith(QLatin1Char('<')) || token.endsWith(QLatin1Char('>')))
        token.chop(1);
    token.remove(QLatin1Char(' '));
    VELSettings &settings = VELSettings::sharedInstance();
    settings.setDeviceToken(token);
    trace(Q_FUNC_INFO, __LINE__, QStringLiteral("deviceToken : %1").arg(token));
    if (!settings.hasPostedDeviceToken() && VELService::sharedInstance().isValid())
        registerDeviceToken();
}

void AppDelegate::didFailToRegisterForRemoteNotificationsWithError(const QString &error)
{
    trace(Q_FUNC_INFO, __LINE__, QStringLiteral("Error in remote notificatoin. Error: %1").arg(error));
    VELSettings::sharedInstance().setHasPostedDeviceToken(false);
}

void AppDelegate::didReceiveRemoteNotification(const QVariantMap &userInfo)
{
    m_badge = std::max(0, m_badge - 1);
    launchFromNotificationWith(userInfo);
}

void AppDelegate::launchFromNotificationWith(const QVariantMap &userInfo)
{
    VELEventLogger::event(QStringLiteral("Notification"), QStringLiteral("receive"));
    m_eventId = userInfo.value(QStringLiteral("eid")).toString();
    // Every system this runs on delivers the notification the user tapped: open it at once.
    clickNotification();
}

void AppDelegate::clickNotification()
{
    if (!m_tabs)
        return;
    m_tabs->setSelectedIndex(2);
    NavigationController *mine = m_tabs->viewControllers().value(2);
    if (!mine)
        return;
    mine->popToRoot(false);
    QMetaObject::invokeMethod(mine->rootController(), "enterFromNotificationWithEventId",
                              Q_ARG(QString, m_eventId));
}

QVariantMap AppDelegate::parseQueryString(const QString &query)
{
    return VELService::parseQueryString(query);
}

bool AppDelegate::openURL(const QUrl &url, const QString &sourceApplication)
{
    trace(Q_FUNC_INFO, __LINE__,
          QStringLiteral(":%1, url recieved: %2").arg(sourceApplication, url.toString()));
    // WeChat and Sina Weibo answer through their own clients, which join with sharing.
    if (sourceApplication == QLatin1String("com.tencent.xin")
        || sourceApplication == QLatin1String("com.sina.weibo"))
        return false;
    if (url.host() == QLatin1String("activated")) {
        const QVariantMap query = parseQueryString(url.query(QUrl::FullyEncoded));
        EVControllerFactory::popLogoutControllerWithParentController(
                m_tabs, query.value(QStringLiteral("alias")).toString());
    }
    return true;
}

void AppDelegate::didReceiveMemoryWarning()
{
    trace(Q_FUNC_INFO, __LINE__, QStringLiteral("ReceiveMemoryWarnin"));
    if (m_skin)
        m_skin->didReceiveMemoryWarning();
}

void AppDelegate::handleForwardedMessage(const QByteArray &message)
{
    const QJsonObject object = QJsonDocument::fromJson(message).object();
    if (object.contains(QStringLiteral("push")))
        didReceiveRemoteNotification(object.value(QStringLiteral("push")).toObject().toVariantMap());
    else if (object.contains(QStringLiteral("url")))
        openURL(QUrl(object.value(QStringLiteral("url")).toString()),
                object.value(QStringLiteral("source")).toString());
}
