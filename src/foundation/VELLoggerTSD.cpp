#include "VELLoggerTSD.h"

#include "platform/ApplicationInfo.h"

#include <QThread>

#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

QString threadLabel(pid_t threadId)
{
    char name[2048] = {};
    if (::pthread_getname_np(::pthread_self(), name, sizeof name) == 0 && name[0] != '\0')
        return QString::fromUtf8(name);
    if (QThread *thread = QThread::currentThread(); thread && !thread->objectName().isEmpty())
        return thread->objectName();
    return QString::number(qint64(threadId));
}

} // namespace

VELLoggerTSD::VELLoggerTSD(VELLogger *logger, const QString &facility,
                           const std::vector<int> &fileHandles)
    : m_logger(logger), m_client(currentClientIdentifier(), facility,
                                 SystemLogClient::CopyToStandardError | SystemLogClient::NoDelay
                                         | SystemLogClient::NoRemote)
{
    for (int fd : fileHandles)
        addFileHandle(fd);
}

void VELLoggerTSD::addFileHandle(int fd)
{
    m_client.addLogFile(fd);
}

void VELLoggerTSD::removeFileHandle(int fd)
{
    m_client.removeLogFile(fd);
}

void VELLoggerTSD::logWithLevel(quint32 level, const QString &message)
{
    m_client.log(level <= 7 ? int(level) : 4, message);
}

QString VELLoggerTSD::currentClientIdentifier()
{
    const pid_t threadId = pid_t(::syscall(SYS_gettid));
    return QStringLiteral("%1[%2:%3(%4)]")
            .arg(ApplicationInfo::executableName())
            .arg(::getpid())
            .arg(QString::number(threadId, 16), threadLabel(threadId));
}
