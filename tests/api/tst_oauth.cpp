#include "TestHome.h"
#include "TestServer.h"
#include "api/VELHosts.h"
#include "api/VELOAuthService.h"
#include "api/VELOAuthStore.h"
#include "platform/Clock.h"
#include "platform/Preferences.h"

#include <QTemporaryDir>
#include <QTest>
#include <QUrlQuery>

class RecordingDelegate : public VELOAuthServiceDelegate
{
public:
    void OAuthClientDidAcquireSuccessDictionary(VELOAuthService *,
                                                const QJsonObject &reply) override
    {
        successes << reply;
    }
    void OAuthClientDidFailWithError(VELOAuthService *, const VELError &error) override
    {
        failures << error;
    }
    QList<QJsonObject> successes;
    QList<VELError> failures;
};

class tst_OAuth : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void expiryRules_data();
    void expiryRules();
    void userIdGivenAsText();
    void clearForgetsEvenAReadField();
    void passwordGrantSucceeds();
    void passwordGrantRefused();
    void passwordGrantUnreachable();
    void tokenRequestValidatesCertificates_data();
    void tokenRequestValidatesCertificates();

private:
    std::unique_ptr<TestHome> m_home;
    std::unique_ptr<TestServer> m_server;
    RecordingDelegate m_delegate;
};

void tst_OAuth::init()
{
    m_home = std::make_unique<TestHome>();
    m_server = std::make_unique<TestServer>();
    QVERIFY(m_server->listen());
    const QString base = m_server->url(QString()).toString();
    VELHosts::setOverride(base, base);
    m_delegate = RecordingDelegate();
    VELOAuthService &service = VELOAuthService::sharedInstance();
    service.setDelegate(&m_delegate);
    service.setClientId(QStringLiteral("0123456789abcdef0123456789abcdef"));
    service.setClientSecret(QStringLiteral("fedcba9876543210"));
}

void tst_OAuth::cleanup()
{
    m_server.reset();
    m_home.reset();
}

void tst_OAuth::expiryRules_data()
{
    QTest::addColumn<qint64>("secondsAfterApplying");
    QTest::addColumn<bool>("hasExpired");
    QTest::addColumn<bool>("shouldRefresh");
    const qint64 week = 7 * 86400;
    QTest::newRow("just applied") << qint64(0) << false << false;
    QTest::newRow("a second before one day left") << week - 86400 - 1 << false << false;
    QTest::newRow("one day left") << week - 86400 << false << true;
    QTest::newRow("a second before 30 minutes left") << week - 1800 - 1 << false << true;
    QTest::newRow("30 minutes left") << week - 1800 << true << true;
    QTest::newRow("past expiry") << week + 10 << true << true;
}

void tst_OAuth::expiryRules()
{
    QFETCH(qint64, secondsAfterApplying);
    QFETCH(bool, hasExpired);
    QFETCH(bool, shouldRefresh);
    const QDateTime applied(QDate(2026, 12, 11), QTime(9, 0), Qt::UTC);
    Clock::setNow(applied);
    VELOAuthStore &store = VELOAuthStore::sharedInstance();
    store.updateWithSuccessDictionary(QJsonObject{ { "access_token", "a" },
                                                   { "refresh_token", "r" },
                                                   { "expires_in", 7 * 86400 },
                                                   { "velari_user_id", 5 } });
    Clock::setNow(applied.addSecs(secondsAfterApplying));
    QCOMPARE(store.hasExpired(), hasExpired);
    QCOMPARE(store.shouldRefreshToken(), shouldRefresh);
}

void tst_OAuth::userIdGivenAsText()
{
    VELOAuthStore::sharedInstance().updateWithSuccessDictionary(
            QJsonObject{ { "access_token", "a" }, { "velari_user_id", "1234567" } });
    QCOMPARE(VELOAuthStore::sharedInstance().userId(), 1234567);
    QCOMPARE(Preferences::standard().integer(VELOAuthStore::kUserIdKey), 1234567);
}

void tst_OAuth::clearForgetsEvenAReadField()
{
    VELOAuthStore &store = VELOAuthStore::sharedInstance();
    store.updateWithSuccessDictionary(QJsonObject{ { "access_token", "a" }, { "expires_in", 60 } });
    QCOMPARE(store.accessToken(), QStringLiteral("a"));
    store.clear();
    QVERIFY(store.accessToken().isNull());
    QVERIFY(store.hasExpired() && store.shouldRefreshToken()); // no expiry at all
    QVERIFY(!Preferences::standard().contains(VELOAuthStore::kAccessTokenKey));
}

void tst_OAuth::passwordGrantSucceeds()
{
    m_server->route("POST", "/service/auth2/token",
                    TestResponse::json(R"({"access_token":"acc","refresh_token":"ref",
                                           "expires_in":604800,"velari_user_id":88})"));
    int callbacks = 0;
    VELOAuthService::sharedInstance().validateUsername(
            QStringLiteral("me@velari.com"), QStringLiteral("p&ss=word"),
            [&callbacks](VELHttpRequest &) { ++callbacks; });
    QTRY_COMPARE_WITH_TIMEOUT(callbacks, 1, 5000);
    QCOMPARE(m_delegate.successes.size(), 1);
    QCOMPARE(m_delegate.failures.size(), 0);
    QCOMPARE(VELOAuthStore::sharedInstance().accessToken(), QStringLiteral("acc"));
    QCOMPARE(VELOAuthStore::sharedInstance().userId(), 88);

    const TestRequest sent = m_server->requests().constFirst();
    QVERIFY(sent.header("Content-Type").startsWith("application/x-www-form-urlencoded"));
    const QUrlQuery form(QString::fromUtf8(sent.body));
    QCOMPARE(form.queryItemValue("grant_type"), QStringLiteral("password"));
    QCOMPARE(form.queryItemValue("username", QUrl::FullyDecoded), QStringLiteral("me@velari.com"));
    QCOMPARE(form.queryItemValue("password", QUrl::FullyDecoded), QStringLiteral("p&ss=word"));
    QCOMPARE(form.queryItemValue("redirect_uri", QUrl::FullyDecoded),
             m_server->url(QStringLiteral("/location/mobile")).toString());
}

void tst_OAuth::passwordGrantRefused()
{
    VELOAuthStore::sharedInstance().updateWithSuccessDictionary(
            QJsonObject{ { "access_token", "previous" }, { "expires_in", 86400 * 3 } });
    m_server->route("POST", "/service/auth2/token",
                    TestResponse::json(R"({"code":120,"msg":"username_password_mismatch"})", 400));
    int callbacks = 0;
    VELOAuthService::sharedInstance().validateUsername(
            "me", "wrong", [&callbacks](VELHttpRequest &) { ++callbacks; });
    QTRY_COMPARE_WITH_TIMEOUT(callbacks, 1, 5000);
    QCOMPARE(m_delegate.failures.size(), 1);
    QCOMPARE(m_delegate.failures.first().domain, QStringLiteral("VELOAuthErrorDomain"));
    QCOMPARE(m_delegate.failures.first().code, 120);
    QCOMPARE(m_delegate.failures.first().details.value("msg").toString(),
             QStringLiteral("username_password_mismatch"));
    QCOMPARE(VELOAuthStore::sharedInstance().accessToken(), QStringLiteral("previous"));
}

void tst_OAuth::passwordGrantUnreachable()
{
    TestResponse dropped;
    dropped.closeWithoutReply = true;
    m_server->route("POST", "/service/auth2/token", dropped);
    VELOAuthService::sharedInstance().validateUsername("me", "pw");
    QTRY_COMPARE_WITH_TIMEOUT(m_delegate.failures.size(), 1, 5000);
    QCOMPARE(m_delegate.failures.first().domain, QStringLiteral("VELHTTPRequestErrorDomain"));
    QCOMPARE(m_delegate.failures.first().code, 1);
    QVERIFY(m_delegate.successes.isEmpty());
}

void tst_OAuth::tokenRequestValidatesCertificates_data()
{
    QTest::addColumn<bool>("trusted");
    QTest::newRow("self-signed, not trusted") << false;
    QTest::newRow("self-signed, trusted by configuration") << true;
}

void tst_OAuth::tokenRequestValidatesCertificates()
{
    QFETCH(bool, trusted);
    QTemporaryDir directory;
    const QString certificate = directory.filePath("service.pem");
    const QString key = directory.filePath("service.key");
    QVERIFY(TestServer::makeSelfSignedCertificate(certificate, key));
    TestServer secure;
    QVERIFY(secure.listenTls(certificate, key));
    secure.route("POST", "/service/auth2/token",
                 TestResponse::json(R"({"access_token":"tls","expires_in":3600})"));
    const QString base = secure.url(QString()).toString();
    VELHosts::setOverride(base, base, trusted ? certificate : QString());

    VELOAuthService &service = VELOAuthService::sharedInstance();
    service.setAuthorizationURL(VELHosts::tokenURL());
    QVERIFY(service.authorizationURL().startsWith("https://"));
    service.validateUsername("me", "pw");
    QTRY_COMPARE_WITH_TIMEOUT(m_delegate.successes.size() + m_delegate.failures.size(), 1, 10000);
    if (trusted) {
        QCOMPARE(m_delegate.successes.size(), 1);
        QCOMPARE(VELOAuthStore::sharedInstance().accessToken(), QStringLiteral("tls"));
    } else {
        QCOMPARE(m_delegate.failures.size(), 1);
        QCOMPARE(m_delegate.failures.first().domain, QStringLiteral("VELHTTPRequestErrorDomain"));
        QCOMPARE(m_delegate.failures.first().code, 1);
        QCOMPARE(secure.requestCount(), 0);
    }
}

QTEST_GUILESS_MAIN(tst_OAuth)
#include "tst_oauth.moc"
