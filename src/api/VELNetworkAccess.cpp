#include "VELNetworkAccess.h"

#include "platform/MainThread.h"
#include "platform/SerialQueue.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>

QNetworkAccessManager *VELNetworkAccess::mainThreadManager()
{
    Q_ASSERT(MainThread::isCurrent());
    static QNetworkAccessManager *manager = new QNetworkAccessManager(QCoreApplication::instance());
    return manager;
}

void VELNetworkAccess::onSynchronousThread(std::function<void(QNetworkAccessManager *)> work)
{
    // Lives until the process ends: synchronous callers may run until then.
    static SerialQueue *queue = new SerialQueue(QStringLiteral("com.velari.http.synchronous"));
    static QNetworkAccessManager *manager = nullptr;
    queue->async([work = std::move(work)] {
        if (!manager)
            manager = new QNetworkAccessManager;
        work(manager);
    });
}
