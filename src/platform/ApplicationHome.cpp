#include "ApplicationHome.h"

#include "ApplicationInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>

namespace {

QString ensured(const QString &path)
{
    ApplicationHome::makeOwnerOnlyDirectory(path);
    return path;
}

} // namespace

QString ApplicationHome::rootPath()
{
    QString root = qEnvironmentVariable("VELARI_HOME");
    if (root.isEmpty()) {
        root = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/'
                + ApplicationInfo::bundleIdentifier();
    }
    return ensured(QDir::cleanPath(QDir(root).absolutePath()));
}

QString ApplicationHome::libraryPath()
{
    return ensured(rootPath() + QStringLiteral("/Library"));
}

QString ApplicationHome::documentsPath()
{
    return ensured(rootPath() + QStringLiteral("/Documents"));
}

QString ApplicationHome::cachesPath()
{
    return ensured(libraryPath() + QStringLiteral("/Caches"));
}

QString ApplicationHome::temporaryPath()
{
    return ensured(rootPath() + QStringLiteral("/tmp"));
}

QString ApplicationHome::preferencesPath()
{
    return ensured(libraryPath() + QStringLiteral("/Preferences"));
}

QString ApplicationHome::preferencesFilePath()
{
    return preferencesPath() + u'/' + ApplicationInfo::bundleIdentifier() + QStringLiteral(".ini");
}

QString ApplicationHome::keychainPath()
{
    // The keychain outlives a reinstallation, so it sits beside the sandbox rather than in it;
    // a VELARI_HOME makes a self-contained device and takes its keychain along.
    if (!qEnvironmentVariableIsEmpty("VELARI_HOME"))
        return rootPath() + QStringLiteral("/Keychain");
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/velari-keychain");
}

bool ApplicationHome::makeOwnerOnlyDirectory(const QString &path)
{
    QFileInfo info(path);
    if (info.isDir())
        return true;
    if (info.exists())
        return false;
    const QString parent = info.absolutePath();
    if (parent != path && !makeOwnerOnlyDirectory(parent))
        return false;
    const QByteArray native = QFile::encodeName(path);
    // mkdir honours the umask; chmod afterwards makes the mode exact.
    if (::mkdir(native.constData(), 0700) != 0)
        return QFileInfo(path).isDir(); // made meanwhile by another thread or process
    ::chmod(native.constData(), 0700);
    return true;
}
