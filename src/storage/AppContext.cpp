#include "AppContext.h"

#include "VELFileCache.h"

#include "api/VELOAuthStore.h"
#include "api/VELUser.h"
#include "platform/LocalizedStrings.h"
#include "platform/Preferences.h"
#include "platform/SharedInstances.h"

namespace {

std::shared_ptr<VELLoc> cityOf(const QString &text)
{
    if (text.isEmpty())
        return nullptr;
    return VELObject::objectWithString<VELLoc>(text);
}

} // namespace

AppContext &AppContext::sharedInstance()
{
    return SharedInstance<AppContext>::get();
}

AppContext::AppContext()
{
    updateContext();
    updateLocation();
}

void AppContext::updateContext()
{
    m_userId = VELOAuthStore::sharedInstance().userId();
    m_isWeixinReqLaunch = false;
}

void AppContext::updateLocation()
{
    const Preferences &preferences = Preferences::standard();
    m_latitude = float(preferences.real(kLatitudeKey));
    m_longitude = float(preferences.real(kLongitudeKey));

    m_currentCity = cityOf(VELFileCache::currentCityFileStr());
    if (!m_currentCity)
        m_currentCity = myLocatedCity();
    if (!m_currentCity)
        m_currentCity = defaultCity();

    m_choosedCity = cityOf(VELFileCache::choosedCityFileStr());
    if (!m_choosedCity)
        setChoosedCity(m_currentCity);
}

std::shared_ptr<VELLoc> AppContext::defaultCity()
{
    auto city = std::make_shared<VELLoc>();
    city->setIdentifier(QStringLiteral("108288"));
    city->setUid(QStringLiteral("beijing"));
    city->setName(LocalizedStrings::text("lsDefaultCurrentCity"));
    return city;
}

std::shared_ptr<VELLoc> AppContext::myLocatedCity()
{
    const QString profile = VELFileCache::myProfileFileStr();
    if (profile.isEmpty())
        return nullptr;
    const auto user = VELObject::objectWithString<VELUser>(profile);
    if (!user || user->locId().isEmpty())
        return nullptr;
    auto city = std::make_shared<VELLoc>();
    city->setIdentifier(user->locId());
    city->setName(user->locName());
    return city;
}

void AppContext::setLatitude(double latitude, double longitude)
{
    m_latitude = float(latitude);
    m_longitude = float(longitude);
    Preferences &preferences = Preferences::standard();
    preferences.setValue(kLatitudeKey, latitude);
    preferences.setValue(kLongitudeKey, longitude);
    preferences.synchronize();
}

void AppContext::setCurrentCity(std::shared_ptr<VELLoc> city)
{
    m_currentCity = std::move(city);
    emit currentCityChanged();
}

void AppContext::setCurrentCityStr(const QString &text)
{
    if (text.isEmpty())
        return;
    setCurrentCity(cityOf(text));
    VELFileCache::saveCurrentCityFileStr(text);
}

void AppContext::setChoosedCity(std::shared_ptr<VELLoc> city)
{
    m_choosedCity = std::move(city);
    emit choosedCityChanged();
    if (m_choosedCity)
        setChoosedCityStr(m_choosedCity->string());
}

void AppContext::setChoosedCityStr(const QString &text)
{
    if (!text.isNull())
        VELFileCache::saveChoosedCityFileStr(text);
}
