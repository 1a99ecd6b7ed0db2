#include "NotificationCenter.h"

#include "SharedInstances.h"

#include <QThread>

NotificationCenter &NotificationCenter::defaultCenter()
{
    return SharedInstance<NotificationCenter>::get();
}

void NotificationCenter::addObserver(QObject *owner, const QString &name, Handler handler)
{
    Q_ASSERT(owner);
    if (!owner || !handler)
        return;
    QMutexLocker locker(&m_mutex);
    prune(name);
    m_observers[name].append({ m_nextId++, owner, std::move(handler) });
}

void NotificationCenter::removeObserver(QObject *owner)
{
    QMutexLocker locker(&m_mutex);
    for (auto it = m_observers.begin(); it != m_observers.end();) {
        it->removeIf([owner](const Observer &o) { return o.owner.isNull() || o.owner == owner; });
        it = it->isEmpty() ? m_observers.erase(it) : std::next(it);
    }
}

void NotificationCenter::removeObserver(QObject *owner, const QString &name)
{
    QMutexLocker locker(&m_mutex);
    auto it = m_observers.find(name);
    if (it == m_observers.end())
        return;
    it->removeIf([owner](const Observer &o) { return o.owner.isNull() || o.owner == owner; });
    if (it->isEmpty())
        m_observers.erase(it);
}

void NotificationCenter::postNotification(const QString &name, const QVariantMap &userInfo,
                                          QObject *sender)
{
    QList<Observer> targets;
    {
        QMutexLocker locker(&m_mutex);
        prune(name);
        targets = m_observers.value(name);
    }
    const Notification notification{ name, userInfo, sender };
    for (const Observer &observer : std::as_const(targets)) {
        QObject *owner = observer.owner.data();
        if (!owner)
            continue;
        const quint64 id = observer.id;
        // An observer removed by an earlier handler of this same post must not run.
        auto stillObserving = [this, name, id] {
            QMutexLocker locker(&m_mutex);
            const QList<Observer> current = m_observers.value(name);
            return std::any_of(current.cbegin(), current.cend(),
                               [id](const Observer &o) { return o.id == id && o.owner; });
        };
        if (owner->thread() == QThread::currentThread()) {
            if (stillObserving())
                observer.handler(notification);
        } else {
            QMetaObject::invokeMethod(
                    owner,
                    [handler = observer.handler, notification, stillObserving] {
                        if (stillObserving())
                            handler(notification);
                    },
                    Qt::QueuedConnection);
        }
    }
}

int NotificationCenter::observerCount(const QString &name) const
{
    QMutexLocker locker(&m_mutex);
    const QList<Observer> list = m_observers.value(name);
    return int(
            std::count_if(list.cbegin(), list.cend(), [](const Observer &o) { return o.owner; }));
}

void NotificationCenter::prune(const QString &name)
{
    auto it = m_observers.find(name);
    if (it == m_observers.end())
        return;
    it->removeIf([](const Observer &o) { return o.owner.isNull(); });
    if (it->isEmpty())
        m_observers.erase(it);
}
