#include "api/VELQuery.h"
#include "api/VELService.h"
#include "api/VelariQueryCity.h"
#include "api/VelariQueryEvent.h"
#include "api/VelariQueryPeople.h"
#include "api/VelariQueryPhoto.h"
#include "api/VelariQueryRecommendation.h"

#include <QTest>

using StringMap = QMap<QString, QString>;

class tst_Query : public QObject
{
    Q_OBJECT

private slots:
    void requestURL_data();
    void requestURL();
    void catalogue_data();
    void catalogue();
    void parseQueryString();
};

void tst_Query::requestURL_data()
{
    QTest::addColumn<QString>("subPath");
    QTest::addColumn<QVariantMap>("parameters");
    QTest::addColumn<QString>("expected");

    const QString base = QStringLiteral("http://api.velari.com");
    QTest::newRow("no parameters") << "/v2/event/123" << QVariantMap() << base + "/v2/event/123";
    QTest::newRow("numbers as decimal")
            << "/v2/event/list" << QVariantMap{ { "count", 30 }, { "loc", "108288" } }
            << base + "/v2/event/list?count=30&loc=108288";
    QTest::newRow("chinese escaped once")
            << "/v2/event/search" << QVariantMap{ { "q", QStringLiteral("音乐") } }
            << base + "/v2/event/search?q=%E9%9F%B3%E4%B9%90";
    QTest::newRow("reserved characters stay inside the value")
            << "/v2/event/search" << QVariantMap{ { "q", "rock&roll=fun?" } }
            << base + "/v2/event/search?q=rock%26roll%3Dfun%3F";
    QTest::newRow("percent and blank") << "/v2/event/search" << QVariantMap{ { "q", "100% live" } }
                                       << base + "/v2/event/search?q=100%25%20live";
    QTest::newRow("path with a blank")
            << "/v2/event/a b" << QVariantMap() << base + "/v2/event/a%20b";
}

void tst_Query::requestURL()
{
    QFETCH(QString, subPath);
    QFETCH(QVariantMap, parameters);
    QFETCH(QString, expected);
    VELQuery query(subPath, parameters);
    query.setApiBaseUrlString(QStringLiteral("http://api.velari.com"));
    QCOMPARE(query.requestURLString(), expected);
    // The URL object sends exactly that text.
    QCOMPARE(QString::fromLatin1(query.requestURL().toEncoded()), expected);
    QCOMPARE(query.parametersUrlString().isEmpty(), parameters.isEmpty());
}

void tst_Query::catalogue_data()
{
    QTest::addColumn<VELQuery>("query");
    QTest::addColumn<QString>("path");
    QTest::addColumn<StringMap>("parameters");

    using E = VelariQueryEvent;
    using P = VelariQueryPeople;
    using C = VelariQueryCity;
    using Ph = VelariQueryPhoto;
    using R = VelariQueryRecommendation;
    const std::optional<qint64> none;

    QTest::newRow("event by id") << E::queryForEventById("7") << "/v2/event/7" << StringMap();
    QTest::newRow("participated") << E::queryForParticipatedEventsByPeopleUid("42", 10, "ongoing")
                                  << "/v2/event/user_participated/42"
                                  << StringMap{ { "start", "10" }, { "status", "ongoing" } };
    QTest::newRow("wished, no start")
            << E::queryForWishedEventsByPeopleUid("42", none) << "/v2/event/user_wished/42"
            << StringMap{ { "count", "10" }, { "status", "ongoing" } };
    QTest::newRow("search with empty text")
            << E::queryForEventsByKey("", "108288", 0) << "/v2/event/search"
            << StringMap{ { "loc", "108288" }, { "start", "0" } };
    QTest::newRow("search") << E::queryForEventsByKey("rock", QString(), none) << "/v2/event/search"
                            << StringMap{ { "q", "rock" } };
    QTest::newRow("guessed") << E::queryForGuessedEventsByLocation("108288", 30)
                             << "/v2/event/user_guessed"
                             << StringMap{ { "loc_id", "108288" },
                                           { "start", "30" },
                                           { "count", "30" } };
    QTest::newRow("hot list") << E::queryForEventsByLocation("108288", QString(), none)
                              << "/v2/event/list"
                              << StringMap{ { "loc", "108288" }, { "count", "30" } };
    QTest::newRow("weekend list") << E::queryForEventsByLocation("108288", "weekend", 30)
                                  << "/v2/event/list"
                                  << StringMap{ { "loc", "108288" },
                                                { "day_type", "weekend" },
                                                { "start", "30" },
                                                { "count", "30" } };
    QTest::newRow("browse by district")
            << E::queryForEventsByLocation("108288", "future", "music", "chaoyang", 0)
            << "/v2/event/list" << StringMap{ { "loc", "108288" },   { "day_type", "future" },
                                              { "type", "music" },   { "district", "chaoyang" },
                                              { "start", "0" },      { "photo_cate", "image" },
                                              { "photo_count", "5" } };
    QTest::newRow("nearby") << E::queryForEventsByLocationNearby("108288", "today", "all",
                                                                 "39.900000", "116.400000", none)
                            << "/v2/event/nearby"
                            << StringMap{ { "loc", "108288" },
                                          { "day_type", "today" },
                                          { "type", "all" },
                                          { "lat", "39.900000" },
                                          { "lng", "116.400000" } };
    QTest::newRow("wish") << E::queryForWishEventById("7") << "/v2/event/7/wishers" << StringMap();
    QTest::newRow("participate") << E::queryForParticipateEventById("7")
                                 << "/v2/event/7/participants" << StringMap();
    QTest::newRow("participate on a day")
            << E::queryForParticipateEventById("7", "2026-12-12") << "/v2/event/7/participants"
            << StringMap{ { "participate_date", "2026-12-12" } };

    QTest::newRow("register") << P::queryForRegisterWithDeviceToken("abc")
                              << "/v2/velari_event_app/register" << StringMap{ { "token", "abc" } };
    QTest::newRow("unregister") << P::queryForUnregisterWithDeviceToken("abc")
                                << "/v2/velari_event_app/unregister"
                                << StringMap{ { "token", "abc" } };
    QTest::newRow("tickets") << P::queryForMyTickets() << "/v2/velari_event_app/order/list"
                             << StringMap();
    QTest::newRow("pass") << P::queryForPasskBookWithOrderId("9")
                          << "/v2/velari_event_app/order/9/passbook"
                          << StringMap{ { "use_developer_sign", "true" } };
    QTest::newRow("reminder read") << P::queryForNotificationType()
                                   << "/v2/velari_event_app/notification_type" << StringMap();
    QTest::newRow("reminder set") << P::queryForNotificationTypeWithType("10")
                                  << "/v2/velari_event_app/notification_type"
                                  << StringMap{ { "notification_type", "10" } };
    QTest::newRow("me") << P::queryForUserById("~me") << "/v2/user/~me" << StringMap();
    QTest::newRow("following page")
            << P::queryForFollowingByUid("42", 40) << "/brio/users/42/following"
            << StringMap{ { "page", "40" }, { "count", "20" } };
    QTest::newRow("followers") << P::queryForFollowersByUid("42", none)
                               << "/brio/users/42/followers" << StringMap{ { "count", "20" } };
    QTest::newRow("brief following")
            << P::queryForAllFollowingBriefInfo() << "/brio/in/followings" << StringMap();

    QTest::newRow("city search") << C::queryForSearchCitiesWithKey("bei", 0) << "/v2/loc/search"
                                 << StringMap{ { "q", "bei" }, { "start", "0" } };
    QTest::newRow("cities") << C::queryForCitiesWithStartIndex(none) << "/v2/loc/list"
                            << StringMap();
    QTest::newRow("geo") << C::queryForCityWithLatitude(39.9, 116.4) << "/v2/loc/geo"
                         << StringMap{ { "lat", "39.900000" }, { "lng", "116.400000" } };
    QTest::newRow("districts") << C::queryForDistrictsByCityId("108288", 20)
                               << "/v2/loc/108288/districts" << StringMap{ { "start", "20" } };

    QTest::newRow("photos") << Ph::queryForPhotosByEventId("7", none) << "/v2/event/7/photos"
                            << StringMap{ { "count", "5" } };
    QTest::newRow("album") << Ph::queryForAlbumByAlbumId("55") << "/v2/album/55" << StringMap();
    QTest::newRow("recommendations")
            << R::queryForRecommendations() << "/brio/statuses/" << StringMap();
    QTest::newRow("comments") << R::queryForCommentStatus("3") << "/brio/statuses/3/comments"
                              << StringMap();
}

void tst_Query::catalogue()
{
    QFETCH(VELQuery, query);
    QFETCH(QString, path);
    QFETCH(StringMap, parameters);
    QCOMPARE(query.subPath(), path);
    StringMap actual;
    const QVariantMap given = query.parameters();
    for (auto it = given.cbegin(); it != given.cend(); ++it)
        actual.insert(it.key(), VELQuery::plainText(it.value()));
    QCOMPARE(actual, parameters);
    QVERIFY(query.apiBaseUrlString().isEmpty());
}

void tst_Query::parseQueryString()
{
    const QVariantMap parsed = VELService::parseQueryString(
            QStringLiteral("alias=%E5%BC%A0%E4%B8%89%40mail.com&code=1&broken&a=b=c"));
    QCOMPARE(parsed.value("alias").toString(), QStringLiteral("张三@mail.com"));
    QCOMPARE(parsed.value("code").toString(), QStringLiteral("1"));
    QCOMPARE(parsed.size(), 2);
}

QTEST_GUILESS_MAIN(tst_Query)
#include "tst_query.moc"
