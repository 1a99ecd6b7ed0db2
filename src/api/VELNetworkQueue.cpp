#include "VELNetworkQueue.h"

VELNetworkQueue::VELNetworkQueue(int maxConcurrentOperationCount)
    : m_max(std::max(1, maxConcurrentOperationCount))
{ }

VELNetworkQueue::~VELNetworkQueue()
{
    m_alive.reset();
    const std::deque<VELHttpRequest::Ptr> waiting = std::move(m_pending);
    for (const VELHttpRequest::Ptr &request : waiting)
        request->clearDelegatesAndCancel();
}

void VELNetworkQueue::setMaxConcurrentOperationCount(int count)
{
    m_max = std::max(1, count);
    startWaiting();
}

void VELNetworkQueue::addOperation(const VELHttpRequest::Ptr &request)
{
    // A request cancelled while it waits leaves the queue at once.
    std::weak_ptr<VELHttpRequest> weak = request;
    request->setOnDone([this, weak, alive = std::weak_ptr<int>(m_alive)] {
        if (alive.expired())
            return;
        const VELHttpRequest::Ptr done = weak.lock();
        const auto it = std::find(m_pending.begin(), m_pending.end(), done);
        if (it != m_pending.end())
            m_pending.erase(it);
        else
            --m_running;
        startWaiting();
    });
    m_pending.push_back(request);
    startWaiting();
}

void VELNetworkQueue::startWaiting()
{
    while (m_running < m_max && !m_pending.empty()) {
        VELHttpRequest::Ptr next = std::move(m_pending.front());
        m_pending.pop_front();
        ++m_running;
        next->startAsynchronous();
    }
}
