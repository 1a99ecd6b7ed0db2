#include "VELMobileStatEventStorage.h"

#include "VELMobileStatDefaultValues.h"
#include "VELMobileStatFileUtil.h"

#include "foundation/VELLogger.h"
#include "platform/Clock.h"
#include "platform/PropertyList.h"
#include "platform/SharedInstances.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <vector>

VELMobileStatEventStorage &VELMobileStatEventStorage::sharedInstance()
{
    return SharedInstance<VELMobileStatEventStorage>::get();
}

VELMobileStatEventStorage::VELMobileStatEventStorage()
    : m_maxEventsPerFile(VELMobileStatDefaultValues::kMaxNumbersOfEventsPerFile),
      m_normal { VELMobileStatDefaultValues::dirPathOfNormalLog(), QStringLiteral("normal_"),
                 VELMobileStatDefaultValues::kMaxNumbersOfFilesForNormalEvent, {}, {} },
      m_important { VELMobileStatDefaultValues::dirPathOfImportantLog(), QStringLiteral("important_"),
                    VELMobileStatDefaultValues::kMaxNumbersOfFilesForImportantEvent, {}, {} },
      m_fileQueue(QStringLiteral("com.velari.stat.file"))
{
    m_sending.reserve(8);
    QDir().mkpath(m_important.directory);
    QDir().mkpath(m_normal.directory);
}

VELMobileStatEventStorage::~VELMobileStatEventStorage()
{
    waitForWrites();
}

template<typename F>
auto VELMobileStatEventStorage::onFileQueue(F work) -> decltype(work())
{
    {
        // Later events must not join a batch queued before this call.
        QMutexLocker locker(&m_batchMutex);
        m_openBatch.reset();
    }
    if constexpr (std::is_void_v<decltype(work())>) {
        m_fileQueue.sync(work);
    } else {
        decltype(work()) result {};
        m_fileQueue.sync([&] { result = work(); });
        return result;
    }
}

void VELMobileStatEventStorage::writelEventToDisk(const VELStatEvent &event)
{
    onFileQueue([&] { appendEvents({ event }); });
}

void VELMobileStatEventStorage::asyncWritelEventToDisk(const VELStatEvent &event)
{
    QMutexLocker locker(&m_batchMutex);
    if (m_openBatch) {
        m_openBatch->push_back(event);
        return;
    }
    auto batch = std::make_shared<std::deque<VELStatEvent>>();
    batch->push_back(event);
    m_openBatch = batch;
    m_fileQueue.async([this, batch] {
        std::deque<VELStatEvent> events;
        {
            QMutexLocker batchLocker(&m_batchMutex);
            if (m_openBatch == batch)
                m_openBatch.reset();
            events.swap(*batch);
        }
        appendEvents(events);
    });
}

void VELMobileStatEventStorage::waitForWrites()
{
    onFileQueue([] {});
}

QVariantList VELMobileStatEventStorage::eventsInFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const auto value = PropertyList::fromXml(file.readAll());
    return value && value->typeId() == QMetaType::QVariantList ? value->toList() : QVariantList();
}

QStringList &VELMobileStatEventStorage::pathsOf(Kind &kind)
{
    if (!kind.sortedPaths) {
        QStringList paths;
        for (const QString &path : VELMobileStatFileUtil::sortedPathsByTimeIncrease(kind.directory)) {
            if (path.endsWith(QLatin1String("plist")))
                paths.append(path);
        }
        kind.sortedPaths = paths;
    }
    return *kind.sortedPaths;
}

std::optional<QString> VELMobileStatEventStorage::appendablePath(Kind &kind)
{
    const QStringList &paths = pathsOf(kind);
    if (paths.isEmpty())
        return std::nullopt;
    const QString newest = paths.last();
    if (m_sending.contains(newest))
        return std::nullopt;
    // The cached content is the file's, possibly ahead of the disk.
    if (kind.latestEvents)
        return kind.latestEvents->size() < m_maxEventsPerFile ? std::optional<QString>(newest)
                                                              : std::nullopt;
    const QVariantList events = eventsInFile(newest);
    if (events.size() >= m_maxEventsPerFile)
        return std::nullopt;
    kind.latestEvents = events;
    return newest;
}

QString VELMobileStatEventStorage::newPath(const Kind &kind) const
{
    qint64 stamp = Clock::now().toMSecsSinceEpoch();
    // Two files made within one millisecond get consecutive names.
    if (kind.sortedPaths && !kind.sortedPaths->isEmpty()) {
        const QString newest = QFileInfo(kind.sortedPaths->last()).completeBaseName();
        stamp = std::max(stamp, newest.mid(kind.prefix.size()).toLongLong() + 1);
    }
    QString path;
    do {
        path = QStringLiteral("%1/%2%3.plist").arg(kind.directory, kind.prefix).arg(stamp++);
    } while (QFile::exists(path));
    return path;
}

void VELMobileStatEventStorage::writeFile(const Kind &kind, const QString &path)
{
    if (!kind.latestEvents)
        return;
    const auto xml = PropertyList::toXml(*kind.latestEvents);
    QSaveFile file(path);
    if (!xml || !file.open(QIODevice::WriteOnly) || file.write(*xml) != xml->size() || !file.commit())
        VELLogger::sharedLogger().logWithLevel(
                3, "[ERROR] %s(%d): Failed to write event '%@', to file %@", Q_FUNC_INFO, __LINE__,
                kind.latestEvents->isEmpty() ? QString() : kind.latestEvents->last().toMap().value("nm").toString(),
                path);
}

void VELMobileStatEventStorage::appendEvents(const std::deque<VELStatEvent> &events)
{
    struct Pending
    {
        Kind *kind;
        QString path;
    };
    std::vector<Pending> dirty;
    auto markDirty = [&dirty](Kind *kind, const QString &path) {
        for (const Pending &pending : dirty) {
            if (pending.kind == kind && pending.path == path)
                return;
        }
        dirty.push_back({ kind, path });
    };
    auto flush = [&](Kind *kind) {
        for (auto it = dirty.begin(); it != dirty.end();) {
            if (it->kind == kind) {
                writeFile(*kind, it->path);
                it = dirty.erase(it);
            } else {
                ++it;
            }
        }
    };

    for (const VELStatEvent &event : events) {
        Kind *kind = event.type == VELStatEvent::kImportant ? &m_important
                : event.type == VELStatEvent::kNormal       ? &m_normal
                                                            : nullptr;
        if (!kind)
            continue;
        if (const auto path = appendablePath(*kind)) {
            kind->latestEvents->append(event.toMutableDictionary());
            markDirty(kind, *path);
            continue;
        }
        // The file that is full or being sent is finished: write it before starting anew.
        flush(kind);
        const QString path = newPath(*kind);
        QFile created(path);
        if (!created.open(QIODevice::WriteOnly)) {
            VELLogger::sharedLogger().logWithLevel(
                    3, "[ERROR] %s(%d): Failed to create new event file %@, succeed: %d",
                    Q_FUNC_INFO, __LINE__, path, 0);
            kind->latestEvents.reset();
            continue;
        }
        created.close();
        kind->latestEvents = QVariantList { event.toMutableDictionary() };
        pathsOf(*kind).append(path);
        markDirty(kind, path);
    }
    for (const Pending &pending : dirty)
        writeFile(*pending.kind, pending.path);
}

QStringList VELMobileStatEventStorage::sortedPathsOfNormalLogFilesByTimeIncrease()
{
    return onFileQueue([this] { return pathsOf(m_normal); });
}

QStringList VELMobileStatEventStorage::sortedPathsOfImportantLogFilesByTimeIncrease()
{
    return onFileQueue([this] { return pathsOf(m_important); });
}

int VELMobileStatEventStorage::trim(Kind &kind)
{
    const int deleted = VELMobileStatFileUtil::clearOldFilesInDirctory(kind.directory, kind.maxFiles, 0);
    kind.sortedPaths.reset();
    kind.latestEvents.reset();
    return deleted;
}

int VELMobileStatEventStorage::clearOldNormalLogFiles()
{
    return onFileQueue([this] { return trim(m_normal); });
}

int VELMobileStatEventStorage::clearOldImportLogFiles()
{
    return onFileQueue([this] { return trim(m_important); });
}

void VELMobileStatEventStorage::addSendingPath(const QString &path)
{
    if (path.isEmpty())
        return;
    onFileQueue([&] {
        m_sending.insert(path);
        const QStringList &normal = pathsOf(m_normal);
        const QStringList &important = pathsOf(m_important);
        // A file being sent is closed for appending.
        if (m_normal.latestEvents && !normal.isEmpty() && normal.last() == path)
            m_normal.latestEvents.reset();
        else if (m_important.latestEvents && !important.isEmpty() && important.last() == path)
            m_important.latestEvents.reset();
    });
}

void VELMobileStatEventStorage::removeSendingPath(const QString &path)
{
    if (path.isEmpty())
        return;
    onFileQueue([&] { m_sending.remove(path); });
}

bool VELMobileStatEventStorage::isSendingEventLogFile(const QString &path)
{
    return onFileQueue([&] { return m_sending.contains(path); });
}

void VELMobileStatEventStorage::deleteEventLogFile(const QString &path)
{
    onFileQueue([&] {
        m_sending.remove(path);
        for (Kind *kind : { &m_normal, &m_important }) {
            if (!kind->sortedPaths)
                continue;
            if (!kind->sortedPaths->isEmpty() && kind->sortedPaths->last() == path)
                kind->latestEvents.reset();
            kind->sortedPaths->removeAll(path);
        }
        QFile::remove(path);
    });
}
