#pragma once

#include <QString>
#include <QVariantMap>

// The application and device blocks that go with every upload.
class VELStatInfo
{
public:
    // "net", "vc", "apn", "sv".
    static QVariantMap appInfo(const QString &networkName);
    // "cn", "cr", "rt", "tz", "lu", "os", "dv", "did", "osv", "ifv".
    static QVariantMap deviceInfo();

    // The machine identifier ("hw.machine"): the kernel's machine name, such as "x86_64".
    static QString platform();
    // A display name for a machine identifier; simulators by the screen's width in points.
    static QString platformString(const QString &machine, int screenWidth);
};
