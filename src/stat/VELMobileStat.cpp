#include "VELMobileStat.h"

#include "VELMobileStatImp.h"

#include "foundation/VELLogger.h"
#include "platform/ApplicationInfo.h"

#include <exception>

namespace {

template<typename F>
void shielded(const char *operation, int line, F work)
{
    try {
        work();
    } catch (const std::exception &failure) {
        VELLogger::sharedLogger().logWithLevel(3, "[ERROR] %s(%d): ex: %@", operation, line,
                                               QString::fromLocal8Bit(failure.what()));
    } catch (...) {
        VELLogger::sharedLogger().logWithLevel(3, "[ERROR] %s(%d): ex: %@", operation, line,
                                               QStringLiteral("unknown exception"));
    }
}

VELMobileStatImp &engine()
{
    return VELMobileStatImp::sharedInstance();
}

} // namespace

void VELMobileStat::startWithAppkey(const QString &appkey, const QString &appName)
{
    shielded(Q_FUNC_INFO, __LINE__, [&] {
        QString channel = ApplicationInfo::publishChannel();
        if (channel.isEmpty())
            channel = QStringLiteral("AppStore");
        engine().startWithAppkey(appkey, appName, VELMobileStatImp::kPolicyUploadAtLaunch, channel);
    });
}

void VELMobileStat::startWithAppkey(const QString &appkey, const QString &appName, int reportPolicy,
                                    const QString &channelId)
{
    shielded(Q_FUNC_INFO, __LINE__,
             [&] { engine().startWithAppkey(appkey, appName, reportPolicy, channelId); });
}

void VELMobileStat::bindUser(const QString &userId, const QString &token)
{
    shielded(Q_FUNC_INFO, __LINE__, [&] { engine().bindUser(userId, token); });
}

void VELMobileStat::unBindUser()
{
    shielded(Q_FUNC_INFO, __LINE__, [&] { engine().unBindUser(); });
}

void VELMobileStat::event(const QString &name)
{
    event(name, std::nullopt, 1);
}

void VELMobileStat::event(const QString &name, const QString &label)
{
    event(name, std::optional<QString>(label), 1);
}

void VELMobileStat::event(const QString &name, int acc)
{
    event(name, std::nullopt, acc);
}

void VELMobileStat::event(const QString &name, const std::optional<QString> &label, int acc)
{
    shielded(Q_FUNC_INFO, __LINE__, [&] { engine().event(name, label, acc); });
}

void VELMobileStat::beginEvent(const QString &name, const std::optional<QString> &label)
{
    shielded(Q_FUNC_INFO, __LINE__, [&] { engine().beginEvent(name, label); });
}

void VELMobileStat::endEvent(const QString &name, const std::optional<QString> &label)
{
    shielded(Q_FUNC_INFO, __LINE__, [&] { engine().endEvent(name, label); });
}

void VELMobileStat::enableCrashReport()
{
    shielded(Q_FUNC_INFO, __LINE__, [&] { engine().enableCrashReport(); });
}
