#include "TestHome.h"
#include "api/VELOAuthStore.h"
#include "platform/Preferences.h"
#include "platform/SharedInstances.h"
#include "storage/AppContext.h"
#include "storage/VELFileCache.h"
#include "storage/VELSettings.h"

#include <QSignalSpy>
#include <QTest>

class tst_AppContext : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<TestHome>(); }
    void cleanup() { m_home.reset(); }

    void startUpCities_data();
    void startUpCities();
    void currentCityFromText();
    void choosingACityIsObservedAndSaved();
    void coordinatesPersist();
    void settingsDefaultsAndClear();

private:
    std::unique_ptr<TestHome> m_home;
};

void tst_AppContext::startUpCities_data()
{
    QTest::addColumn<QString>("currentSnapshot");
    QTest::addColumn<QString>("choosedSnapshot");
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("choosed");

    const QString shanghai = R"({"id":"108296","uid":"shanghai","name":"上海"})";
    const QString hangzhou = R"({"id":"118172","uid":"hangzhou","name":"杭州"})";
    const QString profile = R"({"id":"1001","loc_id":"118281","loc_name":"广州"})";
    QTest::newRow("fresh installation") << QString() << QString() << QString() << "108288"
                                        << "108288";
    QTest::newRow("profile city") << "" << QString() << profile << "118281" << "118281";
    QTest::newRow("profile without a city")
            << QString() << QString() << R"({"id":"1001"})" << "108288" << "108288";
    QTest::newRow("both snapshots") << shanghai << hangzhou << profile << "108296" << "118172";
    QTest::newRow("current only") << shanghai << QString() << QString() << "108296" << "108296";
    QTest::newRow("unreadable snapshots")
            << "{not json" << "[1,2]" << QString() << "108288" << "108288";
}

void tst_AppContext::startUpCities()
{
    QFETCH(QString, currentSnapshot);
    QFETCH(QString, choosedSnapshot);
    QFETCH(QString, profile);
    QFETCH(QString, current);
    QFETCH(QString, choosed);

    if (!currentSnapshot.isNull())
        VELFileCache::saveCurrentCityFileStr(currentSnapshot);
    if (!choosedSnapshot.isNull())
        VELFileCache::saveChoosedCityFileStr(choosedSnapshot);
    if (!profile.isNull())
        VELFileCache::saveMyProfileFileStr(profile);

    AppContext &context = AppContext::sharedInstance();
    QVERIFY(context.currentCity());
    QVERIFY(context.choosedCity());
    QCOMPARE(context.currentCity()->identifier(), current);
    QCOMPARE(context.choosedCity()->identifier(), choosed);
    if (current == "108288")
        QCOMPARE(context.currentCity()->uid(), "beijing");
    // The chosen city is on disk for the next run.
    const auto saved = VELObject::objectWithString<VELLoc>(VELFileCache::choosedCityFileStr());
    QVERIFY(saved);
    QCOMPARE(saved->identifier(), choosed);
}

void tst_AppContext::currentCityFromText()
{
    AppContext &context = AppContext::sharedInstance();
    QSignalSpy choosed(&context, &AppContext::choosedCityChanged);
    context.setCurrentCityStr(QString());
    QCOMPARE(context.currentCity()->identifier(), "108288");
    QVERIFY(VELFileCache::currentCityFileStr().isNull());

    const QString chengdu = R"({"id":"118318","uid":"chengdu","name":"成都","habitable":true})";
    context.setCurrentCityStr(chengdu);
    QCOMPARE(context.currentCity()->uid(), "chengdu");
    QCOMPARE(VELFileCache::currentCityFileStr(), chengdu);
    QCOMPARE(context.choosedCity()->identifier(), "108288");
    QCOMPARE(choosed.count(), 0);
}

void tst_AppContext::choosingACityIsObservedAndSaved()
{
    AppContext &context = AppContext::sharedInstance();
    QSignalSpy spy(&context, &AppContext::choosedCityChanged);
    auto xian = VELObject::objectWithString<VELLoc>(R"({"id":"118371","uid":"xian","name":"西安"})");
    context.setChoosedCity(xian);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(context.property("choosedCity").value<VELLoc *>()->uid(), "xian");
    QCOMPARE(VELObject::objectWithString<VELLoc>(VELFileCache::choosedCityFileStr())->uid(), "xian");
}

void tst_AppContext::coordinatesPersist()
{
    AppContext::sharedInstance().setLatitude(39.904211, 116.407395);
    QCOMPARE(Preferences::standard().real(AppContext::kLatitudeKey), 39.904211);
    // The next run reads back the same single-precision values.
    SharedInstance<AppContext>::reset();
    AppContext &next = AppContext::sharedInstance();
    QCOMPARE(next.latitude(), float(39.904211));
    QCOMPARE(next.longitude(), float(116.407395));
}

void tst_AppContext::settingsDefaultsAndClear()
{
    VELSettings &settings = VELSettings::sharedInstance();
    QCOMPARE(settings.notificationType(), VELSettings::kNotificationOneDayBefore);
    QCOMPARE(settings.numberLaunch(), -1);
    QVERIFY(!settings.hasPostedDeviceToken());
    QVERIFY(settings.deviceToken().isNull());

    settings.setNotificationType(VELSettings::kNotificationToday);
    settings.setDeviceToken("a1b2c3");
    settings.setUsername("xiaoming@velari.com");
    settings.setHasPostedDeviceToken(true);
    settings.setNumberLaunch(4);
    settings.setHasAppstoreReview(true);
    Preferences::standard().setValue(VELSettings::kPasswordKey, "old");
    QCOMPARE(settings.notificationType(), 10);

    settings.clear();
    QCOMPARE(settings.notificationType(), 1);
    QCOMPARE(settings.numberLaunch(), -1);
    QVERIFY(!settings.hasPostedDeviceToken());
    QVERIFY(!settings.hasAppstoreReview());
    QVERIFY(!Preferences::standard().contains(VELSettings::kPasswordKey));
    QCOMPARE(settings.deviceToken(), "a1b2c3");
    QCOMPARE(settings.username(), "xiaoming@velari.com");
}

QTEST_GUILESS_MAIN(tst_AppContext)
#include "tst_appcontext.moc"
