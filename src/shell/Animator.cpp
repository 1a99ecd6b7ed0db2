#include "Animator.h"

#include <QPointer>
#include <QTimer>

#include <algorithm>

namespace {

struct Pending
{
    qint64 due;
    QPointer<QObject> context;
    std::function<void()> work;
};

bool g_manual = false;
qint64 g_now = 0;
std::vector<Pending> g_pending;

} // namespace

void Animator::after(int milliseconds, QObject *context, std::function<void()> work)
{
    if (!g_manual) {
        QTimer::singleShot(milliseconds, context, std::move(work));
        return;
    }
    g_pending.push_back({ g_now + milliseconds, context, std::move(work) });
}

void Animator::setManual(bool manual)
{
    g_manual = manual;
    g_pending.clear();
    g_now = 0;
}

qint64 Animator::runNext()
{
    if (g_pending.empty())
        return -1;
    auto next = std::min_element(g_pending.begin(), g_pending.end(),
                                 [](const Pending &a, const Pending &b) { return a.due < b.due; });
    Pending pending = std::move(*next);
    g_pending.erase(next);
    g_now = pending.due;
    if (pending.context)
        pending.work();
    return pending.due;
}

void Animator::runAll()
{
    while (runNext() >= 0) { }
}

int Animator::pendingCount()
{
    return int(g_pending.size());
}
