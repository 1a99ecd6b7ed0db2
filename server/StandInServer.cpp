#include "StandInServer.h"

#include "Authenticator.h"
#include "EventEndpoints.h"
#include "HttpFrontend.h"
#include "LocEndpoints.h"
#include "PeopleEndpoints.h"
#include "PhotoEndpoints.h"
#include "PictureEndpoints.h"
#include "RequestLog.h"
#include "Router.h"
#include "SeedData.h"
#include "SelfSignedCertificate.h"
#include "ServiceDatabase.h"
#include "StatisticsEndpoints.h"
#include "StatusEndpoints.h"
#include "TokenEndpoint.h"
#include "TokenStore.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSslCertificate>
#include <QSslKey>

struct StandInServer::Parts
{
    Parts(const QString &directory, const Options &options)
        : tokens(database, options.tokenLifetime),
          authenticator(database, tokens),
          router(authenticator),
          tokenEndpoint(database, tokens, authenticator),
          events(database),
          locs(database),
          people(database, options.passTypeIdentifier),
          pictures(database, directory),
          photos(database, pictures),
          statuses(database),
          statistics(database, { options.statisticsAvailable, options.statisticsDelayMs })
    {
    }

    ServiceDatabase database;
    TokenStore tokens;
    Authenticator authenticator;
    Router router;
    TokenEndpoint tokenEndpoint;
    EventEndpoints events;
    LocEndpoints locs;
    PeopleEndpoints people;
    PictureEndpoints pictures;
    PhotoEndpoints photos;
    StatusEndpoints statuses;
    StatisticsEndpoints statistics;
    RequestLog log;
    std::unique_ptr<HttpFrontend> http;
    std::unique_ptr<HttpFrontend> https;
};

StandInServer::StandInServer(QObject *parent) : QObject(parent) { }

StandInServer::~StandInServer() = default;

QString StandInServer::certificatePath() const
{
    return m_directory + QStringLiteral("/tls/certificate.pem");
}

bool StandInServer::start(const Options &options, QString *error)
{
    m_directory = QDir(options.dataDirectory).absolutePath();
    if (!QDir().mkpath(m_directory)) {
        *error = QStringLiteral("cannot create %1").arg(m_directory);
        return false;
    }
    QFile::setPermissions(m_directory, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                  | QFileDevice::ExeOwner);
    if (options.reset) {
        // Pictures and uploads belong to the data being replaced.
        QDir(m_directory + QStringLiteral("/pictures")).removeRecursively();
        QDir(m_directory + QStringLiteral("/uploads")).removeRecursively();
    }
    m_parts = std::make_unique<Parts>(m_directory, options);
    Parts &parts = *m_parts;
    if (!parts.database.open(m_directory + QStringLiteral("/service.sqlite"), options.reset)) {
        *error = QStringLiteral("database: %1").arg(parts.database.errorString());
        return false;
    }
    if (parts.database.metaValue(QStringLiteral("seeded_on")).isEmpty()
        && !SeedData::seed(parts.database, QDate::currentDate(),
                           { options.clientId, options.clientSecret, options.redirectUri })) {
        *error = QStringLiteral("seeding the sample data failed");
        return false;
    }
    if (parts.database.metaValue(QStringLiteral("pass_key")).isEmpty()) {
        quint32 words[8];
        QRandomGenerator::system()->fillRange(words);
        parts.database.setMetaValue(
                QStringLiteral("pass_key"),
                QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(words), sizeof words).toHex()));
    }

    parts.tokenEndpoint.addRoutes(parts.router);
    parts.events.addRoutes(parts.router);
    parts.photos.addRoutes(parts.router);
    parts.locs.addRoutes(parts.router);
    parts.people.addRoutes(parts.router);
    parts.statuses.addRoutes(parts.router);
    parts.pictures.addRoutes(parts.router);
    parts.statistics.addRoutes(parts.router);

    if (!options.requestLog.isEmpty() && !parts.log.open(options.requestLog)) {
        *error = QStringLiteral("cannot append to %1").arg(options.requestLog);
        return false;
    }
    auto handler = [&parts](ServiceRequest &request) { return parts.router.dispatch(request); };
    parts.http = std::make_unique<HttpFrontend>(QStringLiteral("http"), handler, &parts.log);
    m_httpPort = parts.http->listen(options.address, quint16(options.httpPort));
    if (m_httpPort == 0) {
        *error = QStringLiteral("cannot listen on port %1").arg(options.httpPort);
        return false;
    }
    if (options.tlsPort < 0)
        return true;
    const QString keyPath = m_directory + QStringLiteral("/tls/key.pem");
    if (!SelfSignedCertificate::ensure(certificatePath(), keyPath)) {
        *error = QStringLiteral("cannot make a certificate with openssl");
        return false;
    }
    QFile certificateFile(certificatePath());
    QFile keyFile(keyPath);
    if (!certificateFile.open(QIODevice::ReadOnly) || !keyFile.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the certificate");
        return false;
    }
    const QSslCertificate certificate(&certificateFile, QSsl::Pem);
    const QSslKey key(&keyFile, QSsl::Rsa, QSsl::Pem);
    if (certificate.isNull() || key.isNull()) {
        *error = QStringLiteral("unreadable certificate or key in %1/tls").arg(m_directory);
        return false;
    }
    parts.https = std::make_unique<HttpFrontend>(QStringLiteral("https"), handler, &parts.log);
    parts.https->sslSetup(certificate, key);
    m_tlsPort = parts.https->listen(options.address, quint16(options.tlsPort));
    if (m_tlsPort == 0) {
        *error = QStringLiteral("cannot listen on port %1").arg(options.tlsPort);
        return false;
    }
    return true;
}
