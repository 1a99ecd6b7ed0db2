#include "TestHome.h"
#include "TestServer.h"
#include "api/VELHosts.h"
#include "api/VELOAuthStore.h"
#include "api/VELService.h"
#include "api/VelariQueryPeople.h"
#include "app/AppDelegate.h"
#include "platform/ApplicationLifecycle.h"
#include "platform/NotificationCenter.h"
#include "platform/Reachability.h"
#include "platform/SingleInstance.h"
#include "shell/EVControllerFactory.h"
#include "shell/TabBarController.h"
#include "stat/VELEventLogger.h"
#include "stat/VELMobileStatImp.h"
#include "stat/VELStatConfig.h"
#include "storage/VELSettings.h"
#include "theme/VELSkin.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The my-events screen as far as push delivery needs it.
class NotifiedScreen : public EVBaseViewController
{
    Q_OBJECT
public:
    QStringList eventIds;
public slots:
    void enterFromNotificationWithEventId(const QString &eventId) { eventIds << eventId; }
};

class tst_AppDelegate : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void launchChoosesTheBaseUrl_data();
    void launchChoosesTheBaseUrl();
    void deviceTokenIsTrimmed();
    void postedFlag_data();
    void postedFlag();
    void activatedUrlOpensTheLoginWithTheAlias();
    void pushOpensTheEventOnTheThirdTab();
    void activationsCountLaunches();
    void memoryWarningDropsThePictures();
    void laterStartsForwardTheirMessages();
    void screenshotsOfEveryTab();

private:
    std::unique_ptr<AppDelegate> launch();

    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TestServer> m_server;
};

void tst_AppDelegate::init()
{
    m_home = std::make_unique<TestHome>();
    m_server = std::make_unique<TestServer>();
    QVERIFY(m_server->listen());
    const QString base = m_server->url(QString()).toString();
    VELHosts::setOverride(base, base);
    m_server->route("GET", "/check", TestResponse::text("1"));
    VELEventLogger::resetForTesting();
    Reachability::sharedInstance().setOverride(Reachability::Status::NotReachable);
}

void tst_AppDelegate::cleanup()
{
    VELMobileStatImp::sharedInstance().waitForNetworkQueue();
    m_home.reset();
    m_server.reset();
}

std::unique_ptr<AppDelegate> tst_AppDelegate::launch()
{
    auto delegate = std::make_unique<AppDelegate>(AppDelegate::Configuration {
            "0b5fd1c7a3e94f2d8c6a1e0f7b3d9a42", "6f1c2e9a8b7d3c05", "5f2b8c1d9e7a6b4c3d2e1f00", 0 });
    delegate->didFinishLaunchingWithOptions({});
    return delegate;
}

void tst_AppDelegate::launchChoosesTheBaseUrl_data()
{
    QTest::addColumn<int>("hoursLeft"); // 0: no token
    QTest::addColumn<bool>("https");
    QTest::newRow("no login") << 0 << false;
    QTest::newRow("valid token") << 24 << true;
    QTest::newRow("token about to expire") << -1 << false;
}

void tst_AppDelegate::launchChoosesTheBaseUrl()
{
    QFETCH(int, hoursLeft);
    QFETCH(bool, https);
    if (hoursLeft != 0) {
        VELOAuthStore &store = VELOAuthStore::sharedInstance();
        store.setAccessToken("87f865c437cb35b43aa43e6a6fad47a5");
        store.setRefreshToken("r");
        store.setUserId(1001);
        store.setExpiresIn(QDateTime::currentDateTime().addSecs(hoursLeft * 3600));
        store.save();
    }
    const auto delegate = launch();
    QCOMPARE(VELService::sharedInstance().apiBaseUrlString(), VELHosts::apiBaseUrlString(https));
    QCOMPARE(VELService::sharedInstance().clientId(), "0b5fd1c7a3e94f2d8c6a1e0f7b3d9a42");
    QCOMPARE(VELMobileStatImp::sharedInstance().userid(), https ? QString("1001") : QString());
    QVERIFY(VELMobileStatImp::sharedInstance().isStarted());
    QCOMPARE(VELMobileStatImp::sharedInstance().appname(), "Vidad_eZaved");
    QVERIFY(delegate->skin());
    QCOMPARE(delegate->tabBarController()->viewControllers().size(), 3);
    QCOMPARE(AppDelegate::appDelegate(), delegate.get());
}

void tst_AppDelegate::deviceTokenIsTrimmed()
{
    const auto delegate = launch();
    delegate->didRegisterForRemoteNotificationsWithDeviceToken("<a1b2 c3d4>");
    QCOMPARE(VELSettings::sharedInstance().deviceToken(), "a1b2c3d4");
    // Not logged in: nothing is posted.
    QCOMPARE(m_server->requests().size(), 0);
    // This installation's own token, the same every time.
    delegate->registerForRemoteNotification();
    QTRY_COMPARE(VELSettings::sharedInstance().deviceToken().size(), 64);
    const QString token = VELSettings::sharedInstance().deviceToken();
    VELSettings::sharedInstance().setDeviceToken(QString());
    delegate->registerForRemoteNotification();
    QTRY_COMPARE(VELSettings::sharedInstance().deviceToken(), token);
    VELSettings::sharedInstance().setHasPostedDeviceToken(true);
    delegate->didFailToRegisterForRemoteNotificationsWithError("no push here");
    QVERIFY(!VELSettings::sharedInstance().hasPostedDeviceToken());
}

void tst_AppDelegate::postedFlag_data()
{
    QTest::addColumn<int>("status"); // 0: the connection drops
    QTest::addColumn<bool>("posted");
    for (int status : { 200, 201, 202 })
        QTest::addRow("%d", status) << status << true;
    for (int status : { 203, 400 })
        QTest::addRow("%d", status) << status << false;
    QTest::newRow("transport failure") << 0 << false;
}

void tst_AppDelegate::postedFlag()
{
    QFETCH(int, status);
    QFETCH(bool, posted);
    TestResponse answer = TestResponse::json("{}", status);
    answer.closeWithoutReply = status == 0;
    m_server->route("POST", "/v2/velari_event_app/register", answer);
    const auto delegate = launch();
    VELSettings::sharedInstance().setDeviceToken("a1b2c3d4");
    VELSettings::sharedInstance().setHasPostedDeviceToken(!posted);
    delegate->registerDeviceToken();
    QTRY_COMPARE(VELSettings::sharedInstance().hasPostedDeviceToken(), posted);
    const TestRequest request = m_server->requests().last();
    QCOMPARE(request.path(), "/v2/velari_event_app/register");
    QVERIFY(request.query().startsWith("token=a1b2c3d4"));
}

void tst_AppDelegate::activatedUrlOpensTheLoginWithTheAlias()
{
    const auto delegate = launch();
    const int before = EVControllerFactory::sharedInstance().lastLoginRequest().count;
    QVERIFY(delegate->openURL(QUrl("velari://activated?alias=li%20ming&x=1"), QString()));
    const auto request = EVControllerFactory::sharedInstance().lastLoginRequest();
    QCOMPARE(request.count, before + 1);
    QCOMPARE(request.loginName, "li ming");
    // Other hosts are accepted and change nothing.
    QVERIFY(delegate->openURL(QUrl("velari://elsewhere?alias=x"), QString()));
    QCOMPARE(EVControllerFactory::sharedInstance().lastLoginRequest().count, before + 1);
}

void tst_AppDelegate::pushOpensTheEventOnTheThirdTab()
{
    NotifiedScreen *mine = nullptr;
    EVControllerFactory::sharedInstance().registerScreen("myEventsController", [&mine] {
        mine = new NotifiedScreen;
        return mine;
    });
    const auto delegate = launch();
    QVERIFY(mine);
    NavigationController *third = delegate->tabBarController()->viewControllers().at(2);
    third->push(new EVBaseViewController);
    delegate->setApplicationIconBadgeNumber(3);
    delegate->didReceiveRemoteNotification(
            { { "aps", QVariantMap { { "alert", "话剧《茶馆》明天开演" } } }, { "eid", "20000003" } });
    QCOMPARE(delegate->eventId(), "20000003");
    QCOMPARE(delegate->applicationIconBadgeNumber(), 2);
    QCOMPARE(delegate->tabBarController()->selectedIndex(), 2);
    QCOMPARE(third->depth(), 1);
    QCOMPARE(mine->eventIds, QStringList { "20000003" });
    EVControllerFactory::sharedInstance().registerScreen("myEventsController", {});
}

void tst_AppDelegate::activationsCountLaunches()
{
    const auto delegate = launch();
    VELSettings &settings = VELSettings::sharedInstance();
    QCOMPARE(settings.numberLaunch(), -1);
    NotificationCenter::defaultCenter().postNotification(ApplicationLifecycle::kDidBecomeActive);
    QCOMPARE(settings.numberLaunch(), 0);
    NotificationCenter::defaultCenter().postNotification(ApplicationLifecycle::kDidBecomeActive);
    QCOMPARE(settings.numberLaunch(), 1);
    settings.setHasAppstoreReview(true);
    NotificationCenter::defaultCenter().postNotification(ApplicationLifecycle::kDidBecomeActive);
    QCOMPARE(settings.numberLaunch(), 1);
}

void tst_AppDelegate::memoryWarningDropsThePictures()
{
    const auto delegate = launch();
    delegate->skin()->imageWithKey(kImageTabbarHotKey);
    QCOMPARE(delegate->skin()->cachedImageCount(), 1);
    delegate->didReceiveMemoryWarning();
    QCOMPARE(delegate->skin()->cachedImageCount(), 0);
}

void tst_AppDelegate::laterStartsForwardTheirMessages()
{
    const QString name = SingleInstance::socketName("tst-appdelegate-" + QString::number(QCoreApplication::applicationPid()));
    SingleInstance running(name);
    QVERIFY(running.listen());
    SingleInstance later(name);
    QVERIFY(!later.listen());

    const auto delegate = launch();
    connect(&running, &SingleInstance::messageReceived, delegate.get(), &AppDelegate::handleForwardedMessage);
    const int before = EVControllerFactory::sharedInstance().lastLoginRequest().count;
    const QByteArray url = "{\"url\":\"velari://activated?alias=wang\"}";
    QVERIFY(SingleInstance::send(name, url));
    QTRY_COMPARE(EVControllerFactory::sharedInstance().lastLoginRequest().count, before + 1);
    QCOMPARE(EVControllerFactory::sharedInstance().lastLoginRequest().loginName, "wang");
    const QByteArray push = "{\"push\":{\"eid\":\"20000009\"}}";
    QVERIFY(SingleInstance::send(name, push));
    QTRY_COMPARE(delegate->eventId(), "20000009");
}

void tst_AppDelegate::screenshotsOfEveryTab()
{
    QTemporaryDir directory;
    QProcess application;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VELARI_HOME", directory.filePath("home"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    application.setProcessEnvironment(environment);
    application.start(QStringLiteral(VELARI_EVENTS_PATH),
                      { "--screenshot", directory.filePath("shots"), "--service", "http://127.0.0.1:1" });
    QVERIFY(application.waitForFinished(60000));
    QCOMPARE(application.exitCode(), 0);
    for (const char *name : { "tab-0", "tab-1", "tab-2", "login" }) {
        const QString tab = QLatin1String(name);
        const QImage shot(directory.filePath(QStringLiteral("shots/%1.png").arg(tab)));
        QVERIFY2(!shot.isNull(), qPrintable(tab));
        QCOMPARE(shot.width(), 320);
        // Not blank: the bar, the page and the tab bar differ.
        QSet<QRgb> colours;
        for (int y = 0; y < shot.height(); y += 7)
            colours.insert(shot.pixel(shot.width() / 2, y));
        QVERIFY2(colours.size() > 3, qPrintable(tab));
    }
}

QTEST_MAIN(tst_AppDelegate)
#include "tst_appdelegate.moc"
