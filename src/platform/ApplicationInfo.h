#pragma once

#include <QString>
#include <QVariant>

// The application's information entries, compiled in at build time.
class ApplicationInfo
{
public:
    static QVariant infoValue(const QString &key);

    static QString bundleIdentifier();
    static QString shortVersion();
    static QString publishChannel();
    // The signing team prefix that the keychain puts in front of default access groups.
    static QString appIdentifierPrefix();
    // File name of the running executable.
    static QString executableName();
};
