#pragma once

#include <QString>

#include <optional>

// What every screen reports to: each call goes to the in-house statistics library and to the
// outside analytics service. Main thread.
class VELEventLogger
{
public:
    // Once per process; later calls do nothing. The library runs with policy 1 whatever is given.
    static void startWithAppKey(const QString &appKey, const QString &appName,
                                const QString &analyticsAppKey, const QString &analyticsChannel,
                                int reportPolicy);
    static void setUserID(const QString &userId, const QString &token);
    static void unbindUser();
    static void event(const QString &name, const QString &label);
    static void event(const QString &name);
    static void beginEvent(const QString &name);
    static void endEvent(const QString &name);

    // The analytics service's code for a facade policy of 1 to 7.
    static int analyticsPolicyCode(int reportPolicy);
    // For tests: forget that the facade was started.
    static void resetForTesting();
};
