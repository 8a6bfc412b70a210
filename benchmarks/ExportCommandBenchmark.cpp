// Exporting the benchmark package of 50 template screenshots as `pelorama --export` does it: wall time
// per export, time per screenshot and the process's peak resident memory while it ran. Pin it to the
// cores to compare with taskset; the pool is as wide as the cores the process may use.

#include "BenchmarkPackage.h"
#include "app/AppDelegate.h"
#include "app/export/ExportCommand.h"
#include "app/export/ExportProgressPrinter.h"
#include "model/rendering/RenderResources.h"
#include "tessaline/Tessaline/Application.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>
#include <memory>

using namespace pelorama;

namespace {

// The peak resident memory since the last reset, in bytes.
double peakResidentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() * 1024;
    }
    return 0;
}

// Starts the peak anew from what the process holds now, after handing freed memory back.
void resetPeakResident()
{
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

void exportDocument(benchmark::State& state)
{
    const QString& package = benchmarks::benchmarkPackagePath();
    if (package.isEmpty()) {
        state.SkipWithError("the package could not be made");
        return;
    }
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto directory = std::make_unique<QTemporaryDir>();
        resetPeakResident();
        state.ResumeTiming();

        // The progress goes nowhere: what is measured is the export.
        const std::unique_ptr<std::FILE, int (*)(std::FILE*)> nowhere(std::fopen("/dev/null", "w"),
                                                                      &std::fclose);
        app::ExportProgressPrinter printer(nowhere.get(), false);
        app::ExportCommand command({directory->path(), {package}, {}, {}}, printer);
        int exitStatus = -1;
        QEventLoop loop;
        QObject::connect(&command, &app::ExportCommand::finished, &loop, [&](int status) {
            exitStatus = status;
            loop.quit();
        });
        command.start();
        loop.exec();

        state.PauseTiming();
        peak = std::max(peak, peakResidentBytes());
        directory.reset();
        state.ResumeTiming();
        if (exitStatus != 0) {
            state.SkipWithError("the export failed");
            break;
        }
    }
    state.counters["per_screenshot"] =
        benchmark::Counter(benchmarks::packageScreenshotCount,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["workers"] = QThreadPool::globalInstance()->maxThreadCount();
}
BENCHMARK(exportDocument)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // As the program starts for an export.
    tessaline::Application application(argc, argv);
    const pelorama::model::RenderResources::Program renderResources;
    app::AppDelegate::initializeClass();
    benchmarks::benchmarkPackagePath();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
