#pragma once

#include <QString>

#include <functional>
#include <memory>

class QThread;
class QObject;

// A queue that runs its work one item at a time, in order, on a thread of its own named after the
// queue's label. Destroying the queue runs what was already queued first.
class SerialQueue
{
public:
    explicit SerialQueue(const QString &label);
    ~SerialQueue();

    SerialQueue(const SerialQueue &) = delete;
    SerialQueue &operator=(const SerialQueue &) = delete;

    QString label() const { return m_label; }
    bool isCurrent() const;

    void async(std::function<void()> work);
    // Runs the work on the queue and waits for it; inline when called from the queue itself.
    void sync(const std::function<void()> &work);

private:
    QString m_label;
    std::unique_ptr<QThread> m_thread;
    QObject *m_context = nullptr;
};
