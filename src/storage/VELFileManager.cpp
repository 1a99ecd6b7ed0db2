#include "VELFileManager.h"

#include "platform/ApplicationHome.h"
#include "platform/BackupExclusion.h"
#include "platform/Clock.h"
#include "platform/MainThread.h"
#include "platform/Preferences.h"
#include "platform/PropertyList.h"
#include "platform/SharedInstances.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSaveFile>
#include <QThreadPool>

namespace {

// Guards every expiry table and its persistence, across all stores.
QMutex &tableLock()
{
    static QMutex lock;
    return lock;
}

QThreadPool &backgroundPool()
{
    static QThreadPool *pool = [] {
        auto *made = new QThreadPool;
        made->setObjectName(QStringLiteral("com.velari.filemanager"));
        return made;
    }();
    return *pool;
}

// "Never": far enough that no clock reaches it.
const QDateTime &distantFuture()
{
    static const QDateTime moment(QDate(4001, 1, 1), QTime(0, 0), Qt::UTC);
    return moment;
}

struct CacheStore : VELFileManager
{
    CacheStore() : VELFileManager(ApplicationHome::cachesPath()) { }
};
struct OfflineStore : VELFileManager
{
    OfflineStore() : VELFileManager(ApplicationHome::libraryPath() + QStringLiteral("/offline")) { }
};
struct TmpStore : VELFileManager
{
    TmpStore() : VELFileManager(ApplicationHome::rootPath() + QStringLiteral("/tmp")) { }
};

} // namespace

VELFileManager &VELFileManager::shareCacheFileInstance()
{
    return SharedInstance<CacheStore>::get();
}

VELFileManager &VELFileManager::shareOfflineFileInstance()
{
    return SharedInstance<OfflineStore>::get();
}

VELFileManager &VELFileManager::shareTmpFileInstance()
{
    return SharedInstance<TmpStore>::get();
}

VELFileManager::VELFileManager(const QString &baseFilePath) : m_baseFilePath(baseFilePath)
{
    QDir().mkpath(m_baseFilePath);
    BackupExclusion::exclude(m_baseFilePath);
    QMutexLocker locker(&tableLock());
    const QVariantMap tables = Preferences::standard().dictionary(kExpireDatesKey);
    const QVariantMap table = tables.value(m_baseFilePath).toMap();
    for (auto it = table.cbegin(); it != table.cend(); ++it)
        m_expireDates.insert(it.key(), QDateTime::fromSecsSinceEpoch(0, Qt::UTC).addMSecs(
                                                qint64(it.value().toDouble() * 1000)));
}

VELFileManager::~VELFileManager()
{
    waitForBackgroundWork();
}

QString VELFileManager::absolutePath(const QString &path) const
{
    return QDir::cleanPath(m_baseFilePath + QLatin1Char('/') + path);
}

QString VELFileManager::parseParentDirectoryAtPath(const QString &path) const
{
    QStringList parts = absolutePath(path).split(QLatin1Char('/'));
    if (parts.size() < 2)
        return QString();
    parts.removeLast();
    return parts.join(QLatin1Char('/'));
}

bool VELFileManager::parentDirectoriesExistAtPath(const QString &path) const
{
    const QString parent = parseParentDirectoryAtPath(path);
    return !parent.isNull() && QFileInfo(parent).isDir();
}

bool VELFileManager::createParentDirectoriesAtPath(const QString &path) const
{
    const QString parent = parseParentDirectoryAtPath(path);
    return !parent.isNull() && QDir().mkpath(parent);
}

void VELFileManager::persistLocked()
{
    QVariantMap table;
    for (auto it = m_expireDates.cbegin(); it != m_expireDates.cend(); ++it)
        table.insert(it.key(), double(it.value().toMSecsSinceEpoch()) / 1000.0);
    Preferences &preferences = Preferences::standard();
    QVariantMap tables = preferences.dictionary(kExpireDatesKey);
    tables.insert(m_baseFilePath, table);
    preferences.setValue(kExpireDatesKey, tables);
    preferences.synchronize();
}

void VELFileManager::setExpireTimeInterval(double seconds, const QString &path)
{
    const QDateTime moment =
            seconds > 0 ? Clock::now().addMSecs(qint64(seconds * 1000)) : distantFuture();
    QMutexLocker locker(&tableLock());
    m_expireDates.insert(path, moment);
    persistLocked();
}

std::optional<QDateTime> VELFileManager::expiry(const QString &path) const
{
    QMutexLocker locker(&tableLock());
    const auto it = m_expireDates.constFind(path);
    if (it == m_expireDates.cend())
        return std::nullopt;
    return *it;
}

bool VELFileManager::fileExistsAtFilePath(const QString &path) const
{
    return QFileInfo::exists(absolutePath(path));
}

bool VELFileManager::fileExpiredAtFilePath(const QString &path) const
{
    const auto moment = expiry(path);
    return moment && *moment < Clock::now();
}

bool VELFileManager::fileVaildAtFilePath(const QString &path) const
{
    return fileExistsAtFilePath(path) && !fileExpiredAtFilePath(path);
}

bool VELFileManager::writeBytes(const QByteArray &bytes, const QString &path, double expire)
{
    if (!parentDirectoriesExistAtPath(path))
        createParentDirectoriesAtPath(path);
    setExpireTimeInterval(expire, path);
    QSaveFile file(absolutePath(path));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool VELFileManager::writeData(const QByteArray &data, const QString &path, double expire)
{
    return writeBytes(data, path, expire);
}

bool VELFileManager::writeString(const QString &text, const QString &path, double expire)
{
    return writeBytes(text.toUtf8(), path, expire);
}

bool VELFileManager::writeDictionary(const QVariantMap &dictionary, const QString &path,
                                     double expire)
{
    const auto xml = PropertyList::toXml(dictionary);
    return xml && writeBytes(*xml, path, expire);
}

bool VELFileManager::writeArray(const QVariantList &array, const QString &path, double expire)
{
    const auto xml = PropertyList::toXml(array);
    return xml && writeBytes(*xml, path, expire);
}

std::optional<QByteArray> VELFileManager::readDataAtPath(const QString &path) const
{
    if (!fileVaildAtFilePath(path))
        return std::nullopt;
    QFile file(absolutePath(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

std::optional<QString> VELFileManager::readStringAtPath(const QString &path) const
{
    const auto data = readDataAtPath(path);
    if (!data)
        return std::nullopt;
    return QString::fromUtf8(*data);
}

std::optional<QVariant> VELFileManager::readPropertyList(const QString &path) const
{
    const auto data = readDataAtPath(path);
    if (!data)
        return std::nullopt;
    return PropertyList::fromXml(*data);
}

std::optional<QVariantMap> VELFileManager::readDictionaryAtPath(const QString &path) const
{
    const auto value = readPropertyList(path);
    if (!value || value->typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return value->toMap();
}

std::optional<QVariantList> VELFileManager::readArrayAtPath(const QString &path) const
{
    const auto value = readPropertyList(path);
    if (!value || value->typeId() != QMetaType::QVariantList)
        return std::nullopt;
    return value->toList();
}

bool VELFileManager::deleteFileAtPath(const QString &path)
{
    {
        QMutexLocker locker(&tableLock());
        if (m_expireDates.remove(path))
            persistLocked();
    }
    const QString absolute = absolutePath(path);
    const QFileInfo info(absolute);
    if (info.isDir() && !info.isSymLink())
        return QDir(absolute).removeRecursively();
    return QFile::remove(absolute);
}

QStringList VELFileManager::fileNamesInParentDirectory(const QString &path) const
{
    QStringList names;
    QDirIterator walk(absolutePath(path), QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                      QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        walk.next();
        names.append(walk.fileName());
    }
    return names;
}

bool VELFileManager::cleanExpireFile()
{
    QStringList paths;
    {
        QMutexLocker locker(&tableLock());
        paths = m_expireDates.keys();
    }
    for (const QString &path : paths) {
        if (fileVaildAtFilePath(path))
            continue;
        // A file that is already gone is clean: only its entry goes.
        if (!fileExistsAtFilePath(path)) {
            QMutexLocker locker(&tableLock());
            m_expireDates.remove(path);
            persistLocked();
            continue;
        }
        if (!deleteFileAtPath(path))
            return false;
    }
    return true;
}

template<typename T>
void VELFileManager::inBackground(std::function<T()> work, Completion<T> complete)
{
    backgroundPool().start([work = std::move(work), complete = std::move(complete)] {
        T result = work();
        if (complete)
            MainThread::post([complete, result = std::move(result)] { complete(result); });
    });
}

void VELFileManager::waitForBackgroundWork()
{
    backgroundPool().waitForDone();
}

void VELFileManager::asyncWriteData(const QByteArray &data, const QString &path, double expire,
                                    Completion<bool> complete)
{
    inBackground<bool>([=, this] { return writeData(data, path, expire); }, std::move(complete));
}

void VELFileManager::asyncWriteString(const QString &text, const QString &path, double expire,
                                      Completion<bool> complete)
{
    inBackground<bool>([=, this] { return writeString(text, path, expire); }, std::move(complete));
}

void VELFileManager::asyncWriteDictionary(const QVariantMap &dictionary, const QString &path,
                                          double expire, Completion<bool> complete)
{
    inBackground<bool>([=, this] { return writeDictionary(dictionary, path, expire); },
                       std::move(complete));
}

void VELFileManager::asyncWriteArray(const QVariantList &array, const QString &path, double expire,
                                     Completion<bool> complete)
{
    inBackground<bool>([=, this] { return writeArray(array, path, expire); }, std::move(complete));
}

void VELFileManager::asyncReadDataAtPath(const QString &path,
                                         Completion<std::optional<QByteArray>> complete)
{
    inBackground<std::optional<QByteArray>>([=, this] { return readDataAtPath(path); },
                                            std::move(complete));
}

void VELFileManager::asyncReadStringAtPath(const QString &path,
                                           Completion<std::optional<QString>> complete)
{
    inBackground<std::optional<QString>>([=, this] { return readStringAtPath(path); },
                                         std::move(complete));
}

void VELFileManager::asyncReadDictionaryAtPath(const QString &path,
                                               Completion<std::optional<QVariantMap>> complete)
{
    inBackground<std::optional<QVariantMap>>([=, this] { return readDictionaryAtPath(path); },
                                             std::move(complete));
}

void VELFileManager::asyncReadArrayAtPath(const QString &path,
                                          Completion<std::optional<QVariantList>> complete)
{
    inBackground<std::optional<QVariantList>>([=, this] { return readArrayAtPath(path); },
                                              std::move(complete));
}

void VELFileManager::asyncDeleteFileAtPath(const QString &path, Completion<bool> complete)
{
    inBackground<bool>([=, this] { return deleteFileAtPath(path); }, std::move(complete));
}

void VELFileManager::asyncCleanExpireFile(Completion<bool> complete)
{
    inBackground<bool>([this] { return cleanExpireFile(); }, std::move(complete));
}
