#pragma once

#include "VELHttpRequest.h"

#include <deque>

// Runs queued requests in order, at most a set number at once.
class VELNetworkQueue
{
public:
    explicit VELNetworkQueue(int maxConcurrentOperationCount = 4);
    // Waiting requests are cancelled; running ones finish without the queue.
    ~VELNetworkQueue();

    void setMaxConcurrentOperationCount(int count);
    int maxConcurrentOperationCount() const { return m_max; }
    void addOperation(const VELHttpRequest::Ptr &request);

    int runningCount() const { return m_running; }
    int pendingCount() const { return int(m_pending.size()); }

private:
    void startWaiting();

    int m_max;
    int m_running = 0;
    std::deque<VELHttpRequest::Ptr> m_pending;
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};
