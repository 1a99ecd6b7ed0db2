#include "MultipartBody.h"
#include "StandIn.h"
#include "TestHome.h"
#include "TestServer.h"
#include "api/VELHosts.h"
#include "platform/Clock.h"
#include "platform/Gzip.h"
#include "platform/Preferences.h"
#include "platform/Reachability.h"
#include "stat/VELMobileStatDefaultValues.h"
#include "stat/VELMobileStatEventStorage.h"
#include "stat/VELMobileStatImp.h"
#include "stat/VELStatConfig.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace {

const QString kKey = QStringLiteral("0b5fd1c7a3e94f2d8c6a1e0f7b3d9a42");

VELMobileStatImp &engine()
{
    return VELMobileStatImp::sharedInstance();
}

VELMobileStatEventStorage &storage()
{
    return VELMobileStatEventStorage::sharedInstance();
}

QStringList storedFiles()
{
    storage().waitForWrites();
    return storage().sortedPathsOfImportantLogFilesByTimeIncrease()
            + storage().sortedPathsOfNormalLogFilesByTimeIncrease();
}

int uploadRequests(const TestServer &server)
{
    int count = 0;
    for (const TestRequest &request : server.requests())
        count += request.method == "POST" && request.path() == "/";
    return count;
}

// What the stand-in's statistics host kept.
QJsonArray uploadsAt(const StandIn &host)
{
    bool done = false;
    QJsonArray uploads;
    auto list = VELHttpRequest::requestWithURL(QUrl(host.httpUrl() + "/stat/uploads"),
                                               [&](VELHttpRequest &reply) {
                                                   uploads = QJsonDocument::fromJson(reply.responseData()).array();
                                                   done = true;
                                               });
    list->startAsynchronous();
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        qWarning("no answer from the statistics host");
    return uploads;
}

} // namespace

class tst_StatUpload : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void uploadBodyAndPayload();
    void statusDecidesTheFile_data();
    void statusDecidesTheFile();
    void checkAnsweringZeroStopsUploads();
    void thresholds();
    void sameFileQueuedTwiceIsSentOnce();
    void immediateSendFallsBackToStorage();
    void recordingWhileTheHostIsSlow();
    void crashReportFromTheLastRunIsSent();

private:
    // Starts the engine against the test server, which answers the check with "1".
    void startOnTestServer(int policy = 1);
    // Waits for uploads and for the callbacks they post to the main thread.
    void settle();

    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TestServer> m_server;
};

void tst_StatUpload::init()
{
    m_home = std::make_unique<TestHome>();
    m_server = std::make_unique<TestServer>();
    QVERIFY(m_server->listen());
    Reachability::sharedInstance().setOverride(Reachability::Status::ViaWWAN);
    m_server->route("GET", "/check", TestResponse::text("1"));
    m_server->route("POST", "/", TestResponse::text("ok"));
    const QString base = m_server->url(QString()).toString();
    VELHosts::setOverride(base, base);
    Clock::setNow(QDateTime(QDate(2026, 12, 11), QTime(9, 0), Qt::UTC));
}

void tst_StatUpload::cleanup()
{
    engine().waitForNetworkQueue();
    m_home.reset();
    m_server.reset();
}

void tst_StatUpload::startOnTestServer(int policy)
{
    engine().startWithAppkey(kKey, "Vidad_eZaved", policy, "AppStore");
    QTRY_VERIFY(m_server->requestCount() >= 1); // the service check
}

void tst_StatUpload::settle()
{
    engine().waitForNetworkQueue();
    QCoreApplication::processEvents();
    storage().waitForWrites();
}

void tst_StatUpload::uploadBodyAndPayload()
{
    startOnTestServer();
    engine().bindUser("1001", "token");
    for (const char *label : { "Refresh", "", "Slide" })
        engine().event("HotEventsPage", QString::fromLatin1(label), 1);
    const QStringList files = storedFiles();
    QCOMPARE(files.size(), 1);
    engine().uploadAllEvents();
    settle();

    QCOMPARE(uploadRequests(*m_server), 1);
    const TestRequest upload = m_server->requests().last();
    QVERIFY(upload.body.startsWith("\r\n--------"));
    const QByteArray type = upload.header("Content-Type");
    QVERIFY(type.startsWith("multipart/form-data; boundary=------"));
    const auto parts = MultipartBody::parse(type, upload.body);
    QVERIFY(parts);
    QMap<QByteArray, QByteArray> fields;
    for (const auto &part : *parts)
        fields.insert(part.dispositionParameter("name"), part.body);
    QCOMPARE(fields.keys(), QList<QByteArray>({ "apikey", "app_name", "token", "userid", "ziplogs" }));
    QCOMPARE(fields.value("app_name"), "Vidad_eZaved");
    QCOMPARE(fields.value("userid"), "1001");
    QCOMPARE(fields.value("token"), QCryptographicHash::hash("token", QCryptographicHash::Md5).toHex());

    const auto json = Gzip::decompress(fields.value("ziplogs"));
    QVERIFY(json);
    const QJsonObject log = QJsonDocument::fromJson(*json).object().value("logs").toArray().at(0).toObject();
    QCOMPARE(log.value("ai").toObject().value("sv").toString(), "1.4.1");
    QCOMPARE(log.value("ai").toObject().value("ui").toString(), "1001");
    QCOMPARE(log.value("ai").toObject().value("ch").toString(), "AppStore");
    QCOMPARE(log.value("di").toObject().value("did").toString().size(), 40);
    const QJsonArray events = log.value("ets").toArray();
    QCOMPARE(events.size(), 3);
    QCOMPARE(events.at(0).toObject().value("lb").toString(), "Refresh");
    QVERIFY(events.at(1).toObject().contains("lb"));
    QCOMPARE(events.at(2).toObject().value("nm").toString(), "HotEventsPage");
    QCOMPARE(events.at(2).toObject().value("net").toString(), "3G");

    QVERIFY(!QFile::exists(files.first()));
    QVERIFY(engine().lastUploadTime());
    QVERIFY(Preferences::standard().contains(VELMobileStatDefaultValues::kNormalEventsUploadTimeKey));
}

void tst_StatUpload::statusDecidesTheFile_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("200") << 200 << true;
    QTest::newRow("204") << 204 << true;
    QTest::newRow("300 was taken for success") << 300 << false;
    QTest::newRow("301") << 301 << false;
    QTest::newRow("500") << 500 << false;
}

void tst_StatUpload::statusDecidesTheFile()
{
    QFETCH(int, status);
    QFETCH(bool, deleted);
    TestResponse answer;
    answer.status = status;
    m_server->route("POST", "/", answer);
    startOnTestServer();
    engine().event("EventDetailPage", QStringLiteral("Wish"), 1);
    const QString file = storedFiles().value(0);
    engine().uploadAllNormalEvents();
    settle();
    QCOMPARE(uploadRequests(*m_server), 1);
    QCOMPARE(!QFile::exists(file), deleted);
    // A kept file is free for the next upload.
    QVERIFY(!storage().isSendingEventLogFile(file));
    QCOMPARE(bool(engine().lastUploadTime()), deleted);
}

void tst_StatUpload::checkAnsweringZeroStopsUploads()
{
    m_server->route("GET", "/check", TestResponse::text("0"));
    int answered = -1;
    engine().startWithAppkey(kKey, "Vidad_eZaved", 1, "AppStore");
    engine().sendRequestServiceAvailable([&answered](int available) { answered = available; });
    QTRY_COMPARE(answered, 0);
    QVERIFY(!engine().isServiceAvailable());
    const TestRequest check = m_server->requests().first();
    QVERIFY(check.query().startsWith("app_name=Vidad_eZaved&apikey=" + kKey.toLatin1()
                                     + "&sdkVersion=1.4.1&did="));

    engine().event("MyEventsPage", QStringLiteral("Tickets"), 1);
    const QString file = storedFiles().value(0);
    engine().uploadAllEvents();
    settle();
    QCOMPARE(uploadRequests(*m_server), 0);
    QVERIFY(QFile::exists(file));

    m_server->route("GET", "/check", TestResponse::text("yes"));
    engine().sendRequestServiceAvailable([&answered](int available) { answered = available; });
    QTRY_COMPARE(answered, 1);
    QVERIFY(VELStatConfig::localConfig().serviceAvailable());
    engine().uploadAllEvents();
    settle();
    QCOMPARE(uploadRequests(*m_server), 1);
}

void tst_StatUpload::thresholds()
{
    startOnTestServer();
    auto record = [] { engine().event("HotEventsPage", QStringLiteral("Slide"), 1); storage().waitForWrites(); };
    // No upload yet in this run: everything goes.
    record();
    engine().uploadAllEventsIfNeeded();
    settle();
    QCOMPARE(uploadRequests(*m_server), 1);

    record();
    Clock::setNow(Clock::now().addSecs(59 * 60));
    engine().uploadAllEventsIfNeeded();
    engine().uploadImportantEventsIfNeeded();
    settle();
    QCOMPARE(uploadRequests(*m_server), 1);
    Clock::setNow(Clock::now().addSecs(2 * 60));
    engine().uploadAllEventsIfNeeded();
    settle();
    QCOMPARE(uploadRequests(*m_server), 2);

    // The stored normal upload date forces normal files once it is over a day old.
    record();
    engine().forceUploadNormalEventsIfMoreThanOneDayIfNeeded();
    settle();
    QCOMPARE(uploadRequests(*m_server), 2);
    Clock::setNow(Clock::now().addSecs(25 * 3600));
    engine().forceUploadNormalEventsIfMoreThanOneDayIfNeeded();
    settle();
    QCOMPARE(uploadRequests(*m_server), 3);

    // Without a stored date nothing is forced.
    Preferences::standard().remove(VELMobileStatDefaultValues::kNormalEventsUploadTimeKey);
    record();
    Clock::setNow(Clock::now().addSecs(48 * 3600));
    engine().forceUploadNormalEventsIfMoreThanOneDayIfNeeded();
    settle();
    QCOMPARE(uploadRequests(*m_server), 3);
}

void tst_StatUpload::sameFileQueuedTwiceIsSentOnce()
{
    TestResponse slow = TestResponse::text("ok");
    slow.delayMs = 200;
    m_server->route("POST", "/", slow);
    startOnTestServer();
    engine().event("SettingsPage", QStringLiteral("Logout"), 1);
    const QString file = storedFiles().value(0);
    engine().sendEventsInFile(file, {}, {});
    engine().sendEventsInFile(file, {}, {});
    engine().uploadAllNormalEvents();
    settle();
    QCOMPARE(uploadRequests(*m_server), 1);
    QVERIFY(!QFile::exists(file));
}

void tst_StatUpload::immediateSendFallsBackToStorage()
{
    startOnTestServer(7);
    engine().event("EventSharePage", QStringLiteral("WeChat"), 1);
    settle();
    QCOMPARE(uploadRequests(*m_server), 1);
    const TestRequest single = m_server->requests().last();
    QVERIFY(single.query().startsWith("app_name=Vidad_eZaved&apikey=" + kKey.toLatin1() + "&did="));
    QVERIFY(single.body.startsWith("logs={"));
    const QJsonObject payload = QJsonDocument::fromJson(single.body.mid(5)).object();
    QCOMPARE(payload.value("logs").toArray().at(0).toObject().value("ets").toArray().at(0)
                     .toObject().value("lb").toString(),
             "WeChat");
    QVERIFY(storedFiles().isEmpty());

    m_server->route("POST", "/", TestResponse::text("busy", 503));
    engine().event("EventSharePage", QStringLiteral("Mail"), 1);
    settle();
    QCOMPARE(uploadRequests(*m_server), 2);
    QCOMPARE(storedFiles().size(), 1);
}

void tst_StatUpload::recordingWhileTheHostIsSlow()
{
    StandIn host;
    QVERIFY2(host.start({ "--statistics-delay-ms", "1500" }),
             qPrintable(host.errorOutput()));
    VELHosts::setOverride(host.httpUrl(), host.httpUrl());
    engine().startWithAppkey(kKey, "Vidad_eZaved", 1, "AppStore");
    for (int i = 0; i < 50; ++i)
        engine().event("EventBrowsePage", QString::number(i), 1);
    const QString first = storedFiles().value(0);
    engine().uploadAllEvents();
    // While the host holds its answer, the main thread goes on recording.
    for (int i = 0; i < 1000; ++i)
        engine().event("EventBrowsePage", QStringLiteral("more"), 1);
    QVERIFY2(QFile::exists(first), "the upload should still be waiting for the host");
    settle();
    QVERIFY(!QFile::exists(first));

    int stored = 0;
    for (const QString &file : storedFiles()) {
        QFile content(file);
        QVERIFY(content.open(QIODevice::ReadOnly));
        stored += int(content.readAll().count("<key>nm</key>"));
    }
    const QJsonArray uploads = uploadsAt(host);
    QCOMPARE(uploads.size(), 1);
    QCOMPARE(uploads.at(0).toObject().value("events").toInt(), 50);
    QCOMPARE(stored, 1000);
}

void tst_StatUpload::crashReportFromTheLastRunIsSent()
{
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VELARI_HOME", qEnvironmentVariable("VELARI_HOME"));
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(CRASH_PROBE_PATH));
    QVERIFY(probe.waitForFinished(20000));
    QCOMPARE(probe.exitStatus(), QProcess::CrashExit);
    const QString pending = VELMobileStatDefaultValues::filePathOfPendingCrashReport();
    QVERIFY(QFile::exists(pending));

    StandIn host;
    QVERIFY2(host.start(), qPrintable(host.errorOutput()));
    VELHosts::setOverride(host.httpUrl(), host.httpUrl());
    engine().startWithAppkey(kKey, "Vidad_eZaved", 1, "AppStore");
    engine().enableCrashReport();
    engine().sendCrashReport();
    settle();
    QTRY_VERIFY(!QFile::exists(pending));
    QFile latest(VELMobileStatDefaultValues::filePathOfCrashLog());
    QVERIFY(latest.open(QIODevice::ReadOnly));
    QVERIFY(latest.readAll().contains("SIGSEGV"));

    const QJsonArray uploads = uploadsAt(host);
    QCOMPARE(uploads.size(), 1);
    const QJsonObject crash = uploads.at(0).toObject();
    QCOMPARE(crash.value("kind").toString(), "crash");
    QVERIFY(crash.value("identity").toString().startsWith("SIGSEGV-"));
    QVERIFY(crash.value("payload").toString().contains("signal: 11 (SIGSEGV)"));
    QVERIFY(crash.value("payload").toString().contains("backtrace:"));
    QCOMPARE(QJsonDocument::fromJson(crash.value("info").toString().toUtf8()).object().value("content_type"),
             "crash_report");
}

QTEST_MAIN(tst_StatUpload)
#include "tst_statupload.moc"
