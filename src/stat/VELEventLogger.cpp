#include "VELEventLogger.h"

#include "VELAnalyticsSDK.h"
#include "VELMobileStat.h"

#include "platform/ApplicationInfo.h"

#include <atomic>

namespace {

std::atomic<bool> g_started { false };

} // namespace

int VELEventLogger::analyticsPolicyCode(int reportPolicy)
{
    switch (reportPolicy) {
    case 1: return 1;
    case 3: return 5;
    }
    return 0;
}

void VELEventLogger::startWithAppKey(const QString &appKey, const QString &appName,
                                     const QString &analyticsAppKey,
                                     const QString &analyticsChannel, int reportPolicy)
{
    if (g_started.exchange(true))
        return;
    VELMobileStat::startWithAppkey(appKey, appName);
    QString channel = ApplicationInfo::publishChannel();
    if (channel.isEmpty())
        channel = analyticsChannel;
    VELAnalyticsSDK::sharedInstance().startWithAppkey(analyticsAppKey,
                                                      analyticsPolicyCode(reportPolicy), channel);
}

void VELEventLogger::setUserID(const QString &userId, const QString &token)
{
    VELMobileStat::bindUser(userId, token);
}

void VELEventLogger::unbindUser()
{
    VELMobileStat::unBindUser();
}

void VELEventLogger::event(const QString &name, const QString &label)
{
    VELMobileStat::event(name, label);
    VELAnalyticsSDK::sharedInstance().event(name, label);
}

void VELEventLogger::event(const QString &name)
{
    VELMobileStat::event(name);
    VELAnalyticsSDK::sharedInstance().event(name);
}

void VELEventLogger::beginEvent(const QString &name)
{
    VELMobileStat::beginEvent(name);
    VELAnalyticsSDK::sharedInstance().beginEvent(name);
}

void VELEventLogger::endEvent(const QString &name)
{
    VELMobileStat::endEvent(name);
    VELAnalyticsSDK::sharedInstance().endEvent(name);
}

void VELEventLogger::resetForTesting()
{
    g_started = false;
}
