#include "StandIn.h"

#include "api/VELHosts.h"
#include "api/VELService.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

StandIn::StandIn(const QString &dataDirectory)
    : m_dataDirectory(dataDirectory.isEmpty() ? m_ownDirectory.path() + QStringLiteral("/service")
                                              : dataDirectory)
{
}

StandIn::~StandIn()
{
    stop();
}

bool StandIn::start(const QStringList &arguments)
{
    m_process.setProgram(QStringLiteral(VELARI_SERVER_PATH));
    m_process.setArguments(QStringList { "--data-dir", m_dataDirectory, "--port", "0",
                                         "--tls-port", "0" }
                           + arguments);
    m_process.start();
    if (!m_process.waitForStarted(5000))
        return false;
    static const QRegularExpression listening(
            QStringLiteral("listening (http://\\S+) (https://\\S+) ca=(\\S+)"));
    // Seeding a fresh directory and making its certificate take a moment.
    QDeadlineTimer deadline(20000);
    QByteArray output;
    while (!output.contains('\n') && !deadline.hasExpired()
           && m_process.state() == QProcess::Running) {
        m_process.waitForReadyRead(int(deadline.remainingTime()));
        output += m_process.readAllStandardOutput();
    }
    m_errors = QString::fromLocal8Bit(m_process.readAllStandardError());
    const QRegularExpressionMatch match = listening.match(QString::fromLocal8Bit(output));
    if (!match.hasMatch())
        return false;
    m_httpUrl = match.captured(1);
    m_httpsUrl = match.captured(2);
    m_certificatePath = match.captured(3);
    return true;
}

void StandIn::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

void StandIn::configureClient() const
{
    VELHosts::setOverride(m_httpUrl, m_httpsUrl, m_certificatePath);
    VELService &service = VELService::sharedInstance();
    service.setClientId(clientId());
    service.setClientSecret(clientSecret());
    service.setApiBaseUrlString(VELHosts::apiBaseUrlString(false));
}

QString StandIn::clientId()
{
    return QStringLiteral(VELARI_API_CLIENT_ID);
}

QString StandIn::clientSecret()
{
    return QStringLiteral(VELARI_API_CLIENT_SECRET);
}
