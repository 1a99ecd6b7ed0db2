#include "SerialQueue.h"

#include <QObject>
#include <QThread>

SerialQueue::SerialQueue(const QString &label)
    : m_label(label), m_thread(std::make_unique<QThread>())
{
    m_thread->setObjectName(label);
    m_context = new QObject;
    m_context->moveToThread(m_thread.get());
    QObject::connect(m_thread.get(), &QThread::finished, m_context, &QObject::deleteLater);
    m_thread->start();
}

SerialQueue::~SerialQueue()
{
    sync([] {});
    m_thread->quit();
    m_thread->wait();
}

bool SerialQueue::isCurrent() const
{
    return QThread::currentThread() == m_thread.get();
}

void SerialQueue::async(std::function<void()> work)
{
    QMetaObject::invokeMethod(m_context, std::move(work), Qt::QueuedConnection);
}

void SerialQueue::sync(const std::function<void()> &work)
{
    if (isCurrent()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(m_context, work, Qt::BlockingQueuedConnection);
}
