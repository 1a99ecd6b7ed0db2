#pragma once

#include <QString>

// The named JSON snapshots that let screens show their last content at once, offline included,
// and the paths of cached pictures. Snapshots live in "<library>/Private Documents/", excluded
// from backups; each is written whole and atomically. An empty snapshot means none.
class VELFileCache
{
public:
    static QString libraryPath();
    static QString xmlFilesPath();
    static QString imageFilesPath();

    // The snapshot's full path; the snapshot directory exists afterwards.
    static QString filePathWithSubPath(const QString &name);
    static bool saveFileFileStr(const QString &text, const QString &name);
    // The text, or a null string when there is no such file or it cannot be read.
    static QString fileStrFromFilename(const QString &name);

    static QString imagePath(const QString &url);
    static bool fileExist(const QString &url);

    static bool saveHotEventsFileStr(const QString &text);
    static QString hotEventsFileStr();
    static bool saveEventBrowsedFileStr(const QString &text);
    static QString eventBrowsedFileStr();
    static bool saveMyCitiesFileStr(const QString &text);
    static QString myCitiesFileStr();
    static bool saveCacheCityFileStr(const QString &text);
    static QString cacheCityFileStr();
    static bool saveCurrentCityFileStr(const QString &text);
    static QString currentCityFileStr();
    static bool saveChoosedCityFileStr(const QString &text);
    static QString choosedCityFileStr();
    static bool saveMyParticipateEventsFileStr(const QString &text);
    static QString myParticipateEventsFileStr();
    static bool saveMyWishEventsFileStr(const QString &text);
    static QString myWishEventsFileStr();
    static bool saveMyTicketsFileStr(const QString &text);
    static QString myTicketsFileStr();
    static bool saveMyProfileFileStr(const QString &text);
    static QString myProfileFileStr();
    static bool saveMyVelariFollowingFileStr(const QString &text);
    static QString myVelariFollowingFileStr();
    static bool saveMySinaFollowingFileStr(const QString &text);
    static QString mySinaFollowingFileStr();
};
