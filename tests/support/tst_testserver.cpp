#include "TestServer.h"

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTest>

// The scripted server is what later network tests stand on, so its scripting must do what it says.
class tst_TestServer : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void answersRoutesThenHandlerThenNotFound();
    void recordsWhatTheClientSent();
    void gzipBodiesAreDecodedByTheClient();
    void delayedAnswersDoNotBlockOthers();
    void brokenAnswers_data();
    void brokenAnswers();

private:
    QNetworkReply *get(const QString &path);

    std::unique_ptr<TestServer> m_server;
    std::unique_ptr<QNetworkAccessManager> m_manager;
};

void tst_TestServer::init()
{
    m_server = std::make_unique<TestServer>();
    QVERIFY(m_server->listen());
    m_manager = std::make_unique<QNetworkAccessManager>();
}

void tst_TestServer::cleanup()
{
    m_manager.reset();
    m_server.reset();
}

QNetworkReply *tst_TestServer::get(const QString &path)
{
    QNetworkRequest request(m_server->url(path));
    request.setTransferTimeout(5000);
    return m_manager->get(request);
}

void tst_TestServer::answersRoutesThenHandlerThenNotFound()
{
    TestResponse created = TestResponse::json(R"({"ok":true})", 201);
    created.headers.append(qMakePair(QByteArray("X-Trace"), QByteArray("abc")));
    m_server->route("GET", "/v2/event/list", created);
    m_server->setHandler([](const TestRequest &request) {
        return request.path() == "/dynamic" ? TestResponse::text("from handler " + request.query())
                                            : TestResponse::text("missing", 404);
    });

    std::unique_ptr<QNetworkReply> routed(get(QStringLiteral("/v2/event/list?loc=108288")));
    QTRY_VERIFY_WITH_TIMEOUT(routed->isFinished(), 5000);
    QCOMPARE(routed->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 201);
    QCOMPARE(routed->rawHeader("X-Trace"), QByteArray("abc"));
    QCOMPARE(routed->readAll(), QByteArray(R"({"ok":true})"));

    std::unique_ptr<QNetworkReply> handled(get(QStringLiteral("/dynamic?q=a%26b")));
    QTRY_VERIFY_WITH_TIMEOUT(handled->isFinished(), 5000);
    QCOMPARE(handled->readAll(), QByteArray("from handler q=a%26b"));

    std::unique_ptr<QNetworkReply> missing(get(QStringLiteral("/nothing")));
    QTRY_VERIFY_WITH_TIMEOUT(missing->isFinished(), 5000);
    QCOMPARE(missing->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 404);
}

void tst_TestServer::recordsWhatTheClientSent()
{
    QNetworkRequest request(m_server->url(QStringLiteral("/upload?a=1")));
    request.setRawHeader("Authorization", "Bearer t0k");
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
    std::unique_ptr<QNetworkReply> reply(m_manager->post(request, QByteArray("text=%E4%BD%A0")));
    QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 5000);

    const QList<TestRequest> seen = m_server->requests();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen.first().method, QByteArray("POST"));
    QCOMPARE(seen.first().path(), QByteArray("/upload"));
    QCOMPARE(seen.first().query(), QByteArray("a=1"));
    QCOMPARE(seen.first().header("authorization"), QByteArray("Bearer t0k"));
    QCOMPARE(seen.first().body, QByteArray("text=%E4%BD%A0"));
}

void tst_TestServer::gzipBodiesAreDecodedByTheClient()
{
    TestResponse packed = TestResponse::json(QByteArray(R"({"title":"音乐节"})").repeated(100));
    packed.gzip = true;
    m_server->route("GET", "/packed", packed);
    std::unique_ptr<QNetworkReply> reply(get(QStringLiteral("/packed")));
    QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 5000);
    QCOMPARE(reply->error(), QNetworkReply::NoError);
    QCOMPARE(reply->readAll(), packed.body);
}

void tst_TestServer::delayedAnswersDoNotBlockOthers()
{
    TestResponse slow = TestResponse::text("slow");
    slow.delayMs = 400;
    m_server->route("GET", "/slow", slow);
    m_server->route("GET", "/fast", TestResponse::text("fast"));

    std::unique_ptr<QNetworkReply> first(get(QStringLiteral("/slow")));
    std::unique_ptr<QNetworkReply> second(get(QStringLiteral("/fast")));
    QTRY_VERIFY_WITH_TIMEOUT(second->isFinished(), 5000);
    QVERIFY(!first->isFinished());
    QTRY_VERIFY_WITH_TIMEOUT(first->isFinished(), 5000);
    QCOMPARE(first->readAll(), QByteArray("slow"));
    QCOMPARE(m_server->maxConcurrent(), 2);
}

void tst_TestServer::brokenAnswers_data()
{
    QTest::addColumn<bool>("closeWithoutReply");
    QTest::addColumn<bool>("truncateBody");
    QTest::newRow("closed without a reply") << true << false;
    QTest::newRow("truncated body") << false << true;
}

void tst_TestServer::brokenAnswers()
{
    QFETCH(bool, closeWithoutReply);
    QFETCH(bool, truncateBody);
    TestResponse broken = TestResponse::json(QByteArray(R"({"events":[]})").repeated(20));
    broken.closeWithoutReply = closeWithoutReply;
    broken.truncateBody = truncateBody;
    m_server->route("GET", "/broken", broken);
    std::unique_ptr<QNetworkReply> reply(get(QStringLiteral("/broken")));
    QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 5000);
    QVERIFY(reply->error() != QNetworkReply::NoError);
}

QTEST_GUILESS_MAIN(tst_TestServer)
#include "tst_testserver.moc"
