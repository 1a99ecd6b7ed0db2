#include "TestHome.h"
#include "TestServer.h"
#include "api/VELHosts.h"
#include "api/VELOAuthStore.h"
#include "api/VELService.h"
#include "api/VelariQueryEvent.h"
#include "api/VelariQueryPhoto.h"
#include "platform/Clock.h"

#include <QJsonDocument>
#include <QTcpServer>
#include <QTest>
#include <QUrlQuery>

namespace {

const QString kClientId = QStringLiteral("0123456789abcdef0123456789abcdef");

} // namespace

class tst_Service : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void signing_data();
    void signing();
    void chineseKeywordEscapedOnce_data();
    void chineseKeywordEscapedOnce();
    void bodies_data();
    void bodies();
    void replies_data();
    void replies();
    void timeoutAndRefusedHost();
    void queueRunsFourAndUploadsSkipIt();
    void cancelledRequestNeverCallsBack();
    void formDataUploadBody();
    void relatedUploadBody();
    void noCookiesAndGzipReplies();
    void refresh_data();
    void refresh();
    void delegateHearsFinishOrFailureOnce();

private:
    void logIn(qint64 secondsLeft, const QString &token = QStringLiteral("tok-123"));
    VELHttpRequest::Ptr finishedGet(const VELQuery &query);

    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TestServer> m_server;
};

void tst_Service::init()
{
    m_home = std::make_unique<TestHome>();
    m_server = std::make_unique<TestServer>();
    QVERIFY(m_server->listen());
    const QString base = m_server->url(QString()).toString();
    VELHosts::setOverride(base, base);
    VELService &service = VELService::sharedInstance();
    service.setClientId(kClientId);
    service.setClientSecret(QStringLiteral("fedcba9876543210"));
    service.setApiBaseUrlString(base);
    m_server->setHandler([](const TestRequest &) { return TestResponse::json(R"({"ok":1})"); });
}

void tst_Service::cleanup()
{
    m_server.reset();
    m_home.reset();
}

void tst_Service::logIn(qint64 secondsLeft, const QString &token)
{
    VELOAuthStore &store = VELOAuthStore::sharedInstance();
    store.setAccessToken(token);
    store.setRefreshToken(QStringLiteral("refresh-1"));
    store.setUserId(42);
    store.setExpiresIn(Clock::now().addSecs(secondsLeft));
    store.save();
}

VELHttpRequest::Ptr tst_Service::finishedGet(const VELQuery &query)
{
    int calls = 0;
    VELHttpRequest::Ptr request
            = VELService::sharedInstance().get(query, [&calls](VELHttpRequest &) { ++calls; });
    [&] { QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 5000); }();
    return request;
}

void tst_Service::signing_data()
{
    QTest::addColumn<qint64>("secondsLeft"); // 0: logged out
    QTest::addColumn<bool>("bearer");
    QTest::newRow("anonymous") << qint64(0) << false;
    QTest::newRow("ten hours left") << qint64(10 * 3600) << true;
    QTest::newRow("twenty minutes left") << qint64(20 * 60) << false;
}

void tst_Service::signing()
{
    QFETCH(qint64, secondsLeft);
    QFETCH(bool, bearer);
    if (secondsLeft > 0) {
        // More than a day would skip the refresh; these tests are about signing only.
        logIn(secondsLeft);
        VELOAuthStore::sharedInstance().setUserId(0);
        VELOAuthStore::sharedInstance().save();
    }
    finishedGet(VelariQueryEvent::queryForEventsByLocation("108288", QString(), std::nullopt));
    finishedGet(VelariQueryEvent::queryForEventById("77"));

    const QList<TestRequest> seen = m_server->requests();
    QCOMPARE(seen.size(), 2);
    if (bearer) {
        QCOMPARE(seen.at(0).header("Authorization"), QByteArray("Bearer tok-123"));
        QCOMPARE(seen.at(0).query(), QByteArray("count=30&loc=108288"));
        QCOMPARE(seen.at(1).target, QByteArray("/v2/event/77"));
    } else {
        QVERIFY(seen.at(0).header("Authorization").isEmpty());
        const QList<QByteArray> pairs = seen.at(0).query().split('&');
        QCOMPARE(pairs.size(), 3);
        QCOMPARE(pairs.last(), "apikey=" + kClientId.toLatin1());
        QVERIFY(pairs.contains("loc=108288") && pairs.contains("count=30"));
        QCOMPARE(seen.at(1).target, "/v2/event/77?apikey=" + kClientId.toLatin1());
    }
}

void tst_Service::chineseKeywordEscapedOnce_data()
{
    QTest::addColumn<bool>("loggedIn");
    QTest::newRow("anonymous") << false;
    QTest::newRow("bearer") << true;
}

void tst_Service::chineseKeywordEscapedOnce()
{
    QFETCH(bool, loggedIn);
    if (loggedIn)
        logIn(3 * 86400);
    finishedGet(VelariQueryEvent::queryForEventsByKey(QStringLiteral("摇滚&民谣"), "108288", 0));
    const TestRequest request = m_server->requests().constLast();
    QVERIFY(request.query().contains("q=%E6%91%87%E6%BB%9A%26%E6%B0%91%E8%B0%A3"));
    const QUrlQuery decoded(QString::fromLatin1(request.query()));
    QCOMPARE(decoded.queryItemValue("q", QUrl::FullyDecoded), QStringLiteral("摇滚&民谣"));
    QCOMPARE(decoded.queryItemValue("apikey").isEmpty(), loggedIn);
}

void tst_Service::bodies_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QByteArray>("contentLength");

    QTest::newRow("form") << QByteArray("POST") << "text=hello!"
                          << QByteArray("application/x-www-form-urlencoded; charset=UTF-8")
                          << QByteArray("11");
    QTest::newRow("atom") << QByteArray("POST")
                          << R"(<?xml version="1.0"?><entry xmlns="http://www.w3.org/2005/Atom"/>)"
                          << QByteArray("application/atom+xml") << QByteArray("65");
    QTest::newRow("no body") << QByteArray("POST") << QString()
                             << QByteArray("application/x-www-form-urlencoded; charset=UTF-8")
                             << QByteArray("0");
    QTest::newRow("put form") << QByteArray("PUT") << "a=1"
                              << QByteArray("application/x-www-form-urlencoded; charset=UTF-8")
                              << QByteArray("3");
    QTest::newRow("delete") << QByteArray("DELETE") << QString()
                            << QByteArray("application/atom+xml") << QByteArray("0");
}

void tst_Service::bodies()
{
    QFETCH(QByteArray, method);
    QFETCH(QString, body);
    QFETCH(QByteArray, contentType);
    QFETCH(QByteArray, contentLength);
    VELService &service = VELService::sharedInstance();
    const VELQuery query = VelariQueryEvent::queryForWishEventById("7");
    int calls = 0;
    auto done = [&calls](VELHttpRequest &) { ++calls; };
    if (method == "POST")
        service.post(query, body, done);
    else if (method == "PUT")
        service.put(query, body, done);
    else
        service.deleteResource(query, done);
    QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 5000);

    const TestRequest seen = m_server->requests().constLast();
    QCOMPARE(seen.method, method);
    QCOMPARE(seen.path(), QByteArray("/v2/event/7/wishers"));
    QCOMPARE(seen.header("Content-Type"), contentType);
    QCOMPARE(seen.header("Content-Length"), contentLength);
    QCOMPARE(seen.body, body.toUtf8());
}

void tst_Service::replies_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("domain"); // empty: no error
    QTest::addColumn<int>("code");

    QTest::newRow("200") << 200 << QByteArray("{}") << QString() << 0;
    QTest::newRow("201") << 201 << QByteArray("{}") << QString() << 0;
    QTest::newRow("202") << 202 << QByteArray() << QString() << 0;
    QTest::newRow("204") << 204 << QByteArray() << "VELErrorDomain" << 0;
    QTest::newRow("400 with JSON") << 400 << QByteArray(R"({"code":103,"msg":"invalid token"})")
                                   << "VELOAuthErrorDomain" << 103;
    QTest::newRow("400 with HTML")
            << 400 << QByteArray("<html>bad</html>") << "VELErrorDomain" << 0;
    QTest::newRow("401") << 401 << QByteArray(R"({"code":106})") << "VELHTTPRequestErrorDomain"
                         << 3;
    QTest::newRow("403") << 403 << QByteArray(R"({"code":1})") << "VELErrorDomain" << 0;
    QTest::newRow("404") << 404 << QByteArray() << "VELErrorDomain" << 0;
    QTest::newRow("500") << 500 << QByteArray("oops") << "VELErrorDomain" << 0;
    QTest::newRow("302") << 302 << QByteArray() << "VELErrorDomain" << 0;
}

void tst_Service::replies()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, domain);
    QFETCH(int, code);
    m_server->route("GET", "/v2/event/1", TestResponse::json(body, status));
    const VELHttpRequest::Ptr request = finishedGet(VelariQueryEvent::queryForEventById("1"));
    QCOMPARE(request->responseStatusCode(), status);
    const std::optional<VELError> error = request->velariError();
    QCOMPARE(error.has_value(), !domain.isEmpty());
    if (!error)
        return;
    QCOMPARE(error->domain, domain);
    QCOMPARE(error->code, code);
    if (domain == "VELOAuthErrorDomain")
        QCOMPARE(error->details.value("msg").toString(), QStringLiteral("invalid token"));
}

void tst_Service::timeoutAndRefusedHost()
{
    TestResponse hang = TestResponse::text("late");
    hang.delayMs = 3000;
    m_server->route("GET", "/slow", hang);
    VELHttpRequest::Ptr slow = VELHttpRequest::requestWithURL(m_server->url("/slow"));
    std::optional<VELError> slowError;
    slow->setCompletionBlock([&](VELHttpRequest &r) { slowError = r.velariError(); });
    slow->setTimeOutSeconds(0.3);
    slow->startAsynchronous();

    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    VELHttpRequest::Ptr refused = VELHttpRequest::requestWithURL(
            QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(port)));
    std::optional<VELError> refusedError;
    refused->setCompletionBlock([&](VELHttpRequest &r) { refusedError = r.velariError(); });
    refused->startAsynchronous();

    QTRY_VERIFY_WITH_TIMEOUT(slowError && refusedError, 5000);
    QCOMPARE(slowError->domain, QStringLiteral("VELHTTPRequestErrorDomain"));
    QCOMPARE(slowError->code, 2);
    QCOMPARE(refusedError->domain, QStringLiteral("VELHTTPRequestErrorDomain"));
    QCOMPARE(refusedError->code, 1);
    QVERIFY(!refusedError->details.value("NSLocalizedDescription").toString().isEmpty());
}

void tst_Service::queueRunsFourAndUploadsSkipIt()
{
    TestResponse slow = TestResponse::json("{}");
    slow.delayMs = 600;
    m_server->route("GET", "/v2/event/list", slow);
    m_server->route("POST", "/v2/album/5", TestResponse::json("{}", 201));
    VELService &service = VELService::sharedInstance();
    int finished = 0;
    for (int i = 0; i < 5; ++i) {
        service.get(VelariQueryEvent::queryForEventsByLocation("108288", QString(), i * 30),
                    [&finished](VELHttpRequest &) { ++finished; });
    }
    QCOMPARE(service.queue()->runningCount(), 4);
    QCOMPARE(service.queue()->pendingCount(), 1);

    bool uploaded = false;
    service.post2(VelariQueryPhoto::queryForAlbumByAlbumId("5"), "jpeg", "desc",
                  [&uploaded](VELHttpRequest &r) { uploaded = !r.velariError(); });
    // The upload is answered while all four slots still wait for their slow replies.
    QTRY_VERIFY_WITH_TIMEOUT(uploaded, 5000);
    QCOMPARE(finished, 0);
    QCOMPARE(m_server->requestCount(), 5);
    QTRY_COMPARE_WITH_TIMEOUT(finished, 5, 10000);
    // Four GETs and the upload overlapped; the fifth GET waited for a free slot.
    QCOMPARE(m_server->maxConcurrent(), 5);
    QCOMPARE(service.queue()->runningCount(), 0);
}

void tst_Service::cancelledRequestNeverCallsBack()
{
    TestResponse slow = TestResponse::json("{}");
    slow.delayMs = 300;
    m_server->route("GET", "/v2/event/list", slow);
    VELService &service = VELService::sharedInstance();
    service.setMaxConcurrentOperationCount(1);
    int calls = 0;
    VELHttpRequest::Ptr running
            = service.get(VelariQueryEvent::queryForEventsByLocation("1", QString(), std::nullopt),
                          [&calls](VELHttpRequest &) { ++calls; });
    VELHttpRequest::Ptr waiting
            = service.get(VelariQueryEvent::queryForEventsByLocation("2", QString(), std::nullopt),
                          [&calls](VELHttpRequest &) { ++calls; });
    bool thirdDone = false;
    service.get(VelariQueryEvent::queryForEventById("3"),
                [&thirdDone](VELHttpRequest &) { thirdDone = true; });
    running->clearDelegatesAndCancel();
    waiting->clearDelegatesAndCancel();
    QVERIFY(running->isCancelled() && waiting->isCancelled());
    // The freed slot serves the third request; the cancelled ones never call back.
    QTRY_VERIFY_WITH_TIMEOUT(thirdDone, 5000);
    QTest::qWait(400);
    QCOMPARE(calls, 0);
    service.setMaxConcurrentOperationCount(4);
}

void tst_Service::formDataUploadBody()
{
    m_server->route("POST", "/v2/album/5", TestResponse::json("{}", 201));
    const QByteArray jpeg("\xff\xd8\xff\xe0 binary \r\n\x00 end", 21);
    QList<qint64> progress;
    bool done = false;
    VELService::sharedInstance().post2(
            VelariQueryPhoto::queryForAlbumByAlbumId("5"), jpeg, QStringLiteral("现场照片"),
            [&done](VELHttpRequest &) { done = true; },
            [&progress](qint64 sent, qint64) { progress << sent; });
    QTRY_VERIFY_WITH_TIMEOUT(done, 5000);

    const TestRequest seen = m_server->requests().constLast();
    const QByteArray contentType = seen.header("Content-Type");
    QVERIFY(contentType.startsWith(
            "multipart/form-data; charset=utf-8; boundary=0xKhTmLbOuNdArY-"));
    const QByteArray boundary = contentType.mid(contentType.indexOf("boundary=") + 9);
    QVERIFY(!QUuid::fromString(QString::fromLatin1(boundary.mid(16))).isNull());
    const QByteArray expected = "--" + boundary + "\r\n"
            + "Content-Disposition: form-data; name=\"desc\"\r\n\r\n"
            + QStringLiteral("现场照片").toUtf8() + "\r\n--" + boundary + "\r\n"
            + "Content-Disposition: form-data; name=\"image\"; filename=\"image.jpeg\"\r\n"
            + "Content-Type: image/jpeg\r\n\r\n" + jpeg + "\r\n--" + boundary + "--\r\n";
    QCOMPARE(seen.body, expected);
    QCOMPARE(seen.header("Content-Length"), QByteArray::number(expected.size()));
    QCOMPARE(seen.query(), "apikey=" + kClientId.toLatin1());
    QVERIFY(!progress.isEmpty());
    QCOMPARE(progress.last(), qint64(expected.size()));
    QVERIFY(std::is_sorted(progress.cbegin(), progress.cend()));
}

void tst_Service::relatedUploadBody()
{
    m_server->route("POST", "/v2/album/5", TestResponse::json("{}", 201));
    bool done = false;
    VELService::sharedInstance().post(VelariQueryPhoto::queryForAlbumByAlbumId("5"),
                                      QByteArray("JPEGDATA"), QStringLiteral("<b>&</b>"),
                                      [&done](VELHttpRequest &) { done = true; });
    QTRY_VERIFY_WITH_TIMEOUT(done, 5000);
    const TestRequest seen = m_server->requests().constLast();
    const QByteArray contentType = seen.header("Content-Type");
    QVERIFY(contentType.startsWith("multipart/related; boundary=\""));
    const QByteArray boundary = contentType.mid(29).chopped(1);
    QCOMPARE(seen.header("MIME-version"), QByteArray("1.0"));
    QVERIFY(seen.body.startsWith("--" + boundary
                                 + "\nContent-Type: application/atom+xml\n\n<?xml"));
    QVERIFY(seen.body.contains("xmlns:ns0=\"http://www.w3.org/2005/Atom\""));
    QVERIFY(seen.body.contains("<ns0:content>&lt;b&gt;&amp;&lt;/b&gt;</ns0:content>"));
    QVERIFY(seen.body.contains("</ns0:entry>\n--" + boundary + "\nContent-Type: image/jpeg\n\n"
                               + QByteArray("JPEGDATA").toBase64() + "\n--" + boundary + "--"));
    QVERIFY(seen.body.endsWith("--" + boundary + "--"));
}

void tst_Service::noCookiesAndGzipReplies()
{
    TestResponse cookie = TestResponse::json(R"({"events":[]})");
    cookie.headers.append(qMakePair(QByteArray("Set-Cookie"), QByteArray("session=abc; Path=/")));
    cookie.gzip = true;
    m_server->route("GET", "/v2/event/1", cookie);
    const VELHttpRequest::Ptr first = finishedGet(VelariQueryEvent::queryForEventById("1"));
    QCOMPARE(first->responseString(), QStringLiteral(R"({"events":[]})"));
    finishedGet(VelariQueryEvent::queryForEventById("1"));
    const QList<TestRequest> seen = m_server->requests();
    QCOMPARE(seen.size(), 2);
    QVERIFY(seen.at(1).header("Cookie").isEmpty());
    QVERIFY(seen.at(0).header("Accept-Encoding").contains("gzip"));
}

void tst_Service::refresh_data()
{
    QTest::addColumn<int>("outcome"); // 0 success, 1 refused, 2 transport failure
    QTest::newRow("success replaces the tokens") << 0;
    QTest::newRow("refusal removes them") << 1;
    QTest::newRow("transport failure keeps them") << 2;
}

void tst_Service::refresh()
{
    QFETCH(int, outcome);
    logIn(3600 * 5); // less than a day left: the next request refreshes first
    if (outcome == 0) {
        m_server->route(
                "POST", "/service/auth2/token",
                TestResponse::json(R"({"access_token":"new-access","refresh_token":"new-refresh",
                                               "expires_in":604800,"velari_user_id":"42"})"));
    } else if (outcome == 1) {
        m_server->route("POST", "/service/auth2/token",
                        TestResponse::json(R"({"code":119,"msg":"invalid refresh token"})", 400));
    } else {
        TestResponse dropped;
        dropped.closeWithoutReply = true;
        m_server->route("POST", "/service/auth2/token", dropped);
    }
    finishedGet(VelariQueryEvent::queryForEventById("1"));

    // Qt resends a request once when the connection closes before any reply, so a dropped
    // refresh may arrive twice; the event request comes after it either way.
    const QList<TestRequest> seen = m_server->requests();
    QVERIFY(seen.size() >= 2);
    QCOMPARE(seen.at(0).path(), QByteArray("/service/auth2/token"));
    QCOMPARE(seen.at(seen.size() - 2).path(), QByteArray("/service/auth2/token"));
    const QUrlQuery form(QString::fromUtf8(seen.at(0).body));
    QCOMPARE(form.queryItemValue("grant_type"), QStringLiteral("refresh_token"));
    QCOMPARE(form.queryItemValue("refresh_token"), QStringLiteral("refresh-1"));
    QCOMPARE(form.queryItemValue("client_id"), kClientId);
    QCOMPARE(form.queryItemValue("client_secret"), QStringLiteral("fedcba9876543210"));

    VELOAuthStore &store = VELOAuthStore::sharedInstance();
    const TestRequest sent = seen.constLast();
    QCOMPARE(sent.path(), QByteArray("/v2/event/1"));
    if (outcome == 0) {
        QCOMPARE(store.accessToken(), QStringLiteral("new-access"));
        QCOMPARE(store.refreshToken(), QStringLiteral("new-refresh"));
        QCOMPARE(store.userId(), 42);
        QVERIFY(!store.shouldRefreshToken());
        QCOMPARE(sent.header("Authorization"), QByteArray("Bearer new-access"));
    } else if (outcome == 1) {
        QVERIFY(store.accessToken().isEmpty());
        QCOMPARE(store.userId(), 0);
        QVERIFY(sent.query().startsWith("apikey="));
    } else {
        QCOMPARE(store.accessToken(), QStringLiteral("tok-123"));
        QCOMPARE(sent.header("Authorization"), QByteArray("Bearer tok-123"));
    }
}

class CountingDelegate : public VELHttpRequestDelegate
{
public:
    void requestFinished(VELHttpRequest *request) override
    {
        finished << request->responseStatusCode();
    }
    void requestFailed(VELHttpRequest *request) override { failed << request->error()->code; }
    QList<int> finished;
    QList<int> failed;
};

void tst_Service::delegateHearsFinishOrFailureOnce()
{
    m_server->route("GET", "/v2/event/1", TestResponse::json("{}", 404));
    TestResponse dropped;
    dropped.closeWithoutReply = true;
    m_server->route("DELETE", "/v2/event/2/wishers", dropped);
    CountingDelegate delegate;
    VELService &service = VELService::sharedInstance();
    service.get(VelariQueryEvent::queryForEventById("1"), &delegate);
    service.deleteResource(VelariQueryEvent::queryForWishEventById("2"), &delegate);
    // A status is an answer, not a failure of the exchange.
    QTRY_COMPARE_WITH_TIMEOUT(delegate.finished, QList<int>({ 404 }), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(delegate.failed, QList<int>({ 1 }), 5000);
    QTest::qWait(100);
    QCOMPARE(delegate.finished.size() + delegate.failed.size(), 2);
}

QTEST_GUILESS_MAIN(tst_Service)
#include "tst_service.moc"
