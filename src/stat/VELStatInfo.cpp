#include "VELStatInfo.h"

#include "VELMobileStatDefaultValues.h"

#include "foundation/VELSharedUDID.h"
#include "platform/ApplicationInfo.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QSysInfo>
#include <QTimeZone>

#include <sys/utsname.h>

QVariantMap VELStatInfo::appInfo(const QString &networkName)
{
    QVariantMap info { { "net", networkName },
                       { "vc", ApplicationInfo::shortVersion() },
                       { "apn", ApplicationInfo::infoValue("CFBundleDisplayName").toString() },
                       { "sv", VELMobileStatDefaultValues::kSdkVersion } };
    return info;
}

QVariantMap VELStatInfo::deviceInfo()
{
    const QLocale locale = QLocale::system();
    QString country = QLocale::territoryToCode(locale.territory());
    if (country.isEmpty())
        country = QStringLiteral("unknown");
    QString resolution = QStringLiteral("0 x 0");
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        if (QScreen *screen = app->primaryScreen()) {
            const qreal scale = screen->devicePixelRatio();
            resolution = QStringLiteral("%1 x %2")
                                 .arg(int(int(screen->size().width()) * scale))
                                 .arg(int(int(screen->size().height()) * scale));
        }
    }
    QVariantMap info { { "cn", country },
                       { "cr", QString() },
                       { "rt", resolution },
                       { "tz", QString::fromUtf8(QTimeZone::systemTimeZoneId()) },
                       { "lu", QLocale::languageToCode(locale.language()) },
                       { "os", QSysInfo::kernelType() },
                       { "dv", platform() },
                       { "did", VELSharedUDID::sharedUDID() },
                       { "osv", QSysInfo::kernelVersion() } };
    const QString vendor = VELSharedUDID::identifierForVendor();
    if (!vendor.isEmpty())
        info.insert("ifv", vendor);
    return info;
}

QString VELStatInfo::platform()
{
    struct utsname names {};
    if (uname(&names) != 0)
        return QSysInfo::currentCpuArchitecture();
    return QString::fromLatin1(names.machine);
}

QString VELStatInfo::platformString(const QString &machine, int screenWidth)
{
    static const std::pair<const char *, const char *> exact[] = {
        { "iFPGA", "iFPGA" }, { "iPhone1,1", "iPhone 1G" }, { "iPhone1,2", "iPhone 3G" }
    };
    for (const auto &[id, name] : exact) {
        if (machine == QLatin1String(id))
            return QLatin1String(name);
    }
    static const std::pair<const char *, const char *> prefixes[] = {
        { "iPhone2", "iPhone 3GS" },     { "iPhone3", "iPhone 4" },      { "iPhone4", "iPhone 4S" },
        { "iPhone5", "iPhone 5" },       { "iPod1", "iPod touch 1G" },   { "iPod2", "iPod touch 2G" },
        { "iPod3", "iPod touch 3G" },    { "iPod4", "iPod touch 4G" },   { "iPad1", "iPad 1G" },
        { "iPad2", "iPad 2G" },          { "iPad3", "iPad 3G" },         { "iPad4", "iPad 4G" },
        { "AppleTV2", "Apple TV 2G" },   { "AppleTV3", "Apple TV 3G" },  { "iPhone", "Unknown iPhone" },
        { "iPod", "Unknown iPod" },      { "iPad", "Unknown iPad" },     { "AppleTV", "Unknown Apple TV" },
    };
    for (const auto &[prefix, name] : prefixes) {
        if (machine.startsWith(QLatin1String(prefix)))
            return QLatin1String(name);
    }
    if (machine.endsWith(QLatin1String("86")) || machine == QLatin1String("x86_64"))
        return screenWidth < 768 ? QStringLiteral("iPhone Simulator") : QStringLiteral("iPad Simulator");
    return QStringLiteral("Unknown iOS device");
}
