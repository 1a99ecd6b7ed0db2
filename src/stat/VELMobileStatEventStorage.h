#pragma once

#include "VELStatEvent.h"

#include "platform/SerialQueue.h"

#include <QMutex>
#include <QSet>
#include <QStringList>
#include <QVariantList>

#include <memory>
#include <optional>
#include <deque>

// The statistics events on disk until they are uploaded: per kind a directory of property-list
// files of at most 500 events, the newest one's content kept in memory while it is appended to.
// Every touch of the file lists, the cached content and the set of files being uploaded runs on
// the file queue, in the order the calls were made; events queued back to back are written to
// their file in one go.
class VELMobileStatEventStorage
{
public:
    static VELMobileStatEventStorage &sharedInstance();
    VELMobileStatEventStorage();
    ~VELMobileStatEventStorage();

    int maxEventsPerFile() const { return m_maxEventsPerFile; }

    // On disk when this returns.
    void writelEventToDisk(const VELStatEvent &event);
    void asyncWritelEventToDisk(const VELStatEvent &event);

    QStringList sortedPathsOfNormalLogFilesByTimeIncrease();
    QStringList sortedPathsOfImportantLogFilesByTimeIncrease();
    int clearOldNormalLogFiles();
    int clearOldImportLogFiles();

    void addSendingPath(const QString &path);
    void removeSendingPath(const QString &path);
    bool isSendingEventLogFile(const QString &path);
    void deleteEventLogFile(const QString &path);

    // The serialised events of a file; empty when it is missing or unreadable.
    static QVariantList eventsInFile(const QString &path);

    // Waits until everything queued so far is on disk.
    void waitForWrites();

private:
    struct Kind
    {
        QString directory;
        QString prefix;
        int maxFiles;
        std::optional<QStringList> sortedPaths;
        std::optional<QVariantList> latestEvents;
    };

    // Runs on the file queue after the events queued before it; waits for the result.
    template<typename F>
    auto onFileQueue(F work) -> decltype(work());
    void appendEvents(const std::deque<VELStatEvent> &events);
    QStringList &pathsOf(Kind &kind);
    // The newest file when it can take one more event, else none.
    std::optional<QString> appendablePath(Kind &kind);
    QString newPath(const Kind &kind) const;
    void writeFile(const Kind &kind, const QString &path);
    int trim(Kind &kind);

    int m_maxEventsPerFile;
    Kind m_normal;
    Kind m_important;
    QSet<QString> m_sending;
    QMutex m_batchMutex;
    std::shared_ptr<std::deque<VELStatEvent>> m_openBatch;
    SerialQueue m_fileQueue;
};
