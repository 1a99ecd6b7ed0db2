#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>

#include <memory>

class HttpFrontend;

// The local stand-in of the events service: the database, its sample data, every endpoint,
// and the HTTP and HTTPS sockets.
class StandInServer : public QObject
{
    Q_OBJECT
public:
    struct Options
    {
        QString dataDirectory;
        QHostAddress address = QHostAddress::LocalHost;
        int httpPort = 8080; // 0: any free port
        int tlsPort = 8443;  // 0: any free port; -1: no HTTPS
        bool reset = false;
        QString requestLog;
        qint64 tokenLifetime = 7 * 24 * 3600;
        QString clientId;
        QString clientSecret;
        QString redirectUri;
        QString passTypeIdentifier;
        bool statisticsAvailable = true;
        int statisticsDelayMs = 0;
    };

    explicit StandInServer(QObject *parent = nullptr);
    ~StandInServer() override;

    bool start(const Options &options, QString *error);
    quint16 httpPort() const { return m_httpPort; }
    quint16 tlsPort() const { return m_tlsPort; }
    QString certificatePath() const;

private:
    struct Parts;
    std::unique_ptr<Parts> m_parts;
    QString m_directory;
    quint16 m_httpPort = 0;
    quint16 m_tlsPort = 0;
};
