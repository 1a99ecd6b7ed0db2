#include "TestHome.h"
#include "api/VELLoc.h"
#include "api/VELEventArray.h"
#include "api/VELLocArray.h"
#include "api/VELPhotoArray.h"
#include "api/VELTicketArray.h"
#include "platform/Clock.h"

#include <QSignalSpy>
#include <QTest>

class tst_Records : public QObject
{
    Q_OBJECT

private slots:
    void factoriesMakeTheirOwnType();
    void init()
    {
        m_home = std::make_unique<TestHome>();
        Clock::setTimeZone(QTimeZone("Asia/Shanghai"));
    }
    void cleanup() { m_home.reset(); }

    void unreadableTextGivesNoRecord_data();
    void unreadableTextGivesNoRecord();
    void setStringKeepsOldDictionaryOnBadText();
    void conversions();
    void coordinates_data();
    void coordinates();
    void categoryNames_data();
    void categoryNames();
    void times_data();
    void times();
    void listSkipsNonObjectsAndKeepsOrder();
    void sharedRecordAnnouncesChanges();
    void citiesEqualByIdentifier();
    void photoSizesAndTicketEvent();
    void expiryHelpers();

private:
    std::unique_ptr<TestHome> m_home;
};

void tst_Records::unreadableTextGivesNoRecord_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString("");
    QTest::newRow("null") << QString();
    QTest::newRow("not json") << QString("<html>oops</html>");
    QTest::newRow("truncated") << QString(R"({"events":[{"id":"1"})");
    QTest::newRow("array, not object") << QString("[1,2]");
}

void tst_Records::unreadableTextGivesNoRecord()
{
    QFETCH(QString, text);
    QVERIFY(!VELObject::objectWithString<VELEventArray>(text));
}

void tst_Records::setStringKeepsOldDictionaryOnBadText()
{
    auto event = VELObject::objectWithString<VELEvent>(R"({"id":"1","title":"A"})");
    QVERIFY(event);
    event->setString("not json");
    QCOMPARE(event->title(), QStringLiteral("A"));
    event->setString(R"({"id":"2"})");
    QCOMPARE(event->identifier(), QStringLiteral("2"));
    QCOMPARE(event->title(), QString());
    QCOMPARE(VELObject::objectWithString<VELEvent>(event->string())->identifier(), "2");
}

void tst_Records::conversions()
{
    auto event = VELObject::objectWithString<VELEvent>(
            R"({"id":123,"participant_count":"17","wisher_count":4.0,"title":null,
                "owner":{"id":"9","name":"主办方"},"photos":["a.jpg","b.jpg"]})");
    QVERIFY(event);
    QCOMPARE(event->identifier(), QStringLiteral("123"));
    QCOMPARE(event->participantCount(), 17);
    QCOMPARE(event->wisherCount(), 4);
    QVERIFY(event->title().isNull());
    QVERIFY(event->address().isNull());
    QCOMPARE(event->owner()->name(), QStringLiteral("主办方"));
    QCOMPARE(event->photos().size(), 2);
    QVERIFY(!event->beginTime().isValid());

    auto loc = VELObject::objectWithString<VELLoc>(R"({"habitable":true})");
    QVERIFY(loc->isHabitable());
    loc->setIsHabitable(false);
    QVERIFY(!loc->isHabitable());
    QVERIFY(loc->dictionary().value("habitable").isDouble()); // stored as a number
    auto numeric = VELObject::objectWithString<VELLoc>(R"({"habitable":2})");
    QVERIFY(numeric->isHabitable());
}

void tst_Records::coordinates_data()
{
    QTest::addColumn<QString>("geo");
    QTest::addColumn<float>("lat");
    QTest::addColumn<float>("lng");
    QTest::newRow("latitude blank longitude") << "39.9 116.4" << 39.9f << 116.4f;
    QTest::newRow("only one number") << "39.9" << 0.0f << 0.0f;
    QTest::newRow("two blanks") << "39.9  116.4" << 0.0f << 0.0f;
    QTest::newRow("absent") << QString() << 0.0f << 0.0f;
}

void tst_Records::coordinates()
{
    QFETCH(QString, geo);
    QFETCH(float, lat);
    QFETCH(float, lng);
    QJsonObject object;
    if (!geo.isNull())
        object.insert("geo", geo);
    VELEvent event(object);
    QCOMPARE(event.lat(), lat);
    QCOMPARE(event.lng(), lng);
}

void tst_Records::categoryNames_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("name");
    QTest::newRow("music") << "music" << QStringLiteral("音乐/演出");
    QTest::newRow("salon") << "salon" << QStringLiteral("讲座/沙龙");
    QTest::newRow("case matters") << "Music" << QStringLiteral("类型");
    QTest::newRow("others") << "others" << QStringLiteral("类型");
    QTest::newRow("absent") << QString() << QStringLiteral("类型");
}

void tst_Records::categoryNames()
{
    QFETCH(QString, category);
    QFETCH(QString, name);
    QJsonObject object;
    if (!category.isNull())
        object.insert("category", category);
    QCOMPARE(VELEvent(object).categoryName(), name);
}

void tst_Records::times_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected");
    const QTimeZone shanghai("Asia/Shanghai");
    QTest::newRow("full") << "2013-05-01 19:30:45"
                          << QDateTime(QDate(2013, 5, 1), QTime(19, 30, 45), shanghai);
    QTest::newRow("date only") << "2013-05-01" << QDateTime();
    QTest::newRow("other layout") << "2013/05/01 19:30:45" << QDateTime();
}

void tst_Records::times()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, expected);
    VELEvent event(QJsonObject{ { "begin_time", text } });
    QCOMPARE(event.beginTime(), expected);
    if (expected.isValid())
        QCOMPARE(event.beginTime().toUTC().time(), QTime(11, 30, 45));
}

void tst_Records::listSkipsNonObjectsAndKeepsOrder()
{
    auto list = VELObject::objectWithString<VELEventArray>(
            R"({"start":0,"count":3,"total":"75","events":[{"id":"a"},7,{"id":"b"},"x",{"id":"c"}]})");
    QVERIFY(list);
    QCOMPARE(list->start(), 0);
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->total(), 75);
    const QList<VELEventPtr> events = list->objectArray();
    QCOMPARE(events.size(), 3);
    QCOMPARE(events.at(0)->identifier(), QStringLiteral("a"));
    QCOMPARE(events.at(2)->identifier(), QStringLiteral("c"));
    QVERIFY(list->objectArray().first() != events.first()); // a new array on every call
    QCOMPARE(VELObject::objectWithString<VELLocArray>(R"({"total":0})")->objectArray().size(), 0);
    QCOMPARE(VELTicketArray::objectName(), QStringLiteral("orders"));
    QCOMPARE(VELPhotoArray::objectName(), QStringLiteral("photos"));
}

void tst_Records::sharedRecordAnnouncesChanges()
{
    VELEventPtr event = VELObject::objectWithString<VELEvent>(R"({"id":"1"})");
    VELEventPtr seenElsewhere = event; // another screen holding the same row
    QSignalSpy changed(event.get(), &VELObject::changed);
    event->setStatus(QStringLiteral("wish"));
    event->setParticipateDateStr(QStringLiteral("2013-05-02"));
    QCOMPARE(changed.size(), 2);
    QCOMPARE(seenElsewhere->status(), QStringLiteral("wish"));
    QCOMPARE(seenElsewhere->participateDate(),
             QDateTime(QDate(2013, 5, 2), QTime(0, 0), QTimeZone("Asia/Shanghai")));
    event->setStatus(QString());
    QVERIFY(!event->dictionary().contains("status"));
}

void tst_Records::citiesEqualByIdentifier()
{
    VELLoc first(QJsonObject{ { "id", "108288" }, { "name", QStringLiteral("北京") } });
    VELLoc second(QJsonObject{ { "id", "108288" }, { "name", "Beijing" } });
    VELLoc other(QJsonObject{ { "id", "108296" }, { "name", QStringLiteral("北京") } });
    QVERIFY(first == second);
    QVERIFY(!(first == other));
    QCOMPARE(qHash(first), qHash(second));
}

void tst_Records::photoSizesAndTicketEvent()
{
    VELPhoto photo(QJsonObject{ { "sizes",
                                  QJsonObject{ { "image", QJsonArray{ 640, "480" } },
                                               { "thumb", QJsonArray{ 100 } } } } });
    QCOMPARE(photo.imageSize(), QSizeF(640, 480));
    QCOMPARE(photo.thumbSize(), QSizeF(100, 0));
    QCOMPARE(photo.coverSize(), QSizeF(0, 0));
    QCOMPARE(VELPhoto().iconSize(), QSizeF(0, 0));

    auto ticket = VELObject::objectWithString<VELTicket>(
            R"({"id":"o1","price":"88.5","num":2,"event":{"id":"e1","title":"话剧"}})");
    QCOMPARE(ticket->price(), 88.5f);
    QCOMPARE(ticket->num(), 2);
    QCOMPARE(ticket->event()->title(), QStringLiteral("话剧"));
    QVERIFY(!VELTicket().event());
}

void tst_Records::expiryHelpers()
{
    const QDateTime now(QDate(2026, 12, 11), QTime(12, 0), Qt::UTC);
    Clock::setNow(now);
    QCOMPARE(VELObject::dateFromExpiresin(3600.5).toMSecsSinceEpoch(),
             now.addMSecs(3600500).toMSecsSinceEpoch());
    QCOMPARE(VELObject::dateFromExpiresTimestamp(86400).toUTC(),
             QDateTime(QDate(1970, 1, 2), QTime(0, 0), Qt::UTC));
    QCOMPARE(VELObject::expiresTimestamp(QDateTime::fromMSecsSinceEpoch(1500, Qt::UTC)), 1.5);
}

void tst_Records::factoriesMakeTheirOwnType()
{
    static_assert(std::is_same_v<decltype(VELEventArray::objectWithString(QString())),
                                 std::shared_ptr<VELEventArray>>);
    static_assert(std::is_same_v<decltype(VELLoc::objectWithDictionary(QJsonObject())),
                                 std::shared_ptr<VELLoc>>);
    const auto page = VELEventArray::objectWithString(R"({"start":0,"total":1,"events":[{"id":"7"}]})");
    QVERIFY(page);
    QCOMPARE(page->total(), 1);
    QCOMPARE(page->objectArray().first()->identifier(), "7");
    QVERIFY(!VELPhotoArray::objectWithString("not json"));
}

QTEST_GUILESS_MAIN(tst_Records)
#include "tst_records.moc"
