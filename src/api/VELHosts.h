#pragma once

#include <QList>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>

// Where the service lives. The hosts are compiled in; one override points every host at another
// service (the local stand-in): an HTTP base URL, an HTTPS base URL and the certificate authority
// that HTTPS trusts there. The override comes from the environment (VELARI_SERVICE_URL,
// VELARI_SERVICE_TLS_URL, VELARI_SERVICE_CA) or from the command line through setOverride().
class VELHosts
{
public:
    static QString apiBaseUrlString(bool https);
    // The account host, over HTTPS.
    static QString accountBaseUrlString();
    // The web host, over HTTP.
    static QString webBaseUrlString();
    // The statistics host, over HTTP.
    static QString statisticsBaseUrlString();
    static QString tokenURL();
    static QString callbackURL();

    // TLS settings for every request: the system's authorities plus the configured one.
    static QSslConfiguration sslConfiguration();

    static void setOverride(const QString &httpBaseUrl, const QString &httpsBaseUrl,
                            const QString &caCertificatePath = QString());

    static const char *const kApiHost;
    static const char *const kAccountHost;
    static const char *const kWebHost;
    static const char *const kStatisticsHost;
};
