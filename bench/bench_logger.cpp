// Throughput of the logger into an attached file, from one and from several threads.
#include "foundation/VELLogger.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

VELLogger *sharedBenchLogger()
{
    static QTemporaryDir directory;
    static VELLogger *logger = [] {
        auto *made = new VELLogger;
        made->addFileWithPath(directory.filePath(QStringLiteral("bench.log")));
        made->setEnabled(true);
        return made;
    }();
    return logger;
}

void BM_LogToFile(benchmark::State &state)
{
    VELLogger *logger = sharedBenchLogger();
    const QString city = QStringLiteral("北京");
    for (auto _ : state)
        logger->logWithLevel(6, "ADs: fetched %d advertisements for %@", 12, city);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LogToFile)->Threads(1)->Threads(4)->UseRealTime();

void BM_MaskedOut(benchmark::State &state)
{
    VELLogger *logger = sharedBenchLogger();
    for (auto _ : state)
        logger->logWithLevel(9, "dropped %d", 1);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MaskedOut);

} // namespace

int main(int argc, char **argv)
{
    // Every message is copied to standard error; measure the files, not the terminal.
    const int devnull = ::open("/dev/null", O_WRONLY);
    const int saved = ::dup(STDERR_FILENO);
    ::dup2(devnull, STDERR_FILENO);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    ::dup2(saved, STDERR_FILENO);
    return 0;
}
