#pragma once

#include <QAtomicPointer>
#include <QMutex>

#include <functional>

// Shared services register how to drop their single instance, so that each test starts from
// fresh ones. The application never calls resetAll().
class SharedInstances
{
public:
    static void registerReset(std::function<void()> reset);
    // Drops every registered instance, the most recently registered first.
    static void resetAll();
};

// The single instance of T, made on first use from any thread.
template<typename T>
class SharedInstance
{
public:
    static T &get()
    {
        if (T *existing = slot().loadAcquire())
            return *existing;
        QMutexLocker locker(&mutex());
        if (T *existing = slot().loadRelaxed())
            return *existing;
        T *made = new T;
        slot().storeRelease(made);
        static const bool registered
                = (SharedInstances::registerReset(&SharedInstance::reset), true);
        Q_UNUSED(registered);
        return *made;
    }

    static void reset()
    {
        QMutexLocker locker(&mutex());
        delete slot().fetchAndStoreOrdered(nullptr);
    }

private:
    static QAtomicPointer<T> &slot()
    {
        static QAtomicPointer<T> pointer;
        return pointer;
    }
    static QMutex &mutex()
    {
        static QMutex lock;
        return lock;
    }
};
