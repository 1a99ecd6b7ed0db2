#include "VELMobileStatFileUtil.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

struct Entry
{
    QString path;
    QDateTime created;
    qint64 stamp; // milliseconds in the name (for files made within one millisecond), or -1
    qint64 size;
};

QList<Entry> entriesOf(const QString &directory)
{
    static const QRegularExpression stamped(QStringLiteral("_(\\d+)\\."));
    QList<Entry> entries;
    const QFileInfoList infos =
            QDir(directory).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &info : infos) {
        const QRegularExpressionMatch match = stamped.match(info.fileName());
        QDateTime created = info.birthTime();
        if (!created.isValid())
            created = info.metadataChangeTime();
        entries.append({ info.absoluteFilePath(), created,
                         match.hasMatch() ? match.captured(1).toLongLong() : -1, info.size() });
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (a.created != b.created)
            return a.created < b.created;
        if (a.stamp != b.stamp)
            return a.stamp < b.stamp;
        return a.path < b.path;
    });
    return entries;
}

} // namespace

QStringList VELMobileStatFileUtil::sortedPathsByTimeIncrease(const QString &directory)
{
    QStringList paths;
    for (const Entry &entry : entriesOf(directory))
        paths.append(entry.path);
    return paths;
}

int VELMobileStatFileUtil::clearOldFilesInDirctory(const QString &directory, int keepNum,
                                                   qint64 keepSize)
{
    QList<Entry> entries = entriesOf(directory);
    std::reverse(entries.begin(), entries.end()); // newest first
    int kept = 0;
    qint64 keptBytes = 0;
    int deleted = 0;
    for (const Entry &entry : entries) {
        if ((keepNum == 0 || kept < keepNum) && (keepSize == 0 || keptBytes < keepSize)) {
            ++kept;
            keptBytes += entry.size;
            continue;
        }
        const QFileInfo info(entry.path);
        const bool removed = info.isDir() ? QDir(entry.path).removeRecursively()
                                          : QFile::remove(entry.path);
        if (removed)
            ++deleted;
    }
    return deleted;
}
