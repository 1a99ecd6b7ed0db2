#include "VELLogger.h"

#include "VELLoggerTSD.h"
#include "platform/ApplicationHome.h"
#include "platform/ApplicationInfo.h"

#include <QDateTime>
#include <QFile>
#include <QLocale>

#include <fcntl.h>
#include <unistd.h>

VELLogger::VELLogger() : m_facility(ApplicationInfo::bundleIdentifier())
{
    ::pthread_key_create(&m_key, &VELLogger::threadDidExit);
}

VELLogger::~VELLogger()
{
    ::pthread_key_delete(m_key);
    QMutexLocker locker(&m_mutex);
    for (VELLoggerTSD *connection : m_connections)
        delete connection;
    m_connections.clear();
    for (const auto &[path, fd] : m_files)
        ::close(fd);
    m_files.clear();
}

VELLogger &VELLogger::sharedLogger()
{
    // Never destroyed: threads may still log while the process exits.
    static VELLogger *const shared = [] {
        auto *logger = new VELLogger;
        logger->addDefaultFile();
        logger->setEnabled(true);
        return logger;
    }();
    return *shared;
}

bool VELLogger::accepts(quint32 level) const
{
    return isEnabled() && level < 32 && (loggingMask() & (1u << level));
}

void VELLogger::logWithLevel(quint32 level, const char *format, const QVariantList &arguments)
{
    if (!accepts(level))
        return;
    const QString message = VELFormat::format(format, arguments);
    VELLoggerTSD *connection = connectionForCurrentThread();
    QMutexLocker locker(&m_mutex);
    connection->logWithLevel(level, message);
}

VELLoggerTSD *VELLogger::connectionForCurrentThread()
{
    if (auto *existing = static_cast<VELLoggerTSD *>(::pthread_getspecific(m_key)))
        return existing;
    VELLoggerTSD *made = nullptr;
    {
        QMutexLocker locker(&m_mutex);
        std::vector<int> handles;
        handles.reserve(m_files.size());
        for (const auto &[path, fd] : m_files)
            handles.push_back(fd);
        made = new VELLoggerTSD(this, m_facility, handles);
        m_connections.insert(made);
    }
    ::pthread_setspecific(m_key, made);
    return made;
}

void VELLogger::threadDidExit(void *connection)
{
    auto *tsd = static_cast<VELLoggerTSD *>(connection);
    tsd->logger()->forgetConnection(tsd);
}

void VELLogger::forgetConnection(VELLoggerTSD *connection)
{
    {
        QMutexLocker locker(&m_mutex);
        m_connections.erase(connection);
    }
    delete connection;
}

int VELLogger::connectionCount() const
{
    QMutexLocker locker(&m_mutex);
    return int(m_connections.size());
}

void VELLogger::addDefaultFile()
{
    const QString directory = ApplicationHome::temporaryPath() + QStringLiteral("/Logs");
    ApplicationHome::makeOwnerOnlyDirectory(directory);
    const QString stamp = QLocale::system().toString(QDateTime::currentDateTime(),
                                                     QStringLiteral("yyyy-MM-dd-HHmmss"));
    addFileWithPath(directory + u'/' + stamp + QStringLiteral(".log"));
}

void VELLogger::addFileWithPath(const QString &path)
{
    if (path.isEmpty())
        return;
    {
        QMutexLocker locker(&m_mutex);
        if (m_files.count(path))
            return;
    }
    // Appending keeps what an earlier launch in the same second wrote.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    QMutexLocker locker(&m_mutex);
    if (!m_files.emplace(path, fd).second) {
        locker.unlock();
        ::close(fd);
        return;
    }
    for (VELLoggerTSD *connection : m_connections)
        connection->addFileHandle(fd);
}

void VELLogger::removeFileWithPath(const QString &path)
{
    int fd = -1;
    {
        QMutexLocker locker(&m_mutex);
        const auto it = m_files.find(path);
        if (it == m_files.end())
            return;
        fd = it->second;
        for (VELLoggerTSD *connection : m_connections)
            connection->removeFileHandle(fd);
        m_files.erase(it);
    }
    ::close(fd);
}
