#pragma once

#include <QString>

#include <optional>

// Writes a report when the process dies of a fatal signal (segmentation fault, abort, bus error,
// floating-point error, illegal instruction), from the signal handler and without allocating; the
// next launch finds the report, hands it on and purges it once sent.
class CrashReporter
{
public:
    struct Report
    {
        QString text;
        QString identity;
    };

    // Installs the handlers; the report goes to `reportPath`. False when it cannot be prepared.
    static bool enable(const QString &reportPath);
    static bool isEnabled();
    static bool hasPendingCrashReport(const QString &reportPath);
    static std::optional<Report> loadPendingCrashReport(const QString &reportPath);
    static bool purgePendingCrashReport(const QString &reportPath);
};
