#include "VELFileCache.h"

#include "platform/ApplicationHome.h"
#include "platform/BackupExclusion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QUrl>

QString VELFileCache::libraryPath()
{
    return ApplicationHome::libraryPath();
}

QString VELFileCache::xmlFilesPath()
{
    return libraryPath() + QStringLiteral("/Private Documents/");
}

QString VELFileCache::imageFilesPath()
{
    return ApplicationHome::cachesPath() + QStringLiteral("/ImageCache/");
}

QString VELFileCache::filePathWithSubPath(const QString &name)
{
    const QString directory = xmlFilesPath();
    if (!QFileInfo::exists(directory) && ApplicationHome::makeOwnerOnlyDirectory(directory))
        BackupExclusion::exclude(directory);
    return directory + name;
}

bool VELFileCache::saveFileFileStr(const QString &text, const QString &name)
{
    // Written beside and renamed over, so a crash leaves the old snapshot or the new one.
    QSaveFile file(filePathWithSubPath(name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    return file.write(bytes) == bytes.size() && file.commit();
}

QString VELFileCache::fileStrFromFilename(const QString &name)
{
    QFile file(filePathWithSubPath(name));
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return QString();
    // UTF-8 unless a byte-order mark says otherwise.
    const auto encoding = QStringConverter::encodingForData(bytes);
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    QString text = decoder.decode(bytes);
    if (text.isNull())
        text = QStringLiteral(""); // an empty file is an empty snapshot, not none
    return text;
}

QString VELFileCache::imagePath(const QString &url)
{
    const QString directory = imageFilesPath();
    if (!QFileInfo::exists(directory))
        ApplicationHome::makeOwnerOnlyDirectory(directory);
    const QUrl parsed(url);
    QString name = parsed.host() + parsed.path();
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return directory + name;
}

bool VELFileCache::fileExist(const QString &url)
{
    return QFileInfo::exists(imagePath(url));
}

#define VEL_SNAPSHOT(Name, Read, FileName)                                                       \
    bool VELFileCache::save##Name##FileStr(const QString &text)                                    \
    {                                                                                              \
        return saveFileFileStr(text, QStringLiteral(FileName));                                   \
    }                                                                                              \
    QString VELFileCache::Read##FileStr()                                                          \
    {                                                                                              \
        return fileStrFromFilename(QStringLiteral(FileName));                                     \
    }

VEL_SNAPSHOT(HotEvents, hotEvents, "hotEvents.json")
VEL_SNAPSHOT(EventBrowsed, eventBrowsed, "eventBrowsed.json")
VEL_SNAPSHOT(MyCities, myCities, "myCities.json")
VEL_SNAPSHOT(CacheCity, cacheCity, "cacheCity.json")
VEL_SNAPSHOT(CurrentCity, currentCity, "currentCity.json")
VEL_SNAPSHOT(ChoosedCity, choosedCity, "choosedCity.json")
VEL_SNAPSHOT(MyParticipateEvents, myParticipateEvents, "myParticipateEvents.json")
VEL_SNAPSHOT(MyWishEvents, myWishEvents, "myWishEvents.json")
VEL_SNAPSHOT(MyTickets, myTickets, "myTickets.json")
VEL_SNAPSHOT(MyProfile, myProfile, "myProfile.json")
VEL_SNAPSHOT(MyVelariFollowing, myVelariFollowing, "myVelariFollowing.json")
VEL_SNAPSHOT(MySinaFollowing, mySinaFollowing, "mySinaFollowing.json")

#undef VEL_SNAPSHOT
