#pragma once

#include "api/VELLoc.h"

#include <QObject>

#include <memory>

// What every event list depends on: the chosen city (whose events are shown, observable as
// "choosedCity"), the current city (where the device is), the last coordinates, the logged-in
// user and whether a WeChat request is being served. Cities and coordinates carry over to the
// next run through snapshots and preferences. Main thread only.
class AppContext : public QObject
{
    Q_OBJECT
    Q_PROPERTY(VELLoc *choosedCity READ choosedCityObject NOTIFY choosedCityChanged)
    Q_PROPERTY(VELLoc *currentCity READ currentCityObject NOTIFY currentCityChanged)

public:
    static AppContext &sharedInstance();
    AppContext();

    static inline const QString kLatitudeKey = QStringLiteral("latitideKey");
    static inline const QString kLongitudeKey = QStringLiteral("longitudeKey");

    void updateContext();
    void updateLocation();

    static std::shared_ptr<VELLoc> defaultCity();
    static std::shared_ptr<VELLoc> myLocatedCity();

    qint64 userId() const { return m_userId; }
    void setUserId(qint64 userId) { m_userId = userId; }
    float latitude() const { return m_latitude; }
    float longitude() const { return m_longitude; }
    void setLatitude(float latitude) { m_latitude = latitude; }
    void setLongitude(float longitude) { m_longitude = longitude; }
    // Stores both and persists them.
    void setLatitude(double latitude, double longitude);
    bool isWeixinReqLaunch() const { return m_isWeixinReqLaunch; }
    void setIsWeixinReqLaunch(bool launch) { m_isWeixinReqLaunch = launch; }

    std::shared_ptr<VELLoc> currentCity() const { return m_currentCity; }
    void setCurrentCity(std::shared_ptr<VELLoc> city);
    void setCurrentCityStr(const QString &text);
    std::shared_ptr<VELLoc> choosedCity() const { return m_choosedCity; }
    void setChoosedCity(std::shared_ptr<VELLoc> city);
    void setChoosedCityStr(const QString &text);

    VELLoc *choosedCityObject() const { return m_choosedCity.get(); }
    VELLoc *currentCityObject() const { return m_currentCity.get(); }

signals:
    void choosedCityChanged();
    void currentCityChanged();

private:
    qint64 m_userId = 0;
    float m_latitude = 0;
    float m_longitude = 0;
    bool m_isWeixinReqLaunch = false;
    std::shared_ptr<VELLoc> m_currentCity;
    std::shared_ptr<VELLoc> m_choosedCity;
};
