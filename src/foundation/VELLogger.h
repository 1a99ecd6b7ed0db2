#pragma once

#include "VELFormat.h"

#include <QMutex>
#include <QString>

#include <atomic>
#include <map>
#include <set>

#include <pthread.h>

class VELLoggerTSD;

// Leveled diagnostics to the system log, standard error and the attached log files. Levels are
// the syslog severities 0 (emergency) to 7 (debug). Any thread may log: each thread writes through
// a connection of its own, and one mutex keeps every message whole.
class VELLogger
{
public:
    VELLogger();
    ~VELLogger();

    VELLogger(const VELLogger &) = delete;
    VELLogger &operator=(const VELLogger &) = delete;

    // The process-wide logger, enabled and writing to this launch's file under tmp/Logs.
    static VELLogger &sharedLogger();

    template<typename... Args>
    void logWithLevel(quint32 level, const char *format, const Args &...args)
    {
        if (accepts(level))
            logWithLevel(level, format, VELFormat::arguments(args...));
    }
    void logWithLevel(quint32 level, const char *format, const QVariantList &arguments);

    void addDefaultFile();
    void addFileWithPath(const QString &path);
    void removeFileWithPath(const QString &path);

    bool isEnabled() const { return m_enabled.load(std::memory_order_relaxed); }
    void setEnabled(bool enabled) { m_enabled.store(enabled, std::memory_order_relaxed); }
    quint32 loggingMask() const { return m_loggingMask.load(std::memory_order_relaxed); }
    void setLoggingMask(quint32 mask) { m_loggingMask.store(mask, std::memory_order_relaxed); }

    // Live per-thread connections; for diagnostics and tests.
    int connectionCount() const;

private:
    friend class VELLoggerTSD;

    bool accepts(quint32 level) const;
    VELLoggerTSD *connectionForCurrentThread();
    void forgetConnection(VELLoggerTSD *connection);
    static void threadDidExit(void *connection);

    std::atomic<bool> m_enabled{ false };
    std::atomic<quint32> m_loggingMask{ 0xff };
    pthread_key_t m_key;
    mutable QMutex m_mutex;
    const QString m_facility;
    std::map<QString, int> m_files;
    std::set<VELLoggerTSD *> m_connections;
};
