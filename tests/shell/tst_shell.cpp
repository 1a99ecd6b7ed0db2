#include "TestHome.h"
#include "api/VELEvent.h"
#include "api/VELHttpRequest.h"
#include "platform/LocalizedStrings.h"
#include "shell/Animator.h"
#include "shell/EVControllerFactory.h"
#include "shell/TabBarController.h"
#include "storage/AppContext.h"
#include "theme/VELSkinKeys.h"

#include <QSignalSpy>
#include <QTest>

class tst_Shell : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void errorTable_data();
    void errorTable();
    void noErrorShowsNothing();
    void locationCheck_data();
    void locationCheck();
    void overlayStatesHideThemselves();
    void countBannerTimings();
    void navigationStack();
    void alertButtonIndices();
    void factoryContexts();

private:
    std::unique_ptr<TestHome> m_home;
    int m_sinaInvalidations = 0;
};

void tst_Shell::init()
{
    m_home = std::make_unique<TestHome>();
    Animator::setManual(true);
    m_sinaInvalidations = 0;
    EVBaseViewController::setSinaCredentialInvalidator([this] { ++m_sinaInvalidations; });
}

void tst_Shell::cleanup()
{
    EVBaseViewController::setSinaCredentialInvalidator({});
    Animator::setManual(false);
    m_home.reset();
}

void tst_Shell::errorTable_data()
{
    QTest::addColumn<QString>("domain");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message"); // empty: the login screen instead
    QTest::addColumn<int>("sinaInvalidations");

    const QString location = EVBaseViewController::kLocationErrorDomain;
    const QString http = VELHttpRequest::kErrorDomain;
    const QString oauth = VELHttpRequest::kOAuthErrorDomain;
    const QString sina = EVBaseViewController::kSinaErrorDomain;
    QTest::newRow("location denied") << location << 1 << "lsCLErrorDenied" << 0;
    QTest::newRow("location network") << location << 2 << "lsCLErrorNetwork" << 0;
    QTest::newRow("location other") << location << 0 << "lsCLErrorUnknowLocation" << 0;
    QTest::newRow("authentication needed") << http << 3 << "" << 0;
    QTest::newRow("timed out") << http << 2 << "lsRequestTimedOutError" << 0;
    QTest::newRow("connection failure") << http << 1 << "lsConnectionFailureError" << 0;
    QTest::newRow("other transport") << http << 4 << "lsHttpError" << 0;
    for (int code : { 103, 106, 108, 109, 119, 123 })
        QTest::addRow("token %d", code) << oauth << code << "" << 0;
    QTest::newRow("redirect uri") << oauth << 107 << "lsOAuthErrorInvalidRequestUri" << 0;
    QTest::newRow("password mismatch") << oauth << 120 << "lsOAuthErrorUsernamePasswordMismatch" << 0;
    QTest::newRow("invalid user") << oauth << 121 << "lsOAuthErrorInvalidUser" << 0;
    QTest::newRow("blocked") << oauth << 122 << "lsOAuthErrorUserHasBlocked" << 0;
    QTest::newRow("other oauth") << oauth << 1000 << "lsOAuthError" << 0;
    for (int code : { 21315, 21327, 21332 })
        QTest::addRow("sina %d", code) << sina << code << "lsSinaweiboKeyExpired" << 1;
    QTest::newRow("sina other") << sina << 21316 << "lsUnknowError" << 0;
    QTest::newRow("service") << VELHttpRequest::kVelariErrorDomain << 0 << "lsOtherError" << 0;
    QTest::newRow("any other domain") << "SomeDomain" << 5 << "lsUnknowError" << 0;
}

void tst_Shell::errorTable()
{
    QFETCH(QString, domain);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(int, sinaInvalidations);

    EVBaseViewController screen;
    const int loginsBefore = EVControllerFactory::sharedInstance().lastLoginRequest().count;
    screen.handleError(VELError { domain, code, {} });
    const int logins = EVControllerFactory::sharedInstance().lastLoginRequest().count - loginsBefore;
    if (message.isEmpty()) {
        QCOMPARE(logins, 1);
        QVERIFY(!EVControllerFactory::sharedInstance().lastLoginRequest().backToHot);
        QCOMPARE(screen.overlayState(), EVBaseViewController::OverlayState::Hidden);
    } else {
        QCOMPARE(logins, 0);
        QCOMPARE(screen.overlayState(), EVBaseViewController::OverlayState::Error);
        QCOMPARE(screen.overlayText(), LocalizedStrings::text(message.toLatin1().constData()));
    }
    QCOMPARE(m_sinaInvalidations, sinaInvalidations);
}

void tst_Shell::noErrorShowsNothing()
{
    EVBaseViewController screen;
    QSignalSpy overlay(&screen, &EVBaseViewController::overlayChanged);
    screen.handleError(std::nullopt);
    QCOMPARE(overlay.count(), 0);
}

void tst_Shell::locationCheck_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<bool>("available");
    QTest::newRow("known") << 39.9 << 116.4 << true;
    QTest::newRow("longitude too small") << 39.9 << 0.0000005 << false;
    QTest::newRow("western") << 40.7 << -74.0 << false;
    QTest::newRow("never known") << 0.0 << 0.0 << false;
}

void tst_Shell::locationCheck()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(bool, available);
    AppContext::sharedInstance().setLatitude(latitude, longitude);
    EVBaseViewController screen;
    QCOMPARE(screen.checkGPSAvailable(), available);
    QCOMPARE(screen.overlayState() == EVBaseViewController::OverlayState::Error, !available);
    if (!available)
        QCOMPARE(screen.overlayText(), LocalizedStrings::text("lsCLErrorDenied"));
}

void tst_Shell::overlayStatesHideThemselves()
{
    EVBaseViewController screen;
    screen.startLoading();
    QCOMPARE(screen.overlayText(), LocalizedStrings::text("lsLoading"));
    QCOMPARE(Animator::pendingCount(), 0); // loading stays until stopped
    screen.showSuccessWithStatus("done");
    QCOMPARE(screen.overlayState(), EVBaseViewController::OverlayState::Success);
    QCOMPARE(Animator::runNext(), qint64(EVBaseViewController::kStatusMilliseconds));
    QCOMPARE(screen.overlayState(), EVBaseViewController::OverlayState::Hidden);

    // A newer state is not hidden by an older one's timer.
    screen.showErrorWithStatus("first");
    screen.startLoadingWithStatus("again");
    Animator::runAll();
    QCOMPARE(screen.overlayState(), EVBaseViewController::OverlayState::Loading);
    screen.stopLoading();
    QCOMPARE(screen.overlayState(), EVBaseViewController::OverlayState::Hidden);
}

void tst_Shell::countBannerTimings()
{
    EVBaseViewController screen;
    screen.showLoadResultCount(12, 40);
    QVERIFY(screen.bannerVisible());
    QVERIFY(!screen.bannerFading());
    QCOMPARE(screen.bannerY(), 40);
    QCOMPARE(screen.bannerText(), QStringLiteral("12 ") + LocalizedStrings::text("lsEventCount"));
    QCOMPARE(Animator::runNext(), qint64(2000));
    QVERIFY(screen.bannerVisible());
    QVERIFY(screen.bannerFading());
    QCOMPARE(Animator::runNext(), qint64(3500));
    QVERIFY(!screen.bannerVisible());
}

void tst_Shell::navigationStack()
{
    auto *root = new EVBaseViewController;
    TabBarController tabs({ { root, "A", kImageTabbarHotKey }, { new EVBaseViewController, "B", kImageTabbarCategoryKey } });
    NavigationController *first = tabs.viewControllers().first();
    QSignalSpy pushed(first, &NavigationController::pushed);
    QSignalSpy popped(first, &NavigationController::poppedTo);
    first->push(new EVBaseViewController);
    first->push(new EVBaseViewController, false);
    QCOMPARE(first->depth(), 3);
    QCOMPARE(pushed.count(), 2);
    QCOMPARE(pushed.last().at(1).toBool(), false);
    first->pop();
    QCOMPARE(first->depth(), 2);
    first->push(new EVBaseViewController);
    first->popToRoot(false);
    QCOMPARE(first->depth(), 1);
    QCOMPARE(first->topController(), root);
    QCOMPARE(popped.last().at(0).toInt(), 1);
    first->pop(); // the root stays
    QCOMPARE(first->depth(), 1);

    tabs.setSelectedIndex(1);
    QCOMPARE(tabs.selectedIndex(), 1);
    tabs.setSelectedIndex(7);
    QCOMPARE(tabs.selectedIndex(), 1);

    bool dismissed = false;
    tabs.presentModal(new EVBaseViewController, [&dismissed] { dismissed = true; });
    QVERIFY(tabs.modalController());
    tabs.dismissModal();
    QVERIFY(!tabs.modalController());
    QVERIFY(dismissed);
}

void tst_Shell::alertButtonIndices()
{
    TabBarController tabs({ { new EVBaseViewController, "A", kImageTabbarHotKey } });
    QList<int> answers;
    VELAlert *alert = VELAlert::alert("Velari", "message", "lsCancel", { "lsView" },
                                      [&answers](int index) { answers << index; });
    QCOMPARE(alert->buttons(), QStringList({ "lsCancel", "lsView" }));
    QCOMPARE(alert->cancelButtonIndex(), 0);
    VELAlert *sheet = VELAlert::actionSheet(QString(), "lsCancel", "lsDeleteParticipate",
                                            { "lsChangeDate" }, [&answers](int index) { answers << 10 + index; });
    QCOMPARE(sheet->buttons(), QStringList({ "lsDeleteParticipate", "lsChangeDate", "lsCancel" }));
    QCOMPARE(sheet->destructiveButtonIndex(), 0);
    QCOMPARE(sheet->cancelButtonIndex(), 2);

    tabs.presentAlert(alert);
    tabs.presentAlert(sheet);
    QCOMPARE(tabs.currentAlert(), alert);
    alert->press(1);
    alert->press(0); // only the first press counts
    QCOMPARE(tabs.currentAlert(), sheet);
    sheet->press(5); // no such button
    sheet->press(2);
    QVERIFY(!tabs.currentAlert());
    QCOMPARE(answers, QList<int>({ 1, 12 }));
}

void tst_Shell::factoryContexts()
{
    EVControllerFactory &factory = EVControllerFactory::sharedInstance();
    QVERIFY(!factory.eventControllerWithEvent(nullptr)); // no such screen yet
    for (const char *name : { "eventController", "mapController", "velUsersListController" })
        factory.registerScreen(QLatin1String(name), [] { return new EVBaseViewController; });
    auto event = VELEvent::objectWithString(R"({"id":"20000001","title":"话剧《茶馆》"})");
    std::unique_ptr<EVBaseViewController> detail(factory.eventControllerWithEvent(event));
    QVERIFY(detail);
    QCOMPARE(detail->contextRecord<VELEvent>(EVBaseViewController::kContextEventKey), event);
    std::unique_ptr<EVBaseViewController> map(factory.mapControllerWithEvent(event));
    QCOMPARE(map->contextRecord<VELEvent>(EVBaseViewController::kContextEventKey)->title(), "话剧《茶馆》");
    std::unique_ptr<EVBaseViewController> users(factory.velUsersListControllerWithUserId(QString()));
    QVERIFY(!users->context().contains(EVBaseViewController::kContextUserIdKey));
    std::unique_ptr<EVBaseViewController> someone(factory.velUsersListControllerWithUserId("1001"));
    QCOMPARE(someone->context().value(EVBaseViewController::kContextUserIdKey).toString(), "1001");
    // Each call makes a new screen.
    std::unique_ptr<EVBaseViewController> again(factory.eventControllerWithEvent(event));
    QVERIFY(again.get() != detail.get());
}

QTEST_MAIN(tst_Shell)
#include "tst_shell.moc"
