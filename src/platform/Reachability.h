#pragma once

#include <QObject>

#include <atomic>
#include <optional>

// Whether the device has a network, and whether it is on a local wireless link. Reads Qt's
// network information where a backend loads, else the up, non-loopback interfaces (wireless when
// the interface is Wi-Fi). Tests set the answer. Any thread may read it.
class Reachability : public QObject
{
    Q_OBJECT
public:
    enum class Status { NotReachable = 0, ViaWWAN = 1, ViaWiFi = 2 };
    Q_ENUM(Status)

    static Reachability &sharedInstance();
    Reachability();

    Status currentStatus() const;
    bool isReachable() const { return currentStatus() != Status::NotReachable; }
    // Fixes the answer (tests); an empty optional returns to the system's.
    void setOverride(std::optional<Status> status);

signals:
    void reachabilityChanged();

private:
    Status systemStatus() const;
    std::atomic<int> m_override { -1 };
};
