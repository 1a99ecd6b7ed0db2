#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The service stand-in (velari-server) run as its own process on free ports, with its own data
// directory (fresh unless one is given), for tests that talk to the whole service.
class StandIn
{
public:
    explicit StandIn(const QString &dataDirectory = QString());
    ~StandIn();

    // Starts the server and waits until it listens. `arguments` are added to the command line.
    bool start(const QStringList &arguments = {});
    // Stops it and waits for the process to end; the data directory stays.
    void stop();

    QString httpUrl() const { return m_httpUrl; }
    QString httpsUrl() const { return m_httpsUrl; }
    QString certificatePath() const { return m_certificatePath; }
    QString dataDirectory() const { return m_dataDirectory; }
    QString errorOutput() const { return m_errors; }

    // Points the client's hosts (API, account and web) at this stand-in and configures the
    // API service with the application's registration.
    void configureClient() const;

    static QString clientId();
    static QString clientSecret();

private:
    QTemporaryDir m_ownDirectory;
    QString m_dataDirectory;
    QProcess m_process;
    QString m_httpUrl;
    QString m_httpsUrl;
    QString m_certificatePath;
    QString m_errors;
};
