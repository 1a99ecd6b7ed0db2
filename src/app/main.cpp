#include "AppDelegate.h"

#include "account/LoginController.h"

#include "api/VELHosts.h"
#include "foundation/VELLogger.h"
#include "platform/ApplicationInfo.h"
#include "platform/ApplicationLifecycle.h"
#include "platform/SingleInstance.h"
#include "shell/SkinImageProvider.h"
#include "shell/TabBarController.h"

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QTimer>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(Velari_AccountPlugin)
Q_IMPORT_QML_PLUGIN(Velari_ShellPlugin)
Q_IMPORT_QML_PLUGIN(Velari_StoragePlugin)

namespace {

// Saves one picture per screen into the directory (each tab, then the login screen with its
// e-mail suggestions open), then quits.
void takeScreenshots(QQuickWindow *window, AppDelegate *delegate, const QString &directory)
{
    QDir().mkpath(directory);
    TabBarController *tabs = delegate->tabBarController();
    QList<std::pair<QString, std::function<void()>>> screens;
    for (int tab = 0; tab < int(tabs->viewControllers().size()); ++tab)
        screens.append({ QStringLiteral("tab-%1").arg(tab), [tabs, tab] { tabs->setSelectedIndex(tab); } });
    screens.append({ QStringLiteral("login"), [tabs] {
                        tabs->setSelectedIndex(0);
                        LoginController::showModal(tabs, QString(), false)->accountEdited(QStringLiteral("xiaoming@"));
                    } });
    auto step = std::make_shared<int>(0);
    auto next = std::make_shared<std::function<void()>>();
    *next = [window, directory, screens, step, next] {
        window->grabWindow().save(QStringLiteral("%1/%2.png").arg(directory, screens.at(*step).first));
        if (++*step >= screens.size()) {
            QCoreApplication::exit(0);
            return;
        }
        screens.at(*step).second();
        QTimer::singleShot(400, window, *next);
    };
    screens.first().second();
    QTimer::singleShot(500, window, *next);
}

// Puts every view of the window on screen once: a pushed screen with its overlay, banner and
// empty-list tip, a modal screen and an alert.
void showEveryView(AppDelegate *delegate)
{
    TabBarController *tabs = delegate->tabBarController();
    auto *screen = new EVBaseViewController;
    screen->setTitle(QStringLiteral("self-test"));
    tabs->viewControllers().first()->push(screen, false);
    screen->startLoading();
    screen->showLoadResultCount(3, 0);
    screen->showNoDataTip(QStringLiteral("self-test"));
    tabs->presentModal(new EVBaseViewController);
    tabs->presentAlert(VELAlert::alert(QStringLiteral("self-test"), QString(), QStringLiteral("OK"), {}, {}));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("velari-events"));
    QGuiApplication::setApplicationVersion(ApplicationInfo::shortVersion());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Velari city events."));
    parser.addHelpOption();
    const QCommandLineOption selfTest("self-test", "Load every view, show the first frame, quit.");
    const QCommandLineOption screenshot("screenshot", "Save a picture of each screen into DIR, quit.", "DIR");
    const QCommandLineOption service("service", "The service's HTTP base URL (a stand-in).", "URL");
    const QCommandLineOption serviceTls("service-tls", "The service's HTTPS base URL.", "URL");
    const QCommandLineOption serviceCa("service-ca", "A certificate HTTPS trusts besides the system's.", "FILE");
    const QCommandLineOption push("push", "Deliver a push payload (JSON) to the running application.", "JSON");
    parser.addOptions({ selfTest, screenshot, service, serviceTls, serviceCa, push });
    parser.addPositionalArgument("url", "A URL handed to the application.", "[url]");
    parser.process(app);

    // A later start hands its URL or push payload to the running instance.
    const QString channel = SingleInstance::socketName(QStringLiteral("velari-events"));
    QByteArray forwarded;
    if (parser.isSet(push))
        forwarded = QJsonDocument(QJsonObject { { "push", QJsonDocument::fromJson(parser.value(push).toUtf8()).object() } })
                            .toJson(QJsonDocument::Compact);
    else if (!parser.positionalArguments().isEmpty())
        forwarded = QJsonDocument(QJsonObject { { "url", parser.positionalArguments().first() } })
                            .toJson(QJsonDocument::Compact);
    SingleInstance instance(channel);
    const bool interactive = !parser.isSet(selfTest) && !parser.isSet(screenshot);
    if (interactive && !instance.listen()) {
        if (forwarded.isEmpty() || SingleInstance::send(channel, forwarded))
            return 0;
    }

    if (parser.isSet(service)) {
        VELHosts::setOverride(parser.value(service),
                              parser.isSet(serviceTls) ? parser.value(serviceTls) : parser.value(service),
                              parser.value(serviceCa));
    }
    ApplicationLifecycle::install();

    AppDelegate delegate({ QStringLiteral(VELARI_API_CLIENT_ID), QStringLiteral(VELARI_API_CLIENT_SECRET),
                           QStringLiteral(VELARI_ANALYTICS_APP_KEY), interactive ? 1000 : 0 });
    delegate.didFinishLaunchingWithOptions({});
    QObject::connect(&instance, &SingleInstance::messageReceived, &delegate,
                     &AppDelegate::handleForwardedMessage);
    if (!forwarded.isEmpty())
        delegate.handleForwardedMessage(forwarded);

    QQmlApplicationEngine engine;
    // Our QML modules live at the root of the resources.
    engine.addImportPath(QStringLiteral("qrc:/"));
    engine.addImageProvider(QStringLiteral("skin"), new SkinImageProvider);
    int warnings = 0;
    QObject::connect(&engine, &QQmlEngine::warnings, &app,
                     [&warnings](const QList<QQmlError> &list) {
                         for (const QQmlError &error : list)
                             qWarning("%s", qPrintable(error.toString()));
                         warnings += int(list.size());
                     });
    engine.load(QUrl(QStringLiteral("qrc:/Main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    if (!window)
        return 1;

    VELLogger::sharedLogger().logWithLevel(6, "Launched %@ %@", QGuiApplication::applicationName(),
                                           QGuiApplication::applicationVersion());

    if (parser.isSet(screenshot)) {
        takeScreenshots(window, &delegate, parser.value(screenshot));
        QTimer::singleShot(30000, &app, [] { QCoreApplication::exit(3); });
    } else if (parser.isSet(selfTest)) {
        showEveryView(&delegate);
        QObject::connect(
                window, &QQuickWindow::frameSwapped, &app,
                [&warnings] { QCoreApplication::exit(warnings == 0 ? 0 : 2); }, Qt::QueuedConnection);
        QTimer::singleShot(20000, &app, [] { QCoreApplication::exit(3); });
    }
    const int status = app.exec();
    return parser.isSet(screenshot) && warnings > 0 ? 2 : status;
}
