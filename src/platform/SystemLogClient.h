#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// One connection to the system log service. Every message goes to syslog(3), to standard error
// when asked, and to each log file attached to this connection, rendered as one whole line written
// in one call. A connection is not for use by two threads at once.
class SystemLogClient
{
public:
    enum Option {
        CopyToStandardError = 0x1,
        NoDelay = 0x2,
        NoRemote = 0x4,
    };

    SystemLogClient(const QString &sender, const QString &facility, int options);
    ~SystemLogClient();

    SystemLogClient(const SystemLogClient &) = delete;
    SystemLogClient &operator=(const SystemLogClient &) = delete;

    QString sender() const { return m_sender; }

    // Attaching a descriptor twice attaches it once; negative descriptors are ignored.
    void addLogFile(int fd);
    void removeLogFile(int fd);

    // level: a syslog severity, 0 (emergency) to 7 (debug).
    void log(int level, const QString &message);

private:
    // "<local time> <sender> <Level>: <message>\n"
    static QByteArray renderLine(const QByteArray &sender, int level, const QByteArray &text);

    QString m_sender;
    QByteArray m_senderUtf8;
    QByteArray m_facilityUtf8;
    int m_options;
    std::vector<int> m_files;
};
