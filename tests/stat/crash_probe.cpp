// Enables crash reports in the application home given by VELARI_HOME, then dies of SIGSEGV.
#include "stat/VELMobileStat.h"

#include <QCoreApplication>

#include <csignal>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    VELMobileStat::enableCrashReport();
    std::raise(SIGSEGV);
    return 0;
}
