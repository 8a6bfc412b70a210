// Opening the benchmark package of 50 template screenshots, each with a 1 MB picture, to a ready model,
// and saving it after one caption changed.

#include "BenchmarkPackage.h"
#include "store/FetchRequest.h"
#include "store/ManagedObject.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

using namespace pelorama;

namespace {

// The screenshots in list order, each with its name read: what the list shows first.
QList<store::ManagedObject*> screenshots(document::DocumentPackage& document)
{
    store::FetchRequest request(QStringLiteral("Screenshot"));
    request.sortDescriptors = {{"order", true}};
    QList<store::ManagedObject*> fetched = document.managedObjectContext()->execute(request).value();
    for (store::ManagedObject* screenshot : fetched)
        benchmark::DoNotOptimize(screenshot->valueForKey("name"));
    return fetched;
}

void openToReadyModel(benchmark::State& state)
{
    if (benchmarks::benchmarkPackagePath().isEmpty()) {
        state.SkipWithError("the package could not be made");
        return;
    }
    for (auto _ : state) {
        document::DocumentPackage document;
        if (!document.readFromPath(benchmarks::benchmarkPackagePath(),
                                   document::DocumentPackage::typeName()) ||
            screenshots(document).size() != benchmarks::packageScreenshotCount) {
            state.SkipWithError("the package could not be opened");
            break;
        }
    }
}

// The same, with every picture's bytes read as well.
void openWithAllAssets(benchmark::State& state)
{
    if (benchmarks::benchmarkPackagePath().isEmpty()) {
        state.SkipWithError("the package could not be made");
        return;
    }
    for (auto _ : state) {
        document::DocumentPackage document;
        if (!document.readFromPath(benchmarks::benchmarkPackagePath(),
                                   document::DocumentPackage::typeName())) {
            state.SkipWithError("the package could not be opened");
            break;
        }
        screenshots(document);
        qsizetype bytes = 0;
        for (store::ManagedObject* asset :
             document.managedObjectContext()->execute(store::FetchRequest(QStringLiteral("Asset"))).value())
            bytes += asset->valueForKey("data").toByteArray().size();
        if (bytes < benchmarks::packageScreenshotCount * 1'000'000) {
            state.SkipWithError("the assets could not be read");
            break;
        }
    }
}

void saveAfterChangingOneCaption(benchmark::State& state)
{
    document::DocumentPackage document;
    if (benchmarks::benchmarkPackagePath().isEmpty() ||
        !document.readFromPath(benchmarks::benchmarkPackagePath(), document::DocumentPackage::typeName())) {
        state.SkipWithError("the package could not be opened");
        return;
    }
    const QList<store::ManagedObject*> captions =
        document.managedObjectContext()->execute(store::FetchRequest(QStringLiteral("TextRect"))).value();
    int round = 0;
    for (auto _ : state) {
        captions[round % captions.size()]->setValueForKey("Caption " + QString::number(round), "text");
        ++round;
        if (!document.save()) {
            state.SkipWithError("the document could not be saved");
            break;
        }
    }
}

} // namespace

BENCHMARK(openToReadyModel)->Unit(benchmark::kMillisecond);
BENCHMARK(openWithAllAssets)->Unit(benchmark::kMillisecond);
BENCHMARK(saveAfterChangingOneCaption)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
