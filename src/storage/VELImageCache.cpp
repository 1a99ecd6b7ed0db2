#include "VELImageCache.h"

#include "VELFileCache.h"

#include "platform/SharedInstances.h"

#include <QFile>
#include <QSaveFile>

namespace {

// Memory cost in KiB; 64 MiB of decoded pictures.
constexpr qsizetype kMemoryBudget = 64 * 1024;

qsizetype costOf(const QImage &image)
{
    return std::max<qsizetype>(1, image.sizeInBytes() / 1024);
}

} // namespace

VELImageCache &VELImageCache::sharedInstance()
{
    return SharedInstance<VELImageCache>::get();
}

VELImageCache::VELImageCache() : m_memory(kMemoryBudget) { }

QImage VELImageCache::image(const QString &url)
{
    if (const QImage *held = m_memory.object(url))
        return *held;
    const QString path = VELFileCache::imagePath(url);
    if (!QFile::exists(path))
        return QImage();
    QImage fromDisk(path);
    if (!fromDisk.isNull())
        m_memory.insert(url, new QImage(fromDisk), costOf(fromDisk));
    return fromDisk;
}

void VELImageCache::store(const QString &url, const QImage &image, const QByteArray &bytes)
{
    m_memory.insert(url, new QImage(image), costOf(image));
    QSaveFile file(VELFileCache::imagePath(url));
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size())
        file.commit();
}

void VELImageCache::clearMemory()
{
    m_memory.clear();
}
