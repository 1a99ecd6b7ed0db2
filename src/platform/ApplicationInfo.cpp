#include "ApplicationInfo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

namespace {

const QHash<QString, QVariant> &entries()
{
    static const QHash<QString, QVariant> values = {
        { QStringLiteral("CFBundleIdentifier"), QStringLiteral(VELARI_BUNDLE_IDENTIFIER) },
        { QStringLiteral("CFBundleShortVersionString"), QStringLiteral(VELARI_SHORT_VERSION) },
        { QStringLiteral("VELPublishChannel"), QStringLiteral(VELARI_PUBLISH_CHANNEL) },
        { QStringLiteral("AppIdentifierPrefix"), QStringLiteral(VELARI_APP_IDENTIFIER_PREFIX) },
        { QStringLiteral("CFBundleDisplayName"), QStringLiteral("Velari") },
    };
    return values;
}

} // namespace

QVariant ApplicationInfo::infoValue(const QString &key)
{
    return entries().value(key);
}

QString ApplicationInfo::bundleIdentifier()
{
    return infoValue(QStringLiteral("CFBundleIdentifier")).toString();
}

QString ApplicationInfo::shortVersion()
{
    return infoValue(QStringLiteral("CFBundleShortVersionString")).toString();
}

QString ApplicationInfo::publishChannel()
{
    return infoValue(QStringLiteral("VELPublishChannel")).toString();
}

QString ApplicationInfo::appIdentifierPrefix()
{
    return infoValue(QStringLiteral("AppIdentifierPrefix")).toString();
}

QString ApplicationInfo::executableName()
{
    if (QCoreApplication::instance())
        return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget().section(u'/', -1);
}
