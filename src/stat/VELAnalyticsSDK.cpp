#include "VELAnalyticsSDK.h"

#include "foundation/VELLogger.h"
#include "platform/SharedInstances.h"

namespace {

// The last calls are enough to see what the service would have got.
constexpr qsizetype kKeptCalls = 1000;

} // namespace

VELAnalyticsSDK &VELAnalyticsSDK::sharedInstance()
{
    return SharedInstance<VELAnalyticsSDK>::get();
}

void VELAnalyticsSDK::startWithAppkey(const QString &appKey, int reportPolicy, const QString &channelId)
{
    ++m_startCount;
    m_appKey = appKey;
    m_reportPolicy = reportPolicy;
    m_channelId = channelId;
    VELLogger::sharedLogger().logWithLevel(7, "analytics: started, policy %d, channel %@",
                                           reportPolicy, channelId);
}

void VELAnalyticsSDK::record(const QString &kind, const QString &name,
                             const std::optional<QString> &label)
{
    if (m_calls.size() >= kKeptCalls)
        m_calls.removeFirst();
    m_calls.append({ kind, name, label });
}

void VELAnalyticsSDK::event(const QString &name, const std::optional<QString> &label)
{
    record(QStringLiteral("event"), name, label);
}

void VELAnalyticsSDK::beginEvent(const QString &name)
{
    record(QStringLiteral("beginEvent"), name, std::nullopt);
}

void VELAnalyticsSDK::endEvent(const QString &name)
{
    record(QStringLiteral("endEvent"), name, std::nullopt);
}
