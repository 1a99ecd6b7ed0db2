#include "TestHome.h"
#include "api/VELEvent.h"
#include "discovery/VELDateUtils.h"
#include "platform/Clock.h"
#include "platform/LocalizedStrings.h"

#include <QTest>
#include <QTimeZone>

namespace {

const QTimeZone kShanghai("Asia/Shanghai");

QDateTime at(const QString &text, const QTimeZone &zone = kShanghai)
{
    return QDateTime(QDate::fromString(text.left(10), Qt::ISODate),
                     QTime::fromString(text.mid(11), QStringLiteral("HH:mm:ss")), zone);
}

} // namespace

class tst_DateUtils : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_home = std::make_unique<TestHome>();
        Clock::setTimeZone(kShanghai);
    }
    void cleanup() { m_home.reset(); }

    void dayTests_data();
    void dayTests();
    void tomorrowIsTwentyFourHours();
    void spans_data();
    void spans();
    void oneDay_data();
    void oneDay();
    void timeLeft_data();
    void timeLeft();
    void nextWeekend_data();
    void nextWeekend();
    void sortByParticipationDay();

private:
    std::unique_ptr<TestHome> m_home;
};

void tst_DateUtils::dayTests_data()
{
    QTest::addColumn<QString>("now");
    QTest::addColumn<QString>("date");
    QTest::addColumn<bool>("today");
    QTest::addColumn<bool>("tomorrow");
    QTest::addColumn<bool>("weekend");

    QTest::newRow("start of today") << "2013-05-01 12:00:00" << "2013-05-01 00:00:00" << true << false << false;
    QTest::newRow("end of today") << "2013-05-01 12:00:00" << "2013-05-01 23:59:59" << true << false << false;
    QTest::newRow("start of tomorrow") << "2013-05-01 12:00:00" << "2013-05-02 00:00:00" << false << true << false;
    QTest::newRow("friday") << "2013-05-01 12:00:00" << "2013-05-03 20:00:00" << false << false << false;
    QTest::newRow("saturday") << "2013-05-01 12:00:00" << "2013-05-04 10:00:00" << false << false << true;
    QTest::newRow("sunday") << "2013-05-01 12:00:00" << "2013-05-05 23:00:00" << false << false << true;
}

void tst_DateUtils::dayTests()
{
    QFETCH(QString, now);
    QFETCH(QString, date);
    QFETCH(bool, today);
    QFETCH(bool, tomorrow);
    QFETCH(bool, weekend);
    Clock::setNow(at(now));
    QCOMPARE(VELDateUtils::isToday(at(date)), today);
    QCOMPARE(VELDateUtils::isTomorrow(at(date)), tomorrow);
    QCOMPARE(VELDateUtils::isWeekend(at(date)), weekend);
    QVERIFY(!VELDateUtils::isToday(QDateTime()));
    QCOMPARE(VELDateUtils::beginOfDate(at(date)), at(date.left(10) + " 00:00:00"));
    QCOMPARE(VELDateUtils::endOfDate(at(date)), at(date.left(10) + " 23:59:59"));
}

void tst_DateUtils::tomorrowIsTwentyFourHours()
{
    // The night the clocks go forward in Berlin: 24 hours after 23:30 is already the day after.
    const QTimeZone berlin("Europe/Berlin");
    Clock::setTimeZone(berlin);
    Clock::setNow(at("2013-03-30 23:30:00", berlin));
    QVERIFY(!VELDateUtils::isTomorrow(at("2013-03-31 12:00:00", berlin)));
    QVERIFY(VELDateUtils::isTomorrow(at("2013-04-01 08:00:00", berlin)));
    QVERIFY(VELDateUtils::isAfterTomorrow(at("2013-04-02 08:00:00", berlin)));
}

void tst_DateUtils::spans_data()
{
    QTest::addColumn<QString>("begin");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("text");

    QTest::newRow("same day") << "2013-05-01 19:00:00" << "2013-05-01 21:30:00" << "05-01 19:00 -- 21:30";
    QTest::newRow("several days") << "2013-05-01 19:00:00" << "2013-05-03 18:00:00" << "05-01 19:00 -- 05-03 18:00";
    QTest::newRow("across the year") << "2012-12-31 20:00:00" << "2013-01-01 02:00:00"
                                     << "2012-12-31 20:00 -- 01-01 02:00";
    QTest::newRow("to midnight") << "2013-05-01 19:00:00" << "2013-05-02 00:00:00" << "05-01 19:00 -- 05-02 00:00";
    QTest::newRow("no end") << "2013-05-01 19:00:00" << "" << "05-01 19:00 -- ";
}

void tst_DateUtils::spans()
{
    QFETCH(QString, begin);
    QFETCH(QString, end);
    QFETCH(QString, text);
    Clock::setNow(at("2013-04-20 09:00:00"));
    QCOMPARE(VELDateUtils::timeDisplayStringWithBeginTime(at(begin), end.isEmpty() ? QDateTime() : at(end)), text);
}

void tst_DateUtils::oneDay_data()
{
    QTest::addColumn<QString>("begin");
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("oneDay");
    QTest::newRow("to midnight") << "2013-05-01 10:00:00" << "2013-05-02 00:00:00" << true;
    QTest::newRow("a second past midnight") << "2013-05-01 10:00:00" << "2013-05-02 00:00:01" << false;
    QTest::newRow("evening") << "2013-05-01 19:00:00" << "2013-05-01 21:30:00" << true;
}

void tst_DateUtils::oneDay()
{
    QFETCH(QString, begin);
    QFETCH(QString, end);
    QFETCH(bool, oneDay);
    QCOMPARE(VELDateUtils::isOneDayWithBeginTime(at(begin), at(end)), oneDay);
}

void tst_DateUtils::timeLeft_data()
{
    QTest::addColumn<QString>("now");
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("text");

    const QString day = LocalizedStrings::text("lsDay");
    const QString month = LocalizedStrings::text("lsMonth");
    QTest::newRow("a second ago") << "2013-05-01 23:00:00" << qint64(-1) << "";
    QTest::newRow("now") << "2013-05-01 23:00:00" << qint64(0) << LocalizedStrings::text("lsToday");
    QTest::newRow("tomorrow") << "2013-05-01 23:00:00" << qint64(3600 * 5) << LocalizedStrings::text("lsTomorrow");
    QTest::newRow("after tomorrow") << "2013-05-01 23:00:00" << qint64(86400 + 3600 * 5)
                                    << LocalizedStrings::text("lsAfterTomorrow");
    QTest::newRow("2 days 2 hours") << "2013-05-01 23:00:00" << qint64(2 * 86400 + 7200) << "3 " + day;
    QTest::newRow("29 days 23 hours") << "2013-05-01 12:00:00" << qint64(29 * 86400 + 23 * 3600) << "30 " + day;
    QTest::newRow("30 days") << "2013-05-01 12:00:00" << qint64(30 * 86400) << "1 " + month;
    QTest::newRow("59 days") << "2013-05-01 12:00:00" << qint64(59 * 86400) << "1 " + month;
    QTest::newRow("90 days") << "2013-05-01 12:00:00" << qint64(90 * 86400) << "3 " + month;
}

void tst_DateUtils::timeLeft()
{
    QFETCH(QString, now);
    QFETCH(qint64, seconds);
    QFETCH(QString, text);
    Clock::setNow(at(now));
    QCOMPARE(VELDateUtils::stringOfExpiredTime(at(now).addSecs(seconds)), text);
}

void tst_DateUtils::nextWeekend_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<bool>("upcoming");
    // Now is Saturday 2013-05-04 12:00.
    QTest::newRow("earlier today") << "2013-05-04 09:00:00" << false;
    QTest::newRow("later today") << "2013-05-04 19:00:00" << true;
    QTest::newRow("sunday") << "2013-05-05 10:00:00" << true;
    QTest::newRow("monday") << "2013-05-06 10:00:00" << false;
    QTest::newRow("saturday in 6 days 23 hours") << "2013-05-11 11:00:00" << true;
    QTest::newRow("saturday in exactly 7 days") << "2013-05-11 12:00:00" << false;
}

void tst_DateUtils::nextWeekend()
{
    QFETCH(QString, date);
    QFETCH(bool, upcoming);
    Clock::setNow(at("2013-05-04 12:00:00"));
    QCOMPARE(VELDateUtils::isNextWeekend(at(date)), upcoming);
}

void tst_DateUtils::sortByParticipationDay()
{
    Clock::setNow(at("2013-05-04 12:00:00"));
    auto event = [](const char *day) {
        QJsonObject object { { "id", QString::fromLatin1(day) } };
        if (*day)
            object.insert("participate_date", QString::fromLatin1(day));
        return VELEvent(object);
    };
    const VELEvent past = event("2013-05-01"), earlierPast = event("2013-04-01");
    const VELEvent today = event("2013-05-04"), future = event("2013-05-20");
    const VELEvent none = event(""), alsoNone = event("");
    QCOMPARE(VELDateUtils::eventSort(none, alsoNone), 0);
    QList<const VELEvent *> events { &past, &none, &future, &earlierPast, &today };
    std::stable_sort(events.begin(), events.end(),
                     [](const VELEvent *a, const VELEvent *b) { return VELDateUtils::eventSort(*a, *b) < 0; });
    QStringList order;
    for (const VELEvent *e : events)
        order << e->identifier();
    QCOMPARE(order, QStringList({ "2013-05-04", "2013-05-20", "", "2013-04-01", "2013-05-01" }));
}

QTEST_GUILESS_MAIN(tst_DateUtils)
#include "tst_dateutils.moc"
