#include "VELMobileStatDefaultValues.h"

#include "platform/ApplicationHome.h"

QString VELMobileStatDefaultValues::dirPathOfMobileStat()
{
    return ApplicationHome::libraryPath() + QStringLiteral("/VELStatLib");
}

QString VELMobileStatDefaultValues::dirPathOfLogs()
{
    return dirPathOfMobileStat() + QStringLiteral("/log");
}

QString VELMobileStatDefaultValues::dirPathOfNormalLog()
{
    return dirPathOfLogs() + QStringLiteral("/normal");
}

QString VELMobileStatDefaultValues::dirPathOfImportantLog()
{
    return dirPathOfLogs() + QStringLiteral("/important");
}

QString VELMobileStatDefaultValues::filePathOfCrashLog()
{
    return ApplicationHome::temporaryPath() + QStringLiteral("/latest_crash.crash");
}

QString VELMobileStatDefaultValues::filePathOfPendingCrashReport()
{
    return dirPathOfMobileStat() + QStringLiteral("/crash/pending.crash");
}
