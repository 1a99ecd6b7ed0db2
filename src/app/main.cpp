#include "foundation/VELLogger.h"
#include "platform/ApplicationInfo.h"
#include "platform/ApplicationLifecycle.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QTimer>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("velari-events"));
    QGuiApplication::setApplicationVersion(ApplicationInfo::shortVersion());
    ApplicationLifecycle::install();

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption selfTest(
            QStringLiteral("self-test"),
            QStringLiteral("Load every view, show the first frame, quit."));
    parser.addOption(selfTest);
    parser.process(app);

    QQmlApplicationEngine engine;
    int warnings = 0;
    QObject::connect(&engine, &QQmlEngine::warnings, &app,
                     [&warnings](const QList<QQmlError> &list) { warnings += int(list.size()); });
    engine.load(QUrl(QStringLiteral("qrc:/Main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;

    VELLogger::sharedLogger().logWithLevel(6, "Launched %@ %@", QGuiApplication::applicationName(),
                                           QGuiApplication::applicationVersion());

    if (parser.isSet(selfTest)) {
        auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
        if (!window)
            return 1;
        QObject::connect(
                window, &QQuickWindow::frameSwapped, &app,
                [&app, &warnings] { app.exit(warnings == 0 ? 0 : 2); }, Qt::QueuedConnection);
        QTimer::singleShot(20000, &app, [&app] { app.exit(3); });
    }
    return app.exec();
}
