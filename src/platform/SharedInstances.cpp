#include "SharedInstances.h"

#include <QMutex>
#include <vector>

namespace {

QMutex &registryMutex()
{
    static QMutex mutex;
    return mutex;
}

std::vector<std::function<void()>> &resets()
{
    static std::vector<std::function<void()>> list;
    return list;
}

} // namespace

void SharedInstances::registerReset(std::function<void()> reset)
{
    QMutexLocker locker(&registryMutex());
    resets().push_back(std::move(reset));
}

void SharedInstances::resetAll()
{
    std::vector<std::function<void()>> list;
    {
        QMutexLocker locker(&registryMutex());
        list = resets();
    }
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        (*it)();
}
