#include "VELHosts.h"

#include "platform/SharedInstances.h"

#include <QFile>
#include <QMutex>

const char *const VELHosts::kApiHost = "api.velari.com";
const char *const VELHosts::kAccountHost = "accounts.velari.com";
const char *const VELHosts::kWebHost = "www.velari.com";
const char *const VELHosts::kStatisticsHost = "stat.velari.com";

namespace {

struct Override
{
    QMutex mutex;
    bool loaded = false;
    QString http;
    QString https;
    QList<QSslCertificate> authorities;
};

QString trimmed(QString url)
{
    while (url.endsWith(u'/'))
        url.chop(1);
    return url;
}

void apply(Override &state, const QString &http, const QString &https, const QString &caPath)
{
    state.http = trimmed(http);
    state.https = trimmed(https.isEmpty() ? http : https);
    state.authorities.clear();
    if (!caPath.isEmpty())
        state.authorities = QSslCertificate::fromPath(caPath, QSsl::Pem);
}

Override &current()
{
    static Override state;
    static const bool registered = (SharedInstances::registerReset([] {
                                        QMutexLocker locker(&state.mutex);
                                        state.loaded = false;
                                        apply(state, QString(), QString(), QString());
                                    }),
                                    true);
    Q_UNUSED(registered);
    QMutexLocker locker(&state.mutex);
    if (!state.loaded) {
        state.loaded = true;
        apply(state, qEnvironmentVariable("VELARI_SERVICE_URL"),
              qEnvironmentVariable("VELARI_SERVICE_TLS_URL"),
              qEnvironmentVariable("VELARI_SERVICE_CA"));
    }
    return state;
}

} // namespace

QString VELHosts::apiBaseUrlString(bool https)
{
    Override &state = current();
    QMutexLocker locker(&state.mutex);
    if (!state.http.isEmpty())
        return https ? state.https : state.http;
    return QString::fromLatin1(https ? "https://" : "http://") + QLatin1String(kApiHost);
}

QString VELHosts::accountBaseUrlString()
{
    Override &state = current();
    QMutexLocker locker(&state.mutex);
    if (!state.http.isEmpty())
        return state.https;
    return QStringLiteral("https://") + QLatin1String(kAccountHost);
}

QString VELHosts::webBaseUrlString()
{
    Override &state = current();
    QMutexLocker locker(&state.mutex);
    if (!state.http.isEmpty())
        return state.http;
    return QStringLiteral("http://") + QLatin1String(kWebHost);
}

QString VELHosts::statisticsBaseUrlString()
{
    Override &state = current();
    QMutexLocker locker(&state.mutex);
    if (!state.http.isEmpty())
        return state.http;
    return QStringLiteral("http://") + QLatin1String(kStatisticsHost);
}

QString VELHosts::tokenURL()
{
    return accountBaseUrlString() + QStringLiteral("/service/auth2/token");
}

QString VELHosts::callbackURL()
{
    return webBaseUrlString() + QStringLiteral("/location/mobile");
}

QSslConfiguration VELHosts::sslConfiguration()
{
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    Override &state = current();
    QMutexLocker locker(&state.mutex);
    if (!state.authorities.isEmpty())
        configuration.addCaCertificates(state.authorities);
    return configuration;
}

void VELHosts::setOverride(const QString &httpBaseUrl, const QString &httpsBaseUrl,
                           const QString &caCertificatePath)
{
    Override &state = current();
    QMutexLocker locker(&state.mutex);
    apply(state, httpBaseUrl, httpsBaseUrl, caCertificatePath);
}
