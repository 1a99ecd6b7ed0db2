#include "MainThread.h"

#include <QCoreApplication>
#include <QThread>

bool MainThread::isCurrent()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && app->thread() == QThread::currentThread();
}

void MainThread::post(std::function<void()> work)
{
    QCoreApplication *app = QCoreApplication::instance();
    Q_ASSERT_X(app, "MainThread::post", "needs an application object");
    if (!app)
        return;
    QMetaObject::invokeMethod(app, std::move(work), Qt::QueuedConnection);
}

void MainThread::run(std::function<void()> work)
{
    if (isCurrent()) {
        work();
        return;
    }
    QCoreApplication *app = QCoreApplication::instance();
    Q_ASSERT_X(app, "MainThread::run", "needs an application object");
    if (!app)
        return;
    QMetaObject::invokeMethod(app, std::move(work), Qt::BlockingQueuedConnection);
}
