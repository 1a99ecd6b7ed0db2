#include "TestHome.h"
#include "platform/Clock.h"
#include "platform/PropertyList.h"
#include "platform/SharedInstances.h"
#include "stat/VELMobileStatDefaultValues.h"
#include "stat/VELMobileStatEventStorage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

QVariantList eventsIn(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return PropertyList::fromXml(file.readAll()).value_or(QVariant()).toList();
}

QStringList namesIn(const QString &path)
{
    QStringList names;
    for (const QVariant &event : eventsIn(path))
        names << event.toMap().value("nm").toString();
    return names;
}

VELStatEvent normal(const QString &name)
{
    return VELStatEvent::normalEventWithName(name, std::nullopt, 1);
}

VELStatEvent important(const QString &name)
{
    return VELStatEvent::importantEventWithName(name, std::nullopt, 1);
}

} // namespace

class tst_StatStorage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void serialisedForm_data();
    void serialisedForm();
    void fiveHundredAndOne();
    void fileBeingSentIsClosedForAppending();
    void queuedEventsKeepTheirOrderAroundOtherCalls();
    void trimKeepsTheTenNewest();
    void otherKindsAreIgnored();

private:
    VELMobileStatEventStorage &storage() { return VELMobileStatEventStorage::sharedInstance(); }
    std::unique_ptr<TestHome> m_home;
};

void tst_StatStorage::init()
{
    m_home = std::make_unique<TestHome>();
    Clock::setNow(QDateTime(QDate(2026, 12, 11), QTime(8, 0), Qt::UTC));
}

void tst_StatStorage::cleanup()
{
    m_home.reset();
}

void tst_StatStorage::serialisedForm_data()
{
    QTest::addColumn<std::optional<QString>>("label");
    QTest::addColumn<int>("count");
    QTest::addColumn<QVariantMap>("expected");

    const QVariantMap base { { "nm", "EventSharePage" }, { "tm", "1796976000.000000" }, { "vn", "1.0.0" } };
    QVariantMap labelled = base;
    labelled.insert("lb", "SinaWeiboSuccess");
    labelled.insert("cnt", "1");
    QVariantMap empty = base;
    empty.insert("lb", "");
    empty.insert("cnt", "1");
    QVariantMap timed = base;
    QTest::newRow("label") << std::optional<QString>("SinaWeiboSuccess") << 1 << labelled;
    QTest::newRow("empty label kept") << std::optional<QString>(QString("")) << 1 << empty;
    QTest::newRow("no label, no count") << std::optional<QString>() << 0 << timed;
}

void tst_StatStorage::serialisedForm()
{
    QFETCH(std::optional<QString>, label);
    QFETCH(int, count);
    QFETCH(QVariantMap, expected);
    QCOMPARE(VELStatEvent::normalEventWithName("EventSharePage", label, count).toMutableDictionary(),
             expected);
}

void tst_StatStorage::fiveHundredAndOne()
{
    for (int i = 1; i <= 500; ++i)
        storage().writelEventToDisk(normal(QString::number(i)));
    QStringList files = storage().sortedPathsOfNormalLogFilesByTimeIncrease();
    QCOMPARE(files.size(), 1);
    QCOMPARE(QFileInfo(files.first()).fileName(), "normal_1796976000000.plist");
    QCOMPARE(eventsIn(files.first()).size(), 500);

    storage().writelEventToDisk(normal("501"));
    files = storage().sortedPathsOfNormalLogFilesByTimeIncrease();
    QCOMPARE(files.size(), 2);
    QVERIFY(QFileInfo(files.last()).fileName().startsWith("normal_17969760000"));
    QCOMPARE(namesIn(files.last()), QStringList { "501" });
    QCOMPARE(namesIn(files.first()).last(), "500");

    // A new run reads the newest file back and goes on appending to it.
    SharedInstance<VELMobileStatEventStorage>::reset();
    storage().writelEventToDisk(normal("502"));
    QCOMPARE(storage().sortedPathsOfNormalLogFilesByTimeIncrease().size(), 2);
    QCOMPARE(namesIn(files.last()), QStringList({ "501", "502" }));
}

void tst_StatStorage::fileBeingSentIsClosedForAppending()
{
    storage().writelEventToDisk(important("appLaunch"));
    storage().writelEventToDisk(normal("a"));
    const QString sentImportant = storage().sortedPathsOfImportantLogFilesByTimeIncrease().last();
    storage().addSendingPath(sentImportant);
    QVERIFY(storage().isSendingEventLogFile(sentImportant));

    Clock::setNow(Clock::now().addSecs(1));
    storage().writelEventToDisk(important("appTerminal"));
    storage().writelEventToDisk(normal("b"));
    const QStringList importantFiles = storage().sortedPathsOfImportantLogFilesByTimeIncrease();
    QCOMPARE(importantFiles.size(), 2);
    QCOMPARE(namesIn(importantFiles.first()), QStringList { "appLaunch" });
    QCOMPARE(namesIn(importantFiles.last()), QStringList { "appTerminal" });
    const QStringList normalFiles = storage().sortedPathsOfNormalLogFilesByTimeIncrease();
    QCOMPARE(normalFiles.size(), 1);
    QCOMPARE(namesIn(normalFiles.first()), QStringList({ "a", "b" }));

    storage().deleteEventLogFile(sentImportant);
    QVERIFY(!QFile::exists(sentImportant));
    QVERIFY(!storage().isSendingEventLogFile(sentImportant));
    QCOMPARE(storage().sortedPathsOfImportantLogFilesByTimeIncrease(), QStringList { importantFiles.last() });
}

void tst_StatStorage::queuedEventsKeepTheirOrderAroundOtherCalls()
{
    for (int i = 0; i < 1200; ++i)
        storage().asyncWritelEventToDisk(normal(QString::number(i)));
    // The newest file is being sent from here on: what follows goes to a new file.
    const QString newest = storage().sortedPathsOfNormalLogFilesByTimeIncrease().last();
    storage().addSendingPath(newest);
    storage().asyncWritelEventToDisk(normal("after"));
    storage().waitForWrites();

    const QStringList files = storage().sortedPathsOfNormalLogFilesByTimeIncrease();
    QCOMPARE(files.size(), 4);
    QStringList all;
    for (const QString &file : files.mid(0, 3))
        all << namesIn(file);
    QCOMPARE(all.size(), 1200);
    for (int i = 0; i < 1200; ++i)
        QCOMPARE(all.at(i), QString::number(i));
    QCOMPARE(eventsIn(files.at(0)).size(), 500);
    QCOMPARE(eventsIn(files.at(2)).size(), 200);
    QCOMPARE(files.at(2), newest);
    QCOMPARE(namesIn(files.at(3)), QStringList { "after" });
}

void tst_StatStorage::trimKeepsTheTenNewest()
{
    for (int i = 0; i < 12; ++i) {
        storage().writelEventToDisk(important(QString::number(i)));
        storage().addSendingPath(storage().sortedPathsOfImportantLogFilesByTimeIncrease().last());
        Clock::setNow(Clock::now().addMSecs(10));
    }
    QCOMPARE(storage().clearOldImportLogFiles(), 2);
    QStringList kept = storage().sortedPathsOfImportantLogFilesByTimeIncrease();
    QCOMPARE(kept.size(), 10);
    QCOMPARE(namesIn(kept.first()), QStringList { "2" });
    QCOMPARE(namesIn(kept.last()), QStringList { "11" });

    // A stray file is never an event file, but trimming counts it: as the newest entry it takes
    // one of the ten places.
    QFile stray(VELMobileStatDefaultValues::dirPathOfImportantLog() + "/notes.txt");
    QVERIFY(stray.open(QIODevice::WriteOnly));
    stray.close();
    QCOMPARE(storage().sortedPathsOfImportantLogFilesByTimeIncrease().size(), 10);
    QCOMPARE(storage().clearOldImportLogFiles(), 1);
    QVERIFY(stray.exists());
    kept = storage().sortedPathsOfImportantLogFilesByTimeIncrease();
    QCOMPARE(kept.size(), 9);
    QCOMPARE(namesIn(kept.first()), QStringList { "3" });
    QCOMPARE(storage().clearOldNormalLogFiles(), 0);
}

void tst_StatStorage::otherKindsAreIgnored()
{
    VELStatEvent odd = normal("odd");
    odd.type = 2;
    storage().writelEventToDisk(odd);
    QVERIFY(storage().sortedPathsOfNormalLogFilesByTimeIncrease().isEmpty());
    QVERIFY(storage().sortedPathsOfImportantLogFilesByTimeIncrease().isEmpty());
}

QTEST_GUILESS_MAIN(tst_StatStorage)
#include "tst_statstorage.moc"
