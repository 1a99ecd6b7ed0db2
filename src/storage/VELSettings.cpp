#include "VELSettings.h"

#include "platform/Preferences.h"
#include "platform/SharedInstances.h"

namespace {

Preferences &preferences()
{
    return Preferences::standard();
}

void store(const QString &key, const QVariant &value, bool flush = true)
{
    if (value.isNull())
        preferences().remove(key);
    else
        preferences().setValue(key, value);
    if (flush)
        preferences().synchronize();
}

} // namespace

VELSettings &VELSettings::sharedInstance()
{
    return SharedInstance<VELSettings>::get();
}

int VELSettings::notificationType() const
{
    return int(preferences().integer(kNotificationFrequencyKey, kNotificationOneDayBefore));
}

void VELSettings::setNotificationType(int type)
{
    store(kNotificationFrequencyKey, type);
}

QString VELSettings::deviceToken() const
{
    return preferences().string(kDeviceTokenKey);
}

void VELSettings::setDeviceToken(const QString &token)
{
    store(kDeviceTokenKey, token.isNull() ? QVariant() : QVariant(token));
}

QString VELSettings::username() const
{
    return preferences().string(kUsernameKey);
}

void VELSettings::setUsername(const QString &name)
{
    store(kUsernameKey, name.isNull() ? QVariant() : QVariant(name));
}

bool VELSettings::hasPostedDeviceToken() const
{
    return preferences().boolean(kHasSavedDeviceTokenKey);
}

void VELSettings::setHasPostedDeviceToken(bool posted)
{
    store(kHasSavedDeviceTokenKey, posted);
}

int VELSettings::numberLaunch() const
{
    return int(preferences().integer(kNumberLaunchKey, -1));
}

void VELSettings::setNumberLaunch(int count)
{
    store(kNumberLaunchKey, count);
}

bool VELSettings::hasAppstoreReview() const
{
    return preferences().boolean(kHasAppStoreReviewKey);
}

void VELSettings::setHasAppstoreReview(bool reviewed)
{
    store(kHasAppStoreReviewKey, reviewed, false);
}

void VELSettings::clear()
{
    for (const QString &key : { kNotificationFrequencyKey, kHasSavedDeviceTokenKey, kPasswordKey,
                                kNumberLaunchKey, kHasAppStoreReviewKey })
        preferences().remove(key);
    preferences().synchronize();
}
