#include "CrashReporter.h"

#include "ApplicationInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <ctime>
#include <execinfo.h>
#include <fcntl.h>
#include <unistd.h>

#include <vector>

namespace {

// Everything the handler needs, prepared beforehand: it may only make async-signal-safe calls.
char g_path[4096];
char g_header[512];
volatile sig_atomic_t g_enabled = 0;
const int kSignals[] = { SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL };

void writeText(int fd, const char *text)
{
    size_t left = strlen(text);
    while (left > 0) {
        const ssize_t written = write(fd, text, left);
        if (written <= 0)
            return;
        text += written;
        left -= size_t(written);
    }
}

void writeNumber(int fd, long long value)
{
    char digits[24];
    int at = sizeof digits - 1;
    digits[at] = '\0';
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ULL - (unsigned long long)value : (unsigned long long)value;
    do {
        digits[--at] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0 && at > 1);
    if (negative)
        digits[--at] = '-';
    writeText(fd, digits + at);
}

const char *signalName(int number)
{
    switch (number) {
    case SIGSEGV: return "SIGSEGV";
    case SIGABRT: return "SIGABRT";
    case SIGBUS: return "SIGBUS";
    case SIGFPE: return "SIGFPE";
    case SIGILL: return "SIGILL";
    }
    return "SIGNAL";
}

void onFatalSignal(int number)
{
    if (g_enabled) {
        g_enabled = 0; // one report, even if writing it faults
        const int fd = open(g_path, O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd >= 0) {
            const long long now = (long long)time(nullptr);
            writeText(fd, "identity: ");
            writeText(fd, signalName(number));
            writeText(fd, "-");
            writeNumber(fd, now);
            writeText(fd, "\n");
            writeText(fd, g_header);
            writeText(fd, "signal: ");
            writeNumber(fd, number);
            writeText(fd, " (");
            writeText(fd, signalName(number));
            writeText(fd, ")\ntime: ");
            writeNumber(fd, now);
            writeText(fd, "\nbacktrace:\n");
            void *frames[64];
            const int count = backtrace(frames, 64);
            backtrace_symbols_fd(frames, count, fd);
            fsync(fd);
            close(fd);
        }
    }
    // Die of the same signal, so the system sees the real cause.
    signal(number, SIG_DFL);
    raise(number);
}

} // namespace

bool CrashReporter::enable(const QString &reportPath)
{
    const QByteArray path = QFile::encodeName(reportPath);
    if (path.size() >= int(sizeof g_path) || !QDir().mkpath(QFileInfo(reportPath).absolutePath()))
        return false;
    memcpy(g_path, path.constData(), size_t(path.size()) + 1);
    const QByteArray header = QStringLiteral("process: %1 %2\npid: %3\n")
                                      .arg(ApplicationInfo::executableName(),
                                           ApplicationInfo::shortVersion())
                                      .arg(QCoreApplication::applicationPid())
                                      .toUtf8()
                                      .left(sizeof g_header - 1);
    memcpy(g_header, header.constData(), size_t(header.size()) + 1);
    // backtrace() loads its unwinder on first use, which allocates: do it now, not in the handler.
    void *warmUp[1];
    backtrace(warmUp, 1);
    // A stack of its own, so that a report is written even when the stack overflowed.
    static std::vector<char> alternate(std::max<size_t>(SIGSTKSZ, 64 * 1024));
    stack_t stack {};
    stack.ss_sp = alternate.data();
    stack.ss_size = alternate.size();
    sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_handler = onFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | SA_ONSTACK;
    for (int number : kSignals) {
        if (sigaction(number, &action, nullptr) != 0)
            return false;
    }
    g_enabled = 1;
    return true;
}

bool CrashReporter::isEnabled()
{
    return g_enabled != 0;
}

bool CrashReporter::hasPendingCrashReport(const QString &reportPath)
{
    return QFileInfo(reportPath).size() > 0;
}

std::optional<CrashReporter::Report> CrashReporter::loadPendingCrashReport(const QString &reportPath)
{
    QFile file(reportPath);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString text = QString::fromUtf8(file.readAll());
    if (text.isEmpty())
        return std::nullopt;
    Report report { text, QString() };
    const QString firstLine = text.section(QLatin1Char('\n'), 0, 0);
    if (firstLine.startsWith(QLatin1String("identity: ")))
        report.identity = firstLine.mid(10);
    return report;
}

bool CrashReporter::purgePendingCrashReport(const QString &reportPath)
{
    return !QFile::exists(reportPath) || QFile::remove(reportPath);
}
