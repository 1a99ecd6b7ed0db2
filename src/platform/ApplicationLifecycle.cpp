#include "ApplicationLifecycle.h"

#include "NotificationCenter.h"

#include <QGuiApplication>

namespace {

void post(const QString &name, const QVariantMap &userInfo = {})
{
    NotificationCenter::defaultCenter().postNotification(name, userInfo);
}

bool inBackground(Qt::ApplicationState state)
{
    return state == Qt::ApplicationHidden || state == Qt::ApplicationSuspended;
}

} // namespace

void ApplicationLifecycle::install()
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return;
    static Qt::ApplicationState last = app->applicationState();
    QObject::connect(app, &QGuiApplication::applicationStateChanged, app,
                     [](Qt::ApplicationState state) {
                         stateChanged(last, state);
                         last = state;
                     });
    QObject::connect(app, &QCoreApplication::aboutToQuit, app, [] { post(kWillTerminate); });
}

void ApplicationLifecycle::finishLaunching(const QVariantMap &options)
{
    post(kDidFinishLaunching, options);
}

void ApplicationLifecycle::stateChanged(Qt::ApplicationState from, Qt::ApplicationState to)
{
    if (from == to)
        return;
    if (from == Qt::ApplicationActive)
        post(kWillResignActive);
    if (!inBackground(from) && inBackground(to))
        post(kDidEnterBackground);
    if (inBackground(from) && !inBackground(to))
        post(kWillEnterForeground);
    if (to == Qt::ApplicationActive)
        post(kDidBecomeActive);
}
