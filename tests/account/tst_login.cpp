#include "StandIn.h"
#include "TestHome.h"
#include "account/LoginController.h"
#include "api/VELHosts.h"
#include "api/VELOAuthStore.h"
#include "api/VELService.h"
#include "platform/LocalizedStrings.h"
#include "platform/NotificationCenter.h"
#include "platform/PushNotifications.h"
#include "platform/Reachability.h"
#include "shell/Animator.h"
#include "shell/EVControllerFactory.h"
#include "shell/TabBarController.h"
#include "stat/VELMobileStatImp.h"
#include "storage/VELSettings.h"
#include "theme/VELSkinKeys.h"

#include <QDesktopServices>
#include <QSignalSpy>
#include <QTest>

// Receives the URLs the application hands to the system browser.
class Browser : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class tst_Login : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void goodLogin();
    void wrongPassword();
    void localChecks_data();
    void localChecks();
    void domainCompletion_data();
    void domainCompletion();
    void choosingASuggestion();
    void cancelWithBackToHot();
    void loginNameFillsTheAccount();
    void registrationPage();

private:
    LoginController *show(bool backToHot = false, const QString &name = QString());

    StandIn m_service;
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TabBarController> m_tabs;
};

void tst_Login::initTestCase()
{
    QVERIFY2(m_service.start(), qPrintable(m_service.errorOutput()));
}

void tst_Login::init()
{
    m_home = std::make_unique<TestHome>();
    m_service.configureClient();
    Reachability::sharedInstance().setOverride(Reachability::Status::ViaWiFi);
    Animator::setManual(true);
    m_tabs = std::make_unique<TabBarController>(QList<TabBarController::Tab> {
            { new EVBaseViewController, "A", kImageTabbarHotKey },
            { new EVBaseViewController, "B", kImageTabbarCategoryKey },
            { new EVBaseViewController, "C", kImageTabbarMyEventKey } });
    EVControllerFactory::sharedInstance().setTabBarController(m_tabs.get());
}

void tst_Login::cleanup()
{
    Animator::setManual(false);
    m_tabs.reset();
    VELMobileStatImp::sharedInstance().waitForNetworkQueue();
    m_home.reset();
}

LoginController *tst_Login::show(bool backToHot, const QString &name)
{
    return LoginController::showModal(m_tabs.get(), name, backToHot);
}

void tst_Login::goodLogin()
{
    QObject observer;
    int finished = 0;
    NotificationCenter::defaultCenter().addObserver(&observer, LoginController::kNotificationLoginFinishedKey,
                                                    [&finished](const auto &) { ++finished; });
    QSignalSpy push(&PushNotifications::instance(), &PushNotifications::registrationRequested);
    LoginController *login = show();
    QCOMPARE(m_tabs->modalController()->rootController(), login);
    login->setAccount("xiaoming@velari.com");
    login->setPassword("velari2026");
    login->login();
    QCOMPARE(login->overlayState(), EVBaseViewController::OverlayState::Loading);
    QCOMPARE(login->overlayText(), LocalizedStrings::text("lsLocalePromptLogining"));

    QTRY_VERIFY(!m_tabs->modalController());
    VELOAuthStore &store = VELOAuthStore::sharedInstance();
    QVERIFY(!store.accessToken().isEmpty());
    QCOMPARE(store.userId(), qint64(1001));
    QCOMPARE(VELService::sharedInstance().apiBaseUrlString(), VELHosts::apiBaseUrlString(true));
    QVERIFY(VELService::sharedInstance().apiBaseUrlString().startsWith("https://"));
    QCOMPARE(VELSettings::sharedInstance().username(), "xiaoming@velari.com");
    QCOMPARE(VELMobileStatImp::sharedInstance().userid(), "1001");
    QCOMPARE(push.count(), 1);
    // Posted once, after the screen went.
    QCOMPARE(finished, 0);
    Animator::runAll();
    QCOMPARE(finished, 1);
}

void tst_Login::wrongPassword()
{
    LoginController *login = show();
    login->setAccount("xiaoming@velari.com");
    login->setPassword("wrong-password");
    login->login();
    QTRY_COMPARE(login->overlayState(), EVBaseViewController::OverlayState::Error);
    QCOMPARE(login->overlayText(), LocalizedStrings::text("lsOAuthErrorUsernamePasswordMismatch"));
    QCOMPARE(m_tabs->modalController()->rootController(), login);
    QCOMPARE(login->account(), "xiaoming@velari.com");
    QCOMPARE(login->password(), "wrong-password");
    QVERIFY(VELOAuthStore::sharedInstance().accessToken().isEmpty());
}

void tst_Login::localChecks_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message"); // empty: accepted

    QTest::newRow("empty account") << "" << "secret" << "lsLocaleErrorLoginNeedEmailOrPhone";
    QTest::newRow("@ first") << "@velari.com" << "secret" << "lsLocaleErrorLoginNeedEmailOrPhone";
    QTest::newRow("@ last") << "xiaoming@" << "secret" << "lsLocaleErrorLoginNeedEmailOrPhone";
    QTest::newRow("no @, not a number") << "xiaoming" << "secret" << "lsLocaleErrorLoginNeedEmailOrPhone";
    QTest::newRow("empty password") << "a@b" << "" << "lsLocaleErrorLoginNoPassword";
    QTest::newRow("3 characters") << "a@b" << "abc" << "lsLocaleErrorLoginPasswordInvalid";
    QTest::newRow("4 characters") << "a@b" << "abcd" << "";
    QTest::newRow("phone number") << "13800138000" << "abcd" << "";
}

void tst_Login::localChecks()
{
    QFETCH(QString, account);
    QFETCH(QString, password);
    QFETCH(QString, message);

    Reachability::sharedInstance().setOverride(Reachability::Status::NotReachable);
    LoginController *login = show();
    login->setAccount(account);
    login->setPassword(password);
    login->login();
    if (message.isEmpty()) {
        QVERIFY(!m_tabs->currentAlert());
        // Past the checks: without a network it stops at the connection message, sending nothing.
        QCOMPARE(login->overlayText(), LocalizedStrings::text("lsConnectionFailureError"));
        return;
    }
    VELAlert *alert = m_tabs->currentAlert();
    QVERIFY(alert);
    QCOMPARE(alert->title(), LocalizedStrings::text("lsLocaleErrorLoginFailTitle"));
    QCOMPARE(alert->message(), LocalizedStrings::text(message.toLatin1().constData()));
    QCOMPARE(alert->buttons(), QStringList { "OK" });
    QCOMPARE(login->overlayState(), EVBaseViewController::OverlayState::Hidden);
}

void tst_Login::domainCompletion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("domains");
    QTest::addColumn<int>("rows");

    QTest::newRow("just @") << "xiaoming@" << LoginController::elementsArray().mid(0, 4) << 3;
    QTest::newRow("sina") << "li@sina" << QStringList({ "sina.com", "sina.cn", "vip.sina.com", "sina.com.cn" }) << 3;
    QTest::newRow("upper case typed") << "li@GMAIL" << QStringList({ "gmail.com" }) << 1;
    QTest::newRow("nothing matches") << "li@zzz" << QStringList() << 1;
    QTest::newRow("second @ ignored") << "li@126@qq" << QStringList({ "126.com", "vip.126.com" }) << 2;
    QTest::newRow("no @ yet") << "li" << QStringList() << 1;
}

void tst_Login::domainCompletion()
{
    QFETCH(QString, text);
    QFETCH(QStringList, domains);
    QFETCH(int, rows);

    QCOMPARE(LoginController::elementsArray().size(), 36);
    QCOMPARE(QSet<QString>(LoginController::elementsArray().cbegin(), LoginController::elementsArray().cend()).size(), 36);
    LoginController *login = show();
    login->accountEdited(text);
    QCOMPARE(login->account(), text);
    QCOMPARE(login->autoCompleteArray(), domains);
    QCOMPARE(login->suggestionsVisible(), !domains.isEmpty());
    QCOMPARE(login->suggestionRows(), rows);
    if (!domains.isEmpty())
        QCOMPARE(login->suggestions().first(), text.section('@', 0, 0) + '@' + domains.first());
}

void tst_Login::choosingASuggestion()
{
    LoginController *login = show();
    login->accountEdited("lily@16");
    QCOMPARE(login->suggestions().first(), "lily@163.com");
    login->chooseSuggestion(0);
    QCOMPARE(login->account(), "lily@163.com");
    QCOMPARE(login->focusedField(), LoginController::Field::Password);
    QVERIFY(!login->suggestionsVisible());
}

void tst_Login::cancelWithBackToHot()
{
    QObject observer;
    int finished = 0;
    NotificationCenter::defaultCenter().addObserver(&observer, LoginController::kNotificationLoginFinishedKey,
                                                    [&finished](const auto &) { ++finished; });
    m_tabs->setSelectedIndex(2);
    LoginController *login = show(true);
    QCOMPARE(login->leftButtonImage(), kImageNavbarCancelButtonKey);
    login->triggerLeftButton();
    QCOMPARE(m_tabs->selectedIndex(), 0);
    QVERIFY(!m_tabs->modalController());
    Animator::runAll();
    QCOMPARE(finished, 0);

    // Without the flag the tab stays.
    m_tabs->setSelectedIndex(1);
    show(false)->dismissLoginController();
    QCOMPARE(m_tabs->selectedIndex(), 1);
}

void tst_Login::loginNameFillsTheAccount()
{
    // The activation hand-off's alias, through the factory's presenter.
    EVControllerFactory::sharedInstance().setLoginPresenter(
            [](TabBarController *parent, bool backToHot, const QString &name) {
                if (name.isEmpty())
                    LoginController::showModal(parent, backToHot);
                else
                    LoginController::showModal(parent, name, backToHot);
            });
    EVControllerFactory::popLogoutControllerWithParentController(nullptr, QStringLiteral("li ming"));
    auto *login = qobject_cast<LoginController *>(m_tabs->modalController()->rootController());
    QVERIFY(login);
    QCOMPARE(login->account(), "li ming");
    login->dismissLoginController();

    // Otherwise the saved user name.
    VELSettings::sharedInstance().setUsername("lily@velari.com");
    EVControllerFactory::popLogoutControllerWithParentController(nullptr, true);
    login = qobject_cast<LoginController *>(m_tabs->modalController()->rootController());
    QCOMPARE(login->account(), "lily@velari.com");
    QVERIFY(login->isBackToHotWhenDismiss());
    EVControllerFactory::sharedInstance().setLoginPresenter({});
}

void tst_Login::registrationPage()
{
    Browser browser;
    QDesktopServices::setUrlHandler("http", &browser, "open");
    QDesktopServices::setUrlHandler("https", &browser, "open");
    show()->userRegister();
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(browser.opened.size(), 1);
    const QUrl page = browser.opened.first();
    QCOMPARE(page.path(), "/accounts/app/main");
    QCOMPARE(page.query(), "schema=velarilocation&app_name=Lunaro");
    QCOMPARE(page.toString().left(VELHosts::webBaseUrlString().size()), VELHosts::webBaseUrlString());
}

QTEST_MAIN(tst_Login)
#include "tst_login.moc"
