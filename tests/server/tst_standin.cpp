#include "StandIn.h"
#include "TestHome.h"
#include "api/VELAtomEntry.h"
#include "api/VELEventArray.h"
#include "api/VELHosts.h"
#include "api/VELLoc.h"
#include "api/VELLocArray.h"
#include "api/VELOAuthService.h"
#include "api/VELOAuthStore.h"
#include "api/VELPhotoArray.h"
#include "api/VELTicketArray.h"
#include "api/VELService.h"
#include "api/VelariQueryCity.h"
#include "api/VelariQueryEvent.h"
#include "api/VelariQueryPeople.h"
#include "api/VelariQueryPhoto.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSet>
#include <QSslConfiguration>
#include <QTest>
#include <QUrlQuery>

#include <cmath>
#include <functional>
#include <numbers>

using EventCheck = std::function<bool(const QJsonObject &)>;
Q_DECLARE_METATYPE(EventCheck)

namespace {

using Send = std::function<VELHttpRequest::Ptr(VELHttpRequest::Callback)>;

// One exchange through the client, waited for.
VELHttpRequest::Ptr exchange(const Send &send)
{
    bool done = false;
    VELHttpRequest::Ptr request = send([&done](VELHttpRequest &) { done = true; });
    if (!QTest::qWaitFor([&] { return done; }, 15000))
        qWarning("exchange did not finish");
    return request;
}

VELHttpRequest::Ptr get(const VELQuery &query)
{
    return exchange([&](auto callback) { return VELService::sharedInstance().get(query, callback); });
}

QJsonObject replyObject(const VELHttpRequest::Ptr &request)
{
    return QJsonDocument::fromJson(request->responseData()).object();
}

QDateTime timeOf(const QJsonObject &event, const char *key)
{
    return QDateTime::fromString(event.value(QLatin1String(key)).toString(),
                                 QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

double kilometres(double lat1, double lng1, double lat2, double lng2)
{
    const double scale = std::cos(lat1 * std::numbers::pi / 180.0);
    return std::hypot(lat2 - lat1, (lng2 - lng1) * scale) * 111.32;
}

class GrantDelegate : public VELOAuthServiceDelegate
{
public:
    void OAuthClientDidAcquireSuccessDictionary(VELOAuthService *, const QJsonObject &) override
    {
        ++successes;
    }
    void OAuthClientDidFailWithError(VELOAuthService *, const VELError &error) override
    {
        failures << error;
    }
    int successes = 0;
    QList<VELError> failures;
};

const QString kBeijing = QStringLiteral("108288");

} // namespace

class tst_StandIn : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pagesReachTheEndOfACity();
    void filters_data();
    void filters();
    void nearestCity_data();
    void nearestCity();
    void refusals_data();
    void refusals();
    void passwordGrantRefused_data();
    void passwordGrantRefused();
    void wishAndParticipateSurviveARestart();
    void refreshAndCodeGrants();
    void httpsTrustsOnlyTheConfiguredAuthority();
    void photosUploadedByParticipants();
    void ticketsRemindersAndFollowings();
    void requestLogHoldsEveryRequest();

private:
    // Logs in through the client's password grant; the store then holds the tokens.
    bool logIn(const QString &username, const QString &password);

    StandIn m_shared;
    std::unique_ptr<TestHome> m_home;
    GrantDelegate m_delegate;
};

void tst_StandIn::initTestCase()
{
    QVERIFY2(m_shared.start(), qPrintable(m_shared.errorOutput()));
}

void tst_StandIn::init()
{
    m_home = std::make_unique<TestHome>();
    m_shared.configureClient();
    m_delegate = GrantDelegate();
}

void tst_StandIn::cleanup()
{
    VELOAuthService::sharedInstance().setDelegate(nullptr);
    m_home.reset();
}

bool tst_StandIn::logIn(const QString &username, const QString &password)
{
    VELOAuthService &oauth = VELOAuthService::sharedInstance();
    oauth.setClientId(StandIn::clientId());
    oauth.setClientSecret(StandIn::clientSecret());
    oauth.setAuthorizationURL(VELHosts::tokenURL());
    oauth.setCallbackURL(VELHosts::callbackURL());
    oauth.setDelegate(&m_delegate);
    const int before = m_delegate.successes + int(m_delegate.failures.size());
    oauth.validateUsername(username, password);
    return QTest::qWaitFor(
            [&] { return m_delegate.successes + int(m_delegate.failures.size()) > before; }, 15000);
}

void tst_StandIn::pagesReachTheEndOfACity()
{
    QSet<QString> seen;
    int start = 0;
    int total = -1;
    int pages = 0;
    while (total < 0 || start < total) {
        const auto request = get(VelariQueryEvent::queryForEventsByLocation(kBeijing, QString(), start));
        QVERIFY(!(request->velariError()));
        const auto page = VELObject::objectWithString<VELEventArray>(request->responseString());
        QVERIFY(page);
        QCOMPARE(page->start(), start);
        QVERIFY(total < 0 || page->total() == total);
        total = page->total();
        const auto events = page->objectArray();
        QCOMPARE(page->count(), int(events.size()));
        QCOMPARE(page->count(), std::min(30, total - start));
        for (const auto &event : events) {
            QCOMPARE(event->locId(), kBeijing);
            QVERIFY2(!seen.contains(event->identifier()), "an event on two pages");
            seen.insert(event->identifier());
        }
        start += page->count();
        ++pages;
    }
    QVERIFY(total > 100);
    QCOMPARE(seen.size(), total);
    QCOMPARE(pages, (total + 29) / 30);

    // Past the end: an empty page that still tells the total.
    const auto beyond =
            VELObject::objectWithString<VELEventArray>(get(VelariQueryEvent::queryForEventsByLocation(
                                                        kBeijing, QString(), total))
                                                    ->responseString());
    QVERIFY(beyond);
    QCOMPARE(beyond->count(), 0);
    QCOMPARE(beyond->total(), total);
}

void tst_StandIn::filters_data()
{
    using Check = EventCheck;
    QTest::addColumn<VELQuery>("query");
    QTest::addColumn<Check>("check");

    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime midnight(now.date(), QTime(0, 0));
    auto overlaps = [](QDateTime from, QDateTime to) -> Check {
        return [from, to](const QJsonObject &e) {
            return timeOf(e, "end_time") > from && timeOf(e, "begin_time") < to;
        };
    };
    const int weekday = now.date().dayOfWeek();
    const QDateTime saturday(now.date().addDays(weekday == 7 ? -1 : 6 - weekday), QTime(0, 0));

    QTest::newRow("today") << VelariQueryEvent::queryForEventsByLocation(kBeijing, "today", {})
                           << overlaps(now, midnight.addDays(1));
    QTest::newRow("tomorrow") << VelariQueryEvent::queryForEventsByLocation(kBeijing, "tomorrow", {})
                              << overlaps(midnight.addDays(1), midnight.addDays(2));
    QTest::newRow("weekend") << VelariQueryEvent::queryForEventsByLocation(kBeijing, "weekend", {})
                             << overlaps(std::max(now, saturday), saturday.addDays(2));
    QTest::newRow("music") << VelariQueryEvent::queryForEventsByLocation(kBeijing, "future", "music",
                                                                         "all", {})
                           << Check([](const QJsonObject &e) {
                                  return e.value("category").toString() == "music"
                                          && e.value("photos").isArray();
                              });
    QTest::newRow("others") << VelariQueryEvent::queryForEventsByLocation(kBeijing, QString(),
                                                                          "others", QString(), {})
                            << Check([](const QJsonObject &e) {
                                   return e.value("category").toString() == "others";
                               });
    QTest::newRow("district") << VelariQueryEvent::queryForEventsByLocation(
            kBeijing, "future", "all", "chaoyang", {})
                              << Check([](const QJsonObject &e) {
                                     return e.value("address").toString().contains("朝阳区");
                                 });
    QTest::newRow("nearby") << VelariQueryEvent::queryForEventsByLocationNearby(
            kBeijing, "future", QString(), "39.921500", "116.443400", {})
                            << Check([](const QJsonObject &e) {
                                   const QStringList geo = e.value("geo").toString().split(' ');
                                   return kilometres(39.9215, 116.4434, geo.at(0).toDouble(),
                                                     geo.at(1).toDouble())
                                           <= 15.0;
                               });
    QTest::newRow("search") << VelariQueryEvent::queryForEventsByKey("音乐", kBeijing, {})
                            << Check([](const QJsonObject &e) {
                                   return (e.value("title").toString() + e.value("address").toString()
                                           + e.value("content").toString())
                                           .contains("音乐");
                               });
}

void tst_StandIn::filters()
{
    QFETCH(VELQuery, query);
    QFETCH(EventCheck, check);

    const auto request = get(query);
    QVERIFY(!(request->velariError()));
    const QJsonObject page = replyObject(request);
    const QJsonArray events = page.value("events").toArray();
    QVERIFY2(!events.isEmpty(), "the sample data should have events for every filter");
    const QDateTime now = QDateTime::currentDateTime();
    for (const QJsonValue &value : events) {
        const QJsonObject event = value.toObject();
        QVERIFY2(check(event), qPrintable(event.value("title").toString()));
        QVERIFY2(timeOf(event, "end_time") > now.addSecs(-5), "a list shows no event that is over");
    }
    // Narrower than the city's whole list.
    const int all = replyObject(get(VelariQueryEvent::queryForEventsByLocation(kBeijing, QString(), {})))
                            .value("total")
                            .toInt();
    QVERIFY(page.value("total").toInt() < all);
}

void tst_StandIn::nearestCity_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<QString>("uid");

    QTest::newRow("beijing") << 39.95 << 116.30 << "beijing";
    QTest::newRow("shanghai suburb") << 31.10 << 121.30 << "shanghai";
    QTest::newRow("between cities, nearer hangzhou") << 30.50 << 120.40 << "hangzhou";
    QTest::newRow("far from every city") << 0.0 << 0.0 << QString();
}

void tst_StandIn::nearestCity()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(QString, uid);

    const auto request = get(VelariQueryCity::queryForCityWithLatitude(latitude, longitude));
    if (uid.isEmpty()) {
        QCOMPARE(request->responseStatusCode(), 404);
        return;
    }
    QVERIFY(!(request->velariError()));
    const auto city = VELObject::objectWithString<VELLoc>(request->responseString());
    QVERIFY(city);
    QCOMPARE(city->uid(), uid);
    QVERIFY(city->isHabitable());

    const auto districts = VELObject::objectWithString<VELLocArray>(
            get(VelariQueryCity::queryForDistrictsByCityId(city->identifier(), {}))->responseString());
    QVERIFY(districts && districts->count() >= 3);
    for (const auto &district : districts->objectArray())
        QCOMPARE(district->parent(), city->identifier());
}

void tst_StandIn::refusals_data()
{
    QTest::addColumn<VELQuery>("query");
    QTest::addColumn<QString>("clientId");
    QTest::addColumn<QString>("bearer");
    QTest::addColumn<QString>("domain");
    QTest::addColumn<int>("code");

    const QString key = StandIn::clientId();
    QTest::newRow("protected path without a token")
            << VelariQueryEvent::queryForGuessedEventsByLocation(kBeijing, {}) << key << QString()
            << VELHttpRequest::kErrorDomain << 3;
    QTest::newRow("unknown token")
            << VelariQueryEvent::queryForGuessedEventsByLocation(kBeijing, {}) << key
            << "0123456789abcdef0123456789abcdef" << VELHttpRequest::kOAuthErrorDomain << 103;
    QTest::newRow("key of the wrong form")
            << VelariQueryEvent::queryForEventsByLocation(kBeijing, QString(), {}) << "not-a-key"
            << QString() << VELHttpRequest::kOAuthErrorDomain << 104;
    QTest::newRow("well-formed unknown key")
            << VelariQueryEvent::queryForEventsByLocation(kBeijing, QString(), {})
            << "ffffffffffffffffffffffffffffffff" << QString() << VELHttpRequest::kOAuthErrorDomain
            << 104;
    QTest::newRow("unknown day type")
            << VelariQueryEvent::queryForEventsByLocation(kBeijing, "someday", {}) << key << QString()
            << VELHttpRequest::kOAuthErrorDomain << 1000;
    QTest::newRow("unknown event") << VelariQueryEvent::queryForEventById("1") << key << QString()
                                   << VELHttpRequest::kVelariErrorDomain << 0;
}

void tst_StandIn::refusals()
{
    QFETCH(VELQuery, query);
    QFETCH(QString, clientId);
    QFETCH(QString, bearer);
    QFETCH(QString, domain);
    QFETCH(int, code);

    VELService::sharedInstance().setClientId(clientId);
    if (!bearer.isEmpty()) {
        VELOAuthStore &store = VELOAuthStore::sharedInstance();
        store.setAccessToken(bearer);
        store.setExpiresIn(QDateTime::currentDateTime().addDays(3));
        store.save();
    }
    const auto error = get(query)->velariError();
    QVERIFY(error);
    QCOMPARE(error->domain, domain);
    QCOMPARE(error->code, code);
}

void tst_StandIn::passwordGrantRefused_data()
{
    QTest::addColumn<QString>("username");
    QTest::addColumn<QString>("password");
    QTest::addColumn<int>("code");

    QTest::newRow("wrong password") << "xiaoming@velari.com" << "velari2025" << 120;
    QTest::newRow("unknown user") << "nobody@velari.com" << "velari2026" << 121;
    QTest::newRow("blocked user") << "laowang" << "blocked2026" << 122;
}

void tst_StandIn::passwordGrantRefused()
{
    QFETCH(QString, username);
    QFETCH(QString, password);
    QFETCH(int, code);

    QVERIFY(logIn(username, password));
    QCOMPARE(m_delegate.successes, 0);
    QCOMPARE(m_delegate.failures.size(), 1);
    QCOMPARE(m_delegate.failures.first().domain, VELHttpRequest::kOAuthErrorDomain);
    QCOMPARE(m_delegate.failures.first().code, code);
    QVERIFY(VELOAuthStore::sharedInstance().accessToken().isEmpty());
}

void tst_StandIn::wishAndParticipateSurviveARestart()
{
    StandIn own;
    QVERIFY2(own.start(), qPrintable(own.errorOutput()));
    own.configureClient();
    QVERIFY(logIn("lily", "lily2026"));
    QCOMPARE(m_delegate.successes, 1);
    const QString me = QString::number(VELOAuthStore::sharedInstance().userId());
    QCOMPARE(me, "1002");

    // One event over a single day to wish, one over several days to go to on its third day.
    VELService &service = VELService::sharedInstance();
    std::shared_ptr<VELEvent> single, spanning;
    for (qint64 start = 0; !(single && spanning) && start < 200; start += 30) {
        const auto page = VELObject::objectWithString<VELEventArray>(
                get(VelariQueryEvent::queryForEventsByLocation(kBeijing, "future", start))
                        ->responseString());
        QVERIFY(page);
        for (const auto &event : page->objectArray()) {
            const bool spans = event->beginTime().daysTo(event->endTime().addSecs(-1)) >= 3;
            if (!event->status().isEmpty())
                continue;
            if (spans && !spanning)
                spanning = event;
            else if (!spans && !single)
                single = event;
        }
    }
    QVERIFY(single && spanning);
    const QString day = spanning->beginTime().date().addDays(2).toString(Qt::ISODate);

    auto post = [&](const VELQuery &query) {
        return exchange([&](auto callback) { return service.post(query, QString(), callback); });
    };
    QVERIFY(!(post(VelariQueryEvent::queryForWishEventById(single->identifier()))->velariError()));
    QVERIFY(!(post(VelariQueryEvent::queryForParticipateEventById(spanning->identifier(), day))
                     ->velariError()));
    // A day outside the event is refused.
    const auto outside = post(VelariQueryEvent::queryForParticipateEventById(
            spanning->identifier(), spanning->endTime().date().addDays(1).toString(Qt::ISODate)));
    QVERIFY(outside->velariError());
    QCOMPARE(outside->velariError()->code, 1000);

    auto checkLists = [&] {
        const auto wished = VELObject::objectWithString<VELEventArray>(
                get(VelariQueryEvent::queryForWishedEventsByPeopleUid(me, {}))->responseString());
        const auto participated = VELObject::objectWithString<VELEventArray>(
                get(VelariQueryEvent::queryForParticipatedEventsByPeopleUid(me, {}, "ongoing"))
                        ->responseString());
        QVERIFY(wished && participated);
        auto find = [](const VELEventArray &list, const QString &id) {
            for (const auto &event : list.objectArray()) {
                if (event->identifier() == id)
                    return event;
            }
            return std::shared_ptr<VELEvent>();
        };
        const auto wish = find(*wished, single->identifier());
        QVERIFY(wish);
        QCOMPARE(wish->status(), "wish");
        const auto going = find(*participated, spanning->identifier());
        QVERIFY(going);
        QCOMPARE(going->status(), "participate");
        QCOMPARE(going->participateDateStr(), day);
        QCOMPARE(going->participantCount(), spanning->participantCount() + 1);
    };
    checkLists();
    if (QTest::currentTestFailed())
        return;

    own.stop();
    QVERIFY2(own.start(), qPrintable(own.errorOutput()));
    own.configureClient();
    checkLists();
    if (QTest::currentTestFailed())
        return;

    // Reseeding forgets them, and the logins with them.
    own.stop();
    QVERIFY2(own.start({ "--reset" }), qPrintable(own.errorOutput()));
    own.configureClient();
    QCOMPARE(get(VelariQueryEvent::queryForWishedEventsByPeopleUid(me, {}))->velariError()->code, 103);
    VELOAuthStore::sharedInstance().clear();
    const auto wished = get(VelariQueryEvent::queryForWishedEventsByPeopleUid(me, {}));
    QVERIFY(!wished->velariError());
    QVERIFY(!wished->responseString().contains(single->identifier()));
}

void tst_StandIn::refreshAndCodeGrants()
{
    QVERIFY(logIn("xiaoming@velari.com", "velari2026"));
    VELOAuthStore &store = VELOAuthStore::sharedInstance();
    const QString firstAccess = store.accessToken();
    const QString firstRefresh = store.refreshToken();
    QVERIFY(!firstAccess.isEmpty());

    QVERIFY(!(VELOAuthService::sharedInstance().validateRefresh()));
    QVERIFY(!store.accessToken().isEmpty());
    QVERIFY(store.accessToken() != firstAccess);
    QCOMPARE(store.userId(), qint64(1001));
    // The old access token went with its refresh token.
    store.setAccessToken(firstAccess);
    store.save();
    QCOMPARE(get(VelariQueryPeople::queryForUserById("~me"))->velariError()->code, 103);

    // A used refresh token is refused, and a refused refresh logs out.
    store.setRefreshToken(firstRefresh);
    store.save();
    QVERIFY(!(VELOAuthService::sharedInstance().validateRefresh()));
    QVERIFY(store.accessToken().isEmpty());

    // The authorize page hands out a code for the callback; the code grant turns it into tokens.
    QNetworkAccessManager manager;
    QNetworkRequest authorize(QUrl(VELHosts::accountBaseUrlString() + "/service/auth2/auth"));
    QSslConfiguration tls = VELHosts::sslConfiguration();
    authorize.setSslConfiguration(tls);
    authorize.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    authorize.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
    QUrlQuery form;
    form.addQueryItem("client_id", StandIn::clientId());
    form.addQueryItem("redirect_uri", VELHosts::callbackURL());
    form.addQueryItem("username", "xiaoming");
    form.addQueryItem("password", "velari2026");
    QNetworkReply *reply = manager.post(authorize, form.toString(QUrl::FullyEncoded).toUtf8());
    QVERIFY(QTest::qWaitFor([&] { return reply->isFinished(); }, 15000));
    QCOMPARE(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 302);
    const QUrl callback = reply->header(QNetworkRequest::LocationHeader).toUrl();
    reply->deleteLater();
    QCOMPARE(callback.path(), "/location/mobile");
    const QString code = QUrlQuery(callback).queryItemValue("code");
    QVERIFY(!code.isEmpty());

    VELOAuthService::sharedInstance().setAuthorizationCode(code);
    const int before = m_delegate.successes;
    VELOAuthService::sharedInstance().validateAuthorizationCode();
    QVERIFY(QTest::qWaitFor([&] { return m_delegate.successes > before; }, 15000));
    QCOMPARE(store.userId(), qint64(1001));
    // A code is good once.
    VELOAuthService::sharedInstance().validateAuthorizationCode();
    QVERIFY(QTest::qWaitFor([&] { return !m_delegate.failures.isEmpty(); }, 15000));
    QCOMPARE(m_delegate.failures.last().code, 118);
}

void tst_StandIn::httpsTrustsOnlyTheConfiguredAuthority()
{
    VELService &service = VELService::sharedInstance();
    service.setApiBaseUrlString(VELHosts::apiBaseUrlString(true));
    QVERIFY(service.apiBaseUrlString().startsWith("https://"));
    const auto trusted = get(VelariQueryCity::queryForCitiesWithStartIndex({}));
    QVERIFY(!(trusted->velariError()));
    QVERIFY(VELObject::objectWithString<VELLocArray>(trusted->responseString())->total() >= 6);

    // Another stand-in, not configured as trusted. (The client keeps a connection's TLS settings
    // for as long as it keeps the connection, so this needs a host it has not talked to.)
    StandIn other;
    QVERIFY2(other.start(), qPrintable(other.errorOutput()));
    VELHosts::setOverride(other.httpUrl(), other.httpsUrl());
    service.setApiBaseUrlString(VELHosts::apiBaseUrlString(true));
    const auto untrusted = get(VelariQueryCity::queryForCitiesWithStartIndex({}));
    QVERIFY(untrusted->velariError());
    QCOMPARE(untrusted->velariError()->domain, VELHttpRequest::kErrorDomain);
    QCOMPARE(untrusted->velariError()->code, 1);
    QCOMPARE(untrusted->responseStatusCode(), 0);
}

void tst_StandIn::photosUploadedByParticipants()
{
    StandIn own;
    QVERIFY2(own.start(), qPrintable(own.errorOutput()));
    own.configureClient();
    QVERIFY(logIn("xiaoming", "velari2026"));
    const auto event = VELObject::objectWithString<VELEventArray>(
                               get(VelariQueryEvent::queryForEventsByLocation(kBeijing, "today", {}))
                                       ->responseString())
                               ->objectArray()
                               .value(0);
    QVERIFY(event);
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(picture.save(&buffer, "JPEG"));

    VELService &service = VELService::sharedInstance();
    const VELQuery album = VelariQueryPhoto::queryForAlbumByAlbumId(event->albumId());
    auto upload = [&] {
        return exchange([&](auto callback) {
            return service.post2(album, jpeg, QStringLiteral("第一排"), callback);
        });
    };
    // Not a participant yet.
    QCOMPARE(upload()->responseStatusCode(), 403);

    // Participating the way the photo screen does: an Atom entry carrying the day.
    VELAtomEntry entry;
    entry.addAttribute("participate_date", event->beginTimeStr());
    QVERIFY(!exchange([&](auto callback) {
                 return service.post(VelariQueryEvent::queryForParticipateEventById(event->identifier()),
                                     QString::fromUtf8(entry.toXml()), callback);
             })->velariError());
    const auto going = VELObject::objectWithString<VELEvent>(
            get(VelariQueryEvent::queryForEventById(event->identifier()))->responseString());
    QCOMPARE(going->status(), "participate");
    QCOMPARE(going->participateDateStr(), event->beginTimeStr().left(10));
    const auto uploaded = upload();
    QVERIFY(!(uploaded->velariError()));
    const QString photoId = replyObject(uploaded).value("id").toString();
    QVERIFY(!photoId.isEmpty());

    // The related-parts form lands in the same album.
    QCOMPARE(exchange([&](auto callback) {
                 return service.post(album, jpeg, QStringLiteral("散场"), callback);
             })->velariError(),
             std::nullopt);

    const auto photos = VELObject::objectWithString<VELPhotoArray>(
            get(VelariQueryPhoto::queryForPhotosByEventId(event->identifier(), {}))->responseString());
    QVERIFY(photos);
    QStringList descriptions;
    std::shared_ptr<VELPhoto> mine;
    // The list is paged five at a time; the new photos are the last ones.
    const auto last = VELObject::objectWithString<VELPhotoArray>(
            get(VelariQueryPhoto::queryForPhotosByEventId(event->identifier(),
                                                          std::max<qint64>(0, photos->total() - 2)))
                    ->responseString());
    for (const auto &photo : last->objectArray()) {
        descriptions << photo->desc();
        if (photo->identifier() == photoId)
            mine = photo;
    }
    QCOMPARE(descriptions, QStringList({ "第一排", "散场" }));
    QVERIFY(mine);
    QCOMPARE(mine->author()->identifier(), "1001");
    QCOMPARE(mine->imageSize(), QSizeF(64, 48));

    // The stored picture is served back.
    const auto image = exchange([&](auto callback) {
        auto request = VELHttpRequest::requestWithURL(QUrl(mine->image()), callback);
        service.addRequest(request);
        return request;
    });
    QCOMPARE(image->responseStatusCode(), 200);
    QCOMPARE(QImage::fromData(image->responseData()).size(), QSize(64, 48));
}

void tst_StandIn::requestLogHoldsEveryRequest()
{
    QTemporaryDir directory;
    const QString logPath = directory.filePath("requests.jsonl");
    StandIn own;
    QVERIFY2(own.start({ "--request-log", logPath }), qPrintable(own.errorOutput()));
    own.configureClient();
    QVERIFY(logIn("xiaoming", "velari2026"));
    get(VelariQueryEvent::queryForEventsByKey("爵士 之夜", kBeijing, {}));
    const QByteArray binary("\x00\x01\xff\xfe binary", 11);
    exchange([&](auto callback) {
        return VELService::sharedInstance().post2(VelariQueryPhoto::queryForAlbumByAlbumId("40000001"),
                                                  binary, "x", callback);
    });

    QFile log(logPath);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    QCOMPARE(lines.size(), 4); // three requests and the final line end
    QVERIFY(lines.last().isEmpty());
    QList<QJsonObject> entries;
    for (int i = 0; i < 3; ++i) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(lines.at(i), &error);
        QVERIFY2(document.isObject(), qPrintable(error.errorString()));
        const QJsonObject entry = document.object();
        for (const char *key : { "time", "method", "path", "query", "headers", "body" })
            QVERIFY2(entry.contains(QLatin1String(key)), key);
        QVERIFY(QDateTime::fromString(entry.value("time").toString(), Qt::ISODateWithMs).isValid());
        entries << entry;
    }
    QCOMPARE(entries.at(0).value("path").toString(), "/service/auth2/token");
    QVERIFY(entries.at(0).value("body").toString().contains("grant_type=password"));
    QCOMPARE(entries.at(1).value("method").toString(), "GET");
    QCOMPARE(entries.at(1).value("path").toString(), "/v2/event/search");
    // The query as sent: percent-escaped once.
    QVERIFY(entries.at(1).value("query").toString().contains(
            "q=%E7%88%B5%E5%A3%AB%20%E4%B9%8B%E5%A4%9C"));
    QVERIFY(entries.at(1).value("headers").toObject().value("Authorization").toString().startsWith(
            "Bearer "));
    QCOMPARE(entries.at(2).value("bodyEncoding").toString(), "base64");
    QVERIFY(QByteArray::fromBase64(entries.at(2).value("body").toString().toLatin1()).contains(binary));
}

void tst_StandIn::ticketsRemindersAndFollowings()
{
    QVERIFY(logIn("xiaoming", "velari2026"));
    VELService &service = VELService::sharedInstance();

    const auto orders = VELTicketArray::objectWithString(
            get(VelariQueryPeople::queryForMyTickets())->responseString());
    QVERIFY(orders && orders->count() > 0);
    const auto ticket = orders->objectArray().first();
    QVERIFY(ticket->event());
    QVERIFY(ticket->num() > 0);
    const auto pass = get(VelariQueryPeople::queryForPasskBookWithOrderId(ticket->identifier()));
    QVERIFY(!pass->velariError());
    const QJsonObject passJson = replyObject(pass);
    QCOMPARE(passJson.value("serialNumber").toString(), ticket->identifier());
    QCOMPARE(passJson.value("passTypeIdentifier").toString(), "pass.com.velari.event.ticket");
    QCOMPARE(passJson.value("barcode").toObject().value("message").toString(), ticket->code());
    QVERIFY(!passJson.value("signature").toString().isEmpty());
    // Someone else's order is not there.
    QCOMPARE(get(VelariQueryPeople::queryForPasskBookWithOrderId("1"))->responseStatusCode(), 404);

    QCOMPARE(replyObject(get(VelariQueryPeople::queryForNotificationType())).value("notification_type").toInt(), 1);
    auto post = [&](const VELQuery &query) {
        return exchange([&](auto callback) { return service.post(query, QString(), callback); });
    };
    QVERIFY(!post(VelariQueryPeople::queryForNotificationTypeWithType("10"))->velariError());
    QCOMPARE(replyObject(get(VelariQueryPeople::queryForNotificationType())).value("notification_type").toInt(), 10);
    QCOMPARE(post(VelariQueryPeople::queryForNotificationTypeWithType("7"))->velariError()->code, 1000);

    const QJsonArray brief = QJsonDocument::fromJson(
            get(VelariQueryPeople::queryForAllFollowingBriefInfo())->responseData()).array();
    QVERIFY(brief.size() >= 30);
    QVERIFY(!brief.first().toObject().value("pinyin").toString().isEmpty());
    const QJsonArray following = QJsonDocument::fromJson(
            get(VelariQueryPeople::queryForFollowingByUid("1001", 20))->responseData()).array();
    QCOMPARE(following.size(), 14); // 34 followed, the page starts at the 20th
    QVERIFY(following.first().toObject().value("following").toBool());
    QCOMPARE(replyObject(get(VelariQueryPeople::queryForUserById("~me"))).value("uid").toString(), "xiaoming");
}

QTEST_MAIN(tst_StandIn)
#include "tst_standin.moc"
