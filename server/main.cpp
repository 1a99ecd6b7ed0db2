#include "StandInServer.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Pictures are drawn with fonts, which need a GUI application but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("velari-server"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Local stand-in of the Velari events service."));
    parser.addHelpOption();
    const QCommandLineOption dataDir(
            "data-dir", "Where the database, pictures and certificate are kept.", "DIR",
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                    + QStringLiteral("/velari-server"));
    const QCommandLineOption port("port", "HTTP port (0: any free port).", "PORT", "8080");
    const QCommandLineOption tlsPort("tls-port", "HTTPS port (0: any free port, -1: none).", "PORT",
                                     "8443");
    const QCommandLineOption reset("reset", "Replace all data with fresh sample data.");
    const QCommandLineOption requestLog("request-log", "Append one JSON line per request to FILE.",
                                        "FILE");
    const QCommandLineOption tokenLifetime("token-lifetime", "Access token lifetime in seconds.",
                                           "SECONDS", QString::number(7 * 24 * 3600));
    const QCommandLineOption statisticsUnavailable(
            "statistics-unavailable", "The statistics host's check answers \"0\": no uploads.");
    const QCommandLineOption statisticsDelay("statistics-delay-ms",
                                             "Statistics uploads wait this long for their answer.",
                                             "MS", "0");
    parser.addOptions({ dataDir, port, tlsPort, reset, requestLog, tokenLifetime,
                        statisticsUnavailable, statisticsDelay });
    parser.process(app);

    StandInServer::Options options;
    options.dataDirectory = parser.value(dataDir);
    bool ok = true;
    options.httpPort = parser.value(port).toInt(&ok);
    bool tlsOk = true;
    options.tlsPort = parser.value(tlsPort).toInt(&tlsOk);
    bool lifetimeOk = true;
    options.tokenLifetime = parser.value(tokenLifetime).toLongLong(&lifetimeOk);
    if (!ok || options.httpPort < 0 || options.httpPort > 65535 || !tlsOk || options.tlsPort < -1
        || options.tlsPort > 65535 || !lifetimeOk || options.tokenLifetime <= 0) {
        std::fprintf(stderr, "velari-server: a port or lifetime is not a number in range\n");
        return 2;
    }
    options.reset = parser.isSet(reset);
    options.statisticsAvailable = !parser.isSet(statisticsUnavailable);
    options.statisticsDelayMs = std::max(0, parser.value(statisticsDelay).toInt());
    options.requestLog = parser.value(requestLog);
    options.clientId = QStringLiteral(VELARI_API_CLIENT_ID);
    options.clientSecret = QStringLiteral(VELARI_API_CLIENT_SECRET);
    options.redirectUri = QStringLiteral(VELARI_API_REDIRECT_URI);
    options.passTypeIdentifier = QStringLiteral(VELARI_PASS_TYPE_IDENTIFIER);

    StandInServer server;
    QString error;
    if (!server.start(options, &error)) {
        std::fprintf(stderr, "velari-server: %s\n", qPrintable(error));
        return 1;
    }
    QTextStream out(stdout);
    out << "velari-server listening http://127.0.0.1:" << server.httpPort();
    if (server.tlsPort())
        out << " https://127.0.0.1:" << server.tlsPort() << " ca=" << server.certificatePath();
    out << Qt::endl;
    return app.exec();
}
