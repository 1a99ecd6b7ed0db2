#pragma once

#include <functional>

class QNetworkAccessManager;

// The one place that owns HTTP clients: one for the main thread, and one on a thread of its own
// that serves synchronous exchanges, so a caller that blocks still gets its answer.
class VELNetworkAccess
{
public:
    static QNetworkAccessManager *mainThreadManager();
    // Runs the work on the synchronous exchanges' thread, with that thread's client.
    static void onSynchronousThread(std::function<void(QNetworkAccessManager *)> work);
};
