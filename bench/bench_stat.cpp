// Records 100,000 events through the statistics facade on the main thread, as screens do, and
// prints the events per second and the longest single call (the main thread's worst stall).
// Target: under 50 µs per event on the calling thread. Then prints how long the file queue took
// to get everything on disk.
#include "TestHome.h"
#include "platform/Reachability.h"
#include "stat/VELEventLogger.h"
#include "stat/VELMobileStatEventStorage.h"
#include "stat/VELStatConfig.h"

#include "api/VELHosts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    TestHome home;
    VELHosts::setOverride("http://127.0.0.1:1", "https://127.0.0.1:1");
    Reachability::sharedInstance().setOverride(Reachability::Status::NotReachable);
    VELStatConfig::localConfig().setServiceAvailable(false);
    VELEventLogger::startWithAppKey("0b5fd1c7a3e94f2d8c6a1e0f7b3d9a42", "Vidad_eZaved",
                                    "5f2b8c1d9e7a6b4c3d2e1f00", QString(), 1);

    constexpr int kEvents = 100000;
    const QString labels[] = { "Refresh", "Slide", "Wish", "Participate" };
    qint64 longest = 0;
    QElapsedTimer total;
    total.start();
    for (int i = 0; i < kEvents; ++i) {
        const qint64 before = total.nsecsElapsed();
        VELEventLogger::event(QStringLiteral("HotEventsPage"), labels[i % 4]);
        longest = std::max(longest, total.nsecsElapsed() - before);
    }
    const double seconds = total.nsecsElapsed() / 1e9;
    QElapsedTimer drain;
    drain.start();
    VELMobileStatEventStorage::sharedInstance().waitForWrites();

    QTextStream out(stdout);
    out << "events: " << kEvents << "\n"
        << "events per second on the calling thread: " << qint64(kEvents / seconds) << "\n"
        << "mean per event: " << (seconds * 1e6 / kEvents) << " us (target < 50 us)\n"
        << "longest call: " << (longest / 1000.0) << " us\n"
        << "file queue caught up after a further: " << (drain.nsecsElapsed() / 1e6) << " ms\n";
    return seconds * 1e6 / kEvents < 50 ? 0 : 1;
}
