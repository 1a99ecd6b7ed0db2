#include "Reachability.h"

#include "SharedInstances.h"

#include <QNetworkInformation>
#include <QNetworkInterface>

Reachability &Reachability::sharedInstance()
{
    return SharedInstance<Reachability>::get();
}

Reachability::Reachability()
{
    if (QNetworkInformation::loadDefaultBackend() && QNetworkInformation::instance())
        connect(QNetworkInformation::instance(), &QNetworkInformation::reachabilityChanged, this,
                &Reachability::reachabilityChanged);
}

Reachability::Status Reachability::currentStatus() const
{
    const int fixed = m_override.load();
    if (fixed >= 0)
        return Status(fixed);
    return systemStatus();
}

void Reachability::setOverride(std::optional<Status> status)
{
    m_override.store(status ? int(*status) : -1);
    emit reachabilityChanged();
}

Reachability::Status Reachability::systemStatus() const
{
    if (QNetworkInformation *information = QNetworkInformation::instance()) {
        if (information->reachability() == QNetworkInformation::Reachability::Online)
            return information->transportMedium() == QNetworkInformation::TransportMedium::WiFi
                    ? Status::ViaWiFi
                    : Status::ViaWWAN;
        if (information->reachability() != QNetworkInformation::Reachability::Unknown)
            return Status::NotReachable;
    }
    // No backend (no system bus here): an interface that is up and not loopback.
    Status status = Status::NotReachable;
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const auto flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning)
            || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        if (interface.type() == QNetworkInterface::Wifi)
            return Status::ViaWiFi;
        status = Status::ViaWWAN;
    }
    return status;
}
