#pragma once

#include <QStringList>

// Ordering and trimming of the event files.
class VELMobileStatFileUtil
{
public:
    // Full paths of the directory's entries, oldest first by the file system's times; the time
    // in event files' names ("normal_<ms>.plist") orders files made within one millisecond.
    static QStringList sortedPathsByTimeIncrease(const QString &directory);
    // Keeps the newest `keepNum` entries (0: no limit) while their sizes stay under `keepSize`
    // bytes (0: no limit); deletes the rest. The number deleted.
    static int clearOldFilesInDirctory(const QString &directory, int keepNum, qint64 keepSize);
};
