#pragma once

#include <QCache>
#include <QImage>
#include <QString>

// Pictures by URL, in memory (bounded by size) and on disk under the picture directory, so that
// a picture seen once shows at once, in this run and the next. Main thread.
class VELImageCache
{
public:
    static VELImageCache &sharedInstance();
    VELImageCache();

    // The picture, or a null image when neither memory nor disk has it.
    QImage image(const QString &url);
    // Keeps the picture; `bytes` are its encoded form as received, written to disk.
    void store(const QString &url, const QImage &image, const QByteArray &bytes);
    void clearMemory();

private:
    QCache<QString, QImage> m_memory;
};
