#include "platform/MainThread.h"
#include "platform/SerialQueue.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QMutex>
#include <QTest>
#include <QThread>
#include <QThreadPool>

#include <pthread.h>

class tst_Queues : public QObject
{
    Q_OBJECT

private slots:
    void serialQueueRunsOneAtATimeInOrder();
    void serialQueueThreadCarriesItsLabel();
    void syncFromInsideTheQueueRunsInline();
    void destroyingAQueueRunsWhatWasQueued();
    void mainThreadPostAndRunFromAWorker();
};

void tst_Queues::serialQueueRunsOneAtATimeInOrder()
{
    SerialQueue queue(QStringLiteral("com.velari.test.serial"));
    QList<int> order;
    QAtomicInt running;
    int overlap = 0;
    // Items come from several producer threads; each producer's items must keep their order.
    QMutex orderMutex;
    QThreadPool producers;
    producers.setMaxThreadCount(4);
    for (int producer = 0; producer < 4; ++producer) {
        producers.start([&, producer] {
            for (int i = 0; i < 200; ++i) {
                queue.async([&, value = producer * 1000 + i] {
                    if (running.fetchAndAddOrdered(1) != 0)
                        ++overlap;
                    order.append(value);
                    running.fetchAndAddOrdered(-1);
                });
            }
        });
    }
    producers.waitForDone();
    queue.sync([] {});
    QCOMPARE(overlap, 0);
    QCOMPARE(order.size(), 800);
    for (int producer = 0; producer < 4; ++producer) {
        int last = -1;
        for (int value : std::as_const(order)) {
            if (value / 1000 != producer)
                continue;
            QVERIFY(value % 1000 > last);
            last = value % 1000;
        }
        QCOMPARE(last, 199);
    }
}

void tst_Queues::serialQueueThreadCarriesItsLabel()
{
    SerialQueue queue(QStringLiteral("stat.file"));
    QString name;
    bool current = false;
    queue.sync([&] {
        char buffer[64] = {};
        pthread_getname_np(pthread_self(), buffer, sizeof buffer);
        name = QString::fromUtf8(buffer);
        current = queue.isCurrent();
    });
    QCOMPARE(name, QStringLiteral("stat.file"));
    QVERIFY(current);
    QVERIFY(!queue.isCurrent());
}

void tst_Queues::syncFromInsideTheQueueRunsInline()
{
    SerialQueue queue(QStringLiteral("nested"));
    QStringList steps;
    queue.sync([&] {
        steps << "outer";
        queue.sync([&] { steps << "inner"; });
        steps << "after";
    });
    QCOMPARE(steps, QStringList({ "outer", "inner", "after" }));
}

void tst_Queues::destroyingAQueueRunsWhatWasQueued()
{
    QAtomicInt done;
    {
        SerialQueue queue(QStringLiteral("drain"));
        for (int i = 0; i < 50; ++i)
            queue.async([&] { done.fetchAndAddOrdered(1); });
    }
    QCOMPARE(done.loadAcquire(), 50);
}

void tst_Queues::mainThreadPostAndRunFromAWorker()
{
    QThread *main = QThread::currentThread();
    QVERIFY(MainThread::isCurrent());
    QThread *postedOn = nullptr;
    QThread *ranOn = nullptr;
    bool workerSawMain = true;
    SerialQueue worker(QStringLiteral("worker"));
    worker.async([&] {
        workerSawMain = MainThread::isCurrent();
        MainThread::post([&] { postedOn = QThread::currentThread(); });
        MainThread::run([&] { ranOn = QThread::currentThread(); });
    });
    // run() blocks the worker until the main loop serves it.
    QTRY_VERIFY_WITH_TIMEOUT(ranOn && postedOn, 5000);
    QVERIFY(!workerSawMain);
    QCOMPARE(postedOn, main);
    QCOMPARE(ranOn, main);
}

QTEST_GUILESS_MAIN(tst_Queues)
#include "tst_queues.moc"
