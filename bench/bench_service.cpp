// Requests per second through VELService (queue of 4) against a loopback server, side by side with
// a bare QNetworkAccessManager keeping 4 requests in flight. Prints both rates and their ratio;
// the service's path should reach 0.9 of the bare one or better.
#include "TestHome.h"
#include "TestServer.h"
#include "api/VELService.h"
#include "api/VelariQueryEvent.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTextStream>

namespace {

constexpr int kConcurrency = 4;

double throughService(int count)
{
    VELService &service = VELService::sharedInstance();
    QEventLoop loop;
    int done = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
        service.get(VelariQueryEvent::queryForEventsByLocation("108288", QString(), i),
                    [&](VELHttpRequest &) {
                        if (++done == count)
                            loop.quit();
                    });
    }
    loop.exec();
    return count / (timer.nsecsElapsed() / 1e9);
}

double throughBareClient(const QUrl &base, int count)
{
    QNetworkAccessManager manager;
    QEventLoop loop;
    int sent = 0;
    int done = 0;
    std::function<void()> sendNext = [&] {
        QUrl url = base;
        url.setPath(QStringLiteral("/v2/event/list"));
        url.setQuery(QStringLiteral(
                             "count=30&loc=108288&start=%1&apikey=0123456789abcdef0123456789abcdef")
                             .arg(sent++));
        QNetworkReply *reply = manager.get(QNetworkRequest(url));
        QObject::connect(reply, &QNetworkReply::finished, reply, [&, reply] {
            reply->readAll();
            reply->deleteLater();
            if (++done == count)
                loop.quit();
            else if (sent < count)
                sendNext();
        });
    };
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kConcurrency; ++i)
        sendNext();
    loop.exec();
    return count / (timer.nsecsElapsed() / 1e9);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 3000;
    TestHome home;
    TestServer server;
    if (!server.listen())
        return 1;
    server.route("GET", "/v2/event/list",
                 TestResponse::json(QByteArray(R"({"title":"音乐节","id":"1"},)").repeated(30)));
    VELService &service = VELService::sharedInstance();
    service.setClientId(QStringLiteral("0123456789abcdef0123456789abcdef"));
    service.setApiBaseUrlString(server.url(QString()).toString());

    // Warm both paths up, then alternate so neither gains from running second.
    throughService(200);
    throughBareClient(server.url(), 200);
    double ours = 0;
    double bare = 0;
    for (int round = 0; round < 3; ++round) {
        ours = std::max(ours, throughService(count));
        bare = std::max(bare, throughBareClient(server.url(), count));
    }
    QTextStream(stdout) << "VELService (queue of 4): " << qRound(ours) << " requests/s\n"
                        << "bare QNetworkAccessManager, 4 in flight: " << qRound(bare)
                        << " requests/s\n"
                        << "ratio: " << QString::number(ours / bare, 'f', 3) << '\n';
    return 0;
}
