#pragma once

#include <QObject>

#include <functional>
#include <vector>

// Runs work after a delay, the way the views' animations end. Tests switch it to manual and run
// what is due themselves, so that no test waits for time to pass.
class Animator
{
public:
    static void after(int milliseconds, QObject *context, std::function<void()> work);
    static void setManual(bool manual);
    // In manual mode: runs every pending piece of work (and what it schedules), in time order.
    static void runAll();
    // In manual mode: runs the next piece of work due; its due time since the start, or -1.
    static qint64 runNext();
    static int pendingCount();
};
