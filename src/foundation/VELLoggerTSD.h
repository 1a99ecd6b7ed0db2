#pragma once

#include "platform/SystemLogClient.h"

#include <QString>

#include <vector>

class VELLogger;

// One thread's connection to the system log, made on the thread's first message and closed when
// the thread ends.
class VELLoggerTSD
{
public:
    VELLoggerTSD(VELLogger *logger, const QString &facility, const std::vector<int> &fileHandles);

    VELLogger *logger() const { return m_logger; }
    QString clientIdentifier() const { return m_client.sender(); }

    void addFileHandle(int fd);
    void removeFileHandle(int fd);
    // Levels above 7 are written as warnings.
    void logWithLevel(quint32 level, const QString &message);

    // "<executable>[<pid>:<thread id in hex>(<thread label>)]" for the calling thread.
    static QString currentClientIdentifier();

private:
    VELLogger *const m_logger;
    SystemLogClient m_client;
};
