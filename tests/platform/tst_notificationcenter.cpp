#include "TestHome.h"
#include "platform/NotificationCenter.h"

#include <QTest>
#include <QThread>

class tst_NotificationCenter : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<TestHome>(); }
    void cleanup() { m_home.reset(); }

    void deliversToObserversOfThatNameOnly();
    void dropsObserversWhenTheirOwnerDies();
    void removesByOwnerAndByName();
    void observerRemovedDuringAPostDoesNotRun();
    void runsObserversOnTheirOwnersThread();

private:
    std::unique_ptr<TestHome> m_home;
};

void tst_NotificationCenter::deliversToObserversOfThatNameOnly()
{
    NotificationCenter &center = NotificationCenter::defaultCenter();
    QObject owner;
    QList<Notification> received;
    int otherCalls = 0;
    center.addObserver(&owner, QStringLiteral("NotificationChangeEventStatusKey"),
                       [&](const Notification &n) { received.append(n); });
    center.addObserver(&owner, QStringLiteral("NotificationLoginFinishedKey"),
                       [&](const Notification &) { ++otherCalls; });

    const QVariantMap info{ { QStringLiteral("OldEventStatusKey"), QStringLiteral("wish") },
                            { QStringLiteral("NewEventStatusKey"),
                              QStringLiteral("participate") } };
    center.postNotification(QStringLiteral("NotificationChangeEventStatusKey"), info, &owner);

    QCOMPARE(received.size(), 1);
    QCOMPARE(received.first().name, QStringLiteral("NotificationChangeEventStatusKey"));
    QCOMPARE(received.first().userInfo, info);
    QCOMPARE(received.first().sender, &owner);
    QCOMPARE(otherCalls, 0);
}

void tst_NotificationCenter::dropsObserversWhenTheirOwnerDies()
{
    NotificationCenter &center = NotificationCenter::defaultCenter();
    int calls = 0;
    {
        QObject owner;
        center.addObserver(&owner, QStringLiteral("kNotificationPostPhotoKey"),
                           [&](const Notification &) { ++calls; });
        QCOMPARE(center.observerCount(QStringLiteral("kNotificationPostPhotoKey")), 1);
    }
    center.postNotification(QStringLiteral("kNotificationPostPhotoKey"));
    QCOMPARE(calls, 0);
    QCOMPARE(center.observerCount(QStringLiteral("kNotificationPostPhotoKey")), 0);
}

void tst_NotificationCenter::removesByOwnerAndByName()
{
    NotificationCenter &center = NotificationCenter::defaultCenter();
    QObject first, second;
    QStringList calls;
    center.addObserver(&first, QStringLiteral("A"), [&](const Notification &) { calls << "1A"; });
    center.addObserver(&first, QStringLiteral("B"), [&](const Notification &) { calls << "1B"; });
    center.addObserver(&second, QStringLiteral("A"), [&](const Notification &) { calls << "2A"; });

    center.removeObserver(&first, QStringLiteral("A"));
    center.postNotification(QStringLiteral("A"));
    center.postNotification(QStringLiteral("B"));
    QCOMPARE(calls, QStringList({ "2A", "1B" }));

    calls.clear();
    center.removeObserver(&first);
    center.postNotification(QStringLiteral("A"));
    center.postNotification(QStringLiteral("B"));
    QCOMPARE(calls, QStringList({ "2A" }));
}

void tst_NotificationCenter::observerRemovedDuringAPostDoesNotRun()
{
    NotificationCenter &center = NotificationCenter::defaultCenter();
    QObject first;
    auto second = std::make_unique<QObject>();
    int secondCalls = 0;
    center.addObserver(&first, QStringLiteral("Logout"),
                       [&](const Notification &) { second.reset(); });
    center.addObserver(second.get(), QStringLiteral("Logout"),
                       [&](const Notification &) { ++secondCalls; });
    center.postNotification(QStringLiteral("Logout"));
    QCOMPARE(secondCalls, 0);
}

void tst_NotificationCenter::runsObserversOnTheirOwnersThread()
{
    NotificationCenter &center = NotificationCenter::defaultCenter();
    QThread worker;
    worker.start();
    QObject owner;
    owner.moveToThread(&worker);
    QAtomicPointer<QThread> ranOn;
    center.addObserver(&owner, QStringLiteral("Posted"),
                       [&](const Notification &) { ranOn.storeRelease(QThread::currentThread()); });
    center.postNotification(QStringLiteral("Posted"));
    QTRY_COMPARE_WITH_TIMEOUT(ranOn.loadAcquire(), &worker, 5000);
    center.removeObserver(&owner);
    worker.quit();
    worker.wait();
}

QTEST_GUILESS_MAIN(tst_NotificationCenter)
#include "tst_notificationcenter.moc"
