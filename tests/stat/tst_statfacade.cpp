#include "TestHome.h"
#include "api/VELHosts.h"
#include "platform/ApplicationLifecycle.h"
#include "platform/NotificationCenter.h"
#include "platform/Preferences.h"
#include "platform/PropertyList.h"
#include "platform/Reachability.h"
#include "platform/SharedInstances.h"
#include "stat/VELAnalyticsSDK.h"
#include "stat/VELEventLogger.h"
#include "stat/VELMobileStatDefaultValues.h"
#include "stat/VELMobileStatEventStorage.h"
#include "stat/VELMobileStatImp.h"
#include "stat/HalvornConnection.h"
#include "stat/VELStatConfig.h"
#include "stat/VELStatInfo.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTest>
#include <QUrl>

namespace {

// Every stored event of a kind, as (name, label) pairs, oldest first.
QList<QPair<QString, QString>> stored(bool importantKind)
{
    VELMobileStatEventStorage &storage = VELMobileStatEventStorage::sharedInstance();
    storage.waitForWrites();
    const QStringList files = importantKind ? storage.sortedPathsOfImportantLogFilesByTimeIncrease()
                                            : storage.sortedPathsOfNormalLogFilesByTimeIncrease();
    QList<QPair<QString, QString>> events;
    for (const QString &path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QVariant &event : PropertyList::fromXml(file.readAll()).value_or(QVariant()).toList()) {
            const QVariantMap map = event.toMap();
            events.append({ map.value("nm").toString(),
                             map.contains("lb") ? map.value("lb").toString() : QStringLiteral("<none>") });
        }
    }
    return events;
}

const QString kKey = QStringLiteral("0b5fd1c7a3e94f2d8c6a1e0f7b3d9a42");

} // namespace

class tst_StatFacade : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsOnce();
    void analyticsPolicyCodes_data();
    void analyticsPolicyCodes();
    void launchLabels_data();
    void launchLabels();
    void firstLaunchOnlyOnce();
    void kindsAndTheEventsBeforeStart();
    void backgroundRecordsTrimsAndTheirNotices();
    void userBinding();
    void lifecycleStates_data();
    void lifecycleStates();
    void platformNames_data();
    void platformNames();
    void urlEncoding();

private:
    std::unique_ptr<TestHome> m_home;
};

void tst_StatFacade::init()
{
    m_home = std::make_unique<TestHome>();
    VELEventLogger::resetForTesting();
    // A host that refuses at once: the start's service check fails quickly and changes nothing.
    VELHosts::setOverride("http://127.0.0.1:1", "https://127.0.0.1:1");
    // No uploads here: the host is not reachable, and nothing is checked.
    Reachability::sharedInstance().setOverride(Reachability::Status::NotReachable);
    VELStatConfig::localConfig().setServiceAvailable(false);
}

void tst_StatFacade::cleanup()
{
    VELMobileStatImp::sharedInstance().waitForNetworkQueue();
    m_home.reset();
}

void tst_StatFacade::startsOnce()
{
    VELEventLogger::startWithAppKey(kKey, "Vidad_eZaved", "5f2b8c1d9e7a6b4c3d2e1f00", QString(), 1);
    VELEventLogger::startWithAppKey("ffffffffffffffffffffffffffffffff", "Other", "x", "y", 3);
    VELMobileStatImp &engine = VELMobileStatImp::sharedInstance();
    QVERIFY(engine.isStarted());
    QCOMPARE(engine.apikey(), kKey);
    QCOMPARE(engine.appname(), "Vidad_eZaved");
    QCOMPARE(engine.channel(), "AppStore");
    QCOMPARE(engine.strategy(), 1);
    VELAnalyticsSDK &sdk = VELAnalyticsSDK::sharedInstance();
    QCOMPARE(sdk.startCount(), 1);
    QCOMPARE(sdk.appKey(), "5f2b8c1d9e7a6b4c3d2e1f00");
    QCOMPARE(sdk.reportPolicy(), 1);
    QCOMPARE(sdk.channelId(), "AppStore"); // the publish channel wins over the argument

    VELEventLogger::event("HotEventsPage", "Refresh");
    QCOMPARE(sdk.calls().size(), 1);
    QCOMPARE(sdk.calls().first().name, "HotEventsPage");
    QCOMPARE(sdk.calls().first().label.value_or(QString()), "Refresh");
    QCOMPARE(stored(false), (QList<QPair<QString, QString>> { { "HotEventsPage", "Refresh" } }));
}

void tst_StatFacade::analyticsPolicyCodes_data()
{
    QTest::addColumn<int>("policy");
    QTest::addColumn<int>("code");
    const int codes[] = { 1, 0, 5, 0, 0, 0, 0 };
    for (int policy = 1; policy <= 7; ++policy)
        QTest::addRow("%d", policy) << policy << codes[policy - 1];
}

void tst_StatFacade::analyticsPolicyCodes()
{
    QFETCH(int, policy);
    QFETCH(int, code);
    VELEventLogger::startWithAppKey(kKey, "Vidad_eZaved", "k", QString(), policy);
    QCOMPARE(VELAnalyticsSDK::sharedInstance().reportPolicy(), code);
    QCOMPARE(VELMobileStatImp::sharedInstance().strategy(), 1);
}

void tst_StatFacade::launchLabels_data()
{
    QTest::addColumn<QVariantMap>("options");
    QTest::addColumn<QString>("label");

    QTest::newRow("nothing") << QVariantMap() << "";
    QTest::newRow("url and a long source")
            << QVariantMap { { ApplicationLifecycle::kLaunchOptionsURLKey, QUrl("velari://open?a=1") },
                             { ApplicationLifecycle::kLaunchOptionsSourceApplicationKey, "com.tencent.xin" } }
            << "query=a=1|source=com.tencent.xin|";
    QTest::newRow("short source left out")
            << QVariantMap { { ApplicationLifecycle::kLaunchOptionsURLKey, QUrl("velari://open?a=1") },
                             { ApplicationLifecycle::kLaunchOptionsSourceApplicationKey, "com.weibo" } }
            << "query=a=1|";
    QTest::newRow("notifications")
            << QVariantMap { { ApplicationLifecycle::kLaunchOptionsRemoteNotificationKey, QVariantMap() },
                             { ApplicationLifecycle::kLaunchOptionsLocalNotificationKey, QVariantMap() } }
            << "notification=remote|notification=local|";
}

void tst_StatFacade::launchLabels()
{
    QFETCH(QVariantMap, options);
    QFETCH(QString, label);
    QCOMPARE(VELMobileStatImp::launchLabel(options), label);
}

void tst_StatFacade::firstLaunchOnlyOnce()
{
    VELEventLogger::startWithAppKey(kKey, "Vidad_eZaved", "k", QString(), 1);
    ApplicationLifecycle::finishLaunching({});
    QCOMPARE(stored(true), (QList<QPair<QString, QString>> { { "appFirstLaunch", "" }, { "appLaunch", "" } }));

    // The next run.
    SharedInstance<VELMobileStatImp>::reset();
    SharedInstance<VELMobileStatEventStorage>::reset();
    VELEventLogger::resetForTesting();
    VELEventLogger::startWithAppKey(kKey, "Vidad_eZaved", "k", QString(), 1);
    ApplicationLifecycle::finishLaunching({});
    QCOMPARE(stored(true).size(), 3);
    QCOMPARE(stored(true).last(), qMakePair(QString("appLaunch"), QString("")));
    QVERIFY(Preferences::standard().contains(VELMobileStatDefaultValues::kFirstLaunchKey));
}

void tst_StatFacade::kindsAndTheEventsBeforeStart()
{
    VELEventLogger::event("HotEventsPage", "Refresh"); // no key yet: dropped
    VELEventLogger::startWithAppKey(kKey, "Vidad_eZaved", "k", QString(), 1);
    VELEventLogger::event("appLaunch", "from a screen");
    VELEventLogger::event("MyEventsPage");
    QCOMPARE(stored(true), (QList<QPair<QString, QString>> { { "appLaunch", "from a screen" } }));
    QCOMPARE(stored(false), (QList<QPair<QString, QString>> { { "MyEventsPage", "<none>" } }));
}

void tst_StatFacade::backgroundRecordsTrimsAndTheirNotices()
{
    VELEventLogger::startWithAppKey(kKey, "Vidad_eZaved", "k", QString(), 1);
    // Twelve normal files.
    VELMobileStatEventStorage &storage = VELMobileStatEventStorage::sharedInstance();
    for (int i = 0; i < 12; ++i) {
        VELEventLogger::event("SettingsPage", QString::number(i));
        storage.waitForWrites();
        storage.addSendingPath(storage.sortedPathsOfNormalLogFilesByTimeIncrease().last());
    }
    NotificationCenter::defaultCenter().postNotification(ApplicationLifecycle::kDidEnterBackground);
    const auto important = stored(true);
    QCOMPARE(important.size(), 2);
    QCOMPARE(important.at(0), qMakePair(QString("appTerminal"), QString("background")));
    QCOMPARE(important.at(1), qMakePair(QString("event_file_deleted"), QString("n_2")));
    QCOMPARE(storage.sortedPathsOfNormalLogFilesByTimeIncrease().size(), 10);

    NotificationCenter::defaultCenter().postNotification(ApplicationLifecycle::kWillTerminate);
    QCOMPARE(stored(true).last(), qMakePair(QString("appTerminal"), QString("<none>")));
}

void tst_StatFacade::userBinding()
{
    VELEventLogger::setUserID("1001", "87f865c437cb35b43aa43e6a6fad47a5");
    VELMobileStatImp &engine = VELMobileStatImp::sharedInstance();
    QCOMPARE(engine.userid(), "1001");
    QCOMPARE(engine.md5Token(),
             QCryptographicHash::hash("87f865c437cb35b43aa43e6a6fad47a5", QCryptographicHash::Md5).toHex());
    VELEventLogger::unbindUser();
    QVERIFY(engine.userid().isEmpty());
    QVERIFY(engine.md5Token().isEmpty());
}

void tst_StatFacade::lifecycleStates_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("notifications");
    using L = ApplicationLifecycle;
    QTest::newRow("focus lost") << int(Qt::ApplicationActive) << int(Qt::ApplicationInactive)
                                << QStringList { L::kWillResignActive };
    QTest::newRow("focus back") << int(Qt::ApplicationInactive) << int(Qt::ApplicationActive)
                                << QStringList { L::kDidBecomeActive };
    QTest::newRow("hidden") << int(Qt::ApplicationActive) << int(Qt::ApplicationHidden)
                            << QStringList { L::kWillResignActive, L::kDidEnterBackground };
    QTest::newRow("shown again") << int(Qt::ApplicationHidden) << int(Qt::ApplicationActive)
                                 << QStringList { L::kWillEnterForeground, L::kDidBecomeActive };
    QTest::newRow("suspended to hidden") << int(Qt::ApplicationSuspended) << int(Qt::ApplicationHidden)
                                         << QStringList();
}

void tst_StatFacade::lifecycleStates()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, notifications);
    QObject owner;
    QStringList seen;
    for (const QString &name : { ApplicationLifecycle::kWillResignActive, ApplicationLifecycle::kDidBecomeActive,
                                 ApplicationLifecycle::kDidEnterBackground,
                                 ApplicationLifecycle::kWillEnterForeground }) {
        NotificationCenter::defaultCenter().addObserver(&owner, name,
                                                        [&seen, name](const auto &) { seen << name; });
    }
    ApplicationLifecycle::stateChanged(Qt::ApplicationState(from), Qt::ApplicationState(to));
    QCOMPARE(seen, notifications);
}

void tst_StatFacade::platformNames_data()
{
    QTest::addColumn<QString>("machine");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("name");
    QTest::newRow("exact") << "iPhone1,2" << 320 << "iPhone 3G";
    QTest::newRow("prefix") << "iPhone4,1" << 320 << "iPhone 4S";
    QTest::newRow("unknown iPad") << "iPad9,1" << 768 << "Unknown iPad";
    QTest::newRow("x86_64 narrow") << "x86_64" << 320 << "iPhone Simulator";
    QTest::newRow("i386 wide") << "i386" << 1024 << "iPad Simulator";
    QTest::newRow("anything else") << "aarch64" << 320 << "Unknown iOS device";
}

void tst_StatFacade::platformNames()
{
    QFETCH(QString, machine);
    QFETCH(int, width);
    QFETCH(QString, name);
    QCOMPARE(VELStatInfo::platformString(machine, width), name);
}

void tst_StatFacade::urlEncoding()
{
    QCOMPARE(HalvornConnection::URLEncoded("a b&c=d~e_f.g-h/中"), "a%20b%26c%3Dd~e_f.g-h%2F%E4%B8%AD");
}

QTEST_GUILESS_MAIN(tst_StatFacade)
#include "tst_statfacade.moc"
