#pragma once

#include <functional>

// The application's main thread is the Qt event loop's thread.
class MainThread
{
public:
    static bool isCurrent();
    // Queues the work to the main thread; it runs on a later turn of the event loop.
    static void post(std::function<void()> work);
    // Runs the work on the main thread and waits for it; inline when already there.
    static void run(std::function<void()> work);
};
