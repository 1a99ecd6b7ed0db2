#include "VELStatConfig.h"

#include "VELMobileStatDefaultValues.h"

#include "platform/Preferences.h"
#include "platform/SharedInstances.h"

VELStatConfig &VELStatConfig::localConfig()
{
    return SharedInstance<VELStatConfig>::get();
}

VELStatConfig::VELStatConfig()
    : m_serviceAvailable(Preferences::standard().boolean(
              VELMobileStatDefaultValues::kServiceAvailableKey, true))
{
}

void VELStatConfig::setServiceAvailable(bool available)
{
    m_serviceAvailable = available;
    Preferences::standard().setValue(VELMobileStatDefaultValues::kServiceAvailableKey, available);
    Preferences::standard().synchronize();
}
