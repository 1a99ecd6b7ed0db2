#pragma once

#include <QHash>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantMap>

#include <functional>

struct Notification
{
    QString name;
    QVariantMap userInfo;
    QObject *sender = nullptr;
};

// Named notifications between parts that do not know each other. An observer is tied to an owner
// object: it is dropped when the owner is destroyed, and it runs on the owner's thread.
class NotificationCenter
{
public:
    using Handler = std::function<void(const Notification &)>;

    static NotificationCenter &defaultCenter();

    void addObserver(QObject *owner, const QString &name, Handler handler);
    void removeObserver(QObject *owner);
    void removeObserver(QObject *owner, const QString &name);

    // Observers on the posting thread run before this returns; others are queued to their thread.
    void postNotification(const QString &name, const QVariantMap &userInfo = {},
                          QObject *sender = nullptr);

    int observerCount(const QString &name) const;

private:
    struct Observer
    {
        quint64 id;
        QPointer<QObject> owner;
        Handler handler;
    };

    void prune(const QString &name);

    mutable QMutex m_mutex;
    QHash<QString, QList<Observer>> m_observers;
    quint64 m_nextId = 1;
};
