#include "SystemLogClient.h"

#include <algorithm>
#include <cerrno>
#include <ctime>

#include <syslog.h>
#include <unistd.h>

namespace {

const char *const kLevelNames[]
        = { "Emergency", "Alert", "Critical", "Error", "Warning", "Notice", "Info", "Debug" };

void writeWhole(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        data += written;
        left -= written;
    }
}

void openSystemLogOnce()
{
    // openlog keeps the pointer it is given, so the identity must live as long as the process.
    static const bool opened = [] {
        ::openlog(nullptr, LOG_PID | LOG_NDELAY, LOG_USER);
        return true;
    }();
    Q_UNUSED(opened);
}

} // namespace

SystemLogClient::SystemLogClient(const QString &sender, const QString &facility, int options)
    : m_sender(sender), m_senderUtf8(sender.toUtf8()), m_facilityUtf8(facility.toUtf8()),
      m_options(options)
{
    if (m_options & NoDelay)
        openSystemLogOnce();
}

SystemLogClient::~SystemLogClient() = default;

void SystemLogClient::addLogFile(int fd)
{
    if (fd < 0 || std::find(m_files.begin(), m_files.end(), fd) != m_files.end())
        return;
    m_files.push_back(fd);
}

void SystemLogClient::removeLogFile(int fd)
{
    m_files.erase(std::remove(m_files.begin(), m_files.end(), fd), m_files.end());
}

void SystemLogClient::log(int level, const QString &message)
{
    level = std::clamp(level, 0, 7);
    openSystemLogOnce();
    const QByteArray text = message.toUtf8();
    // syslog has one numeric facility per process; the connection's named one goes in the text.
    ::syslog(LOG_MAKEPRI(LOG_USER, level), "%s %s <%s>: %s", m_facilityUtf8.constData(),
             m_senderUtf8.constData(), kLevelNames[level], text.constData());

    const QByteArray line = renderLine(m_senderUtf8, level, text);
    if (m_options & CopyToStandardError)
        writeWhole(STDERR_FILENO, line);
    for (int fd : m_files)
        writeWhole(fd, line);
}

QByteArray SystemLogClient::renderLine(const QByteArray &sender, int level, const QByteArray &text)
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    ::localtime_r(&now.tv_sec, &local);
    char stamp[40];
    const size_t length = ::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    QByteArray line;
    line.reserve(qsizetype(length) + sender.size() + text.size() + 32);
    line.append(stamp, qsizetype(length));
    line.append('.');
    line.append(QByteArray::number(int(now.tv_nsec / 1000000)).rightJustified(3, '0'));
    line.append(' ').append(sender).append(" <").append(kLevelNames[level]).append(">: ");
    line.append(text).append('\n');
    return line;
}
