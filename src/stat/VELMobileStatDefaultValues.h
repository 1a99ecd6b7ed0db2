#pragma once

#include <QString>

// Where the statistics library keeps its files, and the prefix of its preference keys.
class VELMobileStatDefaultValues
{
public:
    static QString dirPathOfMobileStat();
    static QString dirPathOfLogs();
    static QString dirPathOfNormalLog();
    static QString dirPathOfImportantLog();
    static QString filePathOfCrashLog();
    // Where the crash reporter leaves a report for the next launch.
    static QString filePathOfPendingCrashReport();

    static inline const QString kPrefix = QStringLiteral("com.velari");
    static inline const QString kFirstLaunchKey = kPrefix + QStringLiteral(".stat.first_launch");
    static inline const QString kNormalEventsUploadTimeKey =
            kPrefix + QStringLiteral(".stat.normal_events_upload_time");
    static inline const QString kServiceAvailableKey =
            kPrefix + QStringLiteral(".mobileStat.isServiceAvailable");
    static inline const QString kReachabilityChangedNotification =
            kPrefix + QStringLiteral(".stat.NetworkReachabilityChangedNotification");
    static inline const QString kHttpErrorDomain = kPrefix + QStringLiteral(".common.halvorn.http");

    static constexpr int kMaxNumbersOfEventsPerFile = 500;
    static constexpr int kMaxNumbersOfFilesForNormalEvent = 10;
    static constexpr int kMaxNumbersOfFilesForImportantEvent = 10;
    static constexpr int kNetworkTimeoutSeconds = 20;
    static inline const QString kSdkVersion = QStringLiteral("1.4.1");
};
