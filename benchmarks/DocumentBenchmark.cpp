// Opening the benchmark package of 50 template screenshots, each with a 1 MB picture, to a ready model,
// saving it after one caption changed, and Export All of it in ten languages with every caption
// translated. Pin it to the cores to compare with taskset; the render pool is as wide as the cores the
// process may use.

#include "BenchmarkPackage.h"
#include "document/ExportJob.h"
#include "document/ExportPlan.h"
#include "model/languages/DocumentLanguages.h"
#include "model/languages/LanguageEditing.h"
#include "model/rendering/RenderPool.h"
#include "model/rendering/RenderResources.h"
#include "store/FetchRequest.h"
#include "store/ManagedObject.h"

#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QThreadPool>
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

// A caption's text in each language the export writes, in its own script; the base language's first.
struct CaptionLanguage
{
    const char* code;
    const char* text; // %1 is the screenshot's number
};
const CaptionLanguage captionLanguages[] = {
    {"en-US", "**Screenshot %1**\nat a glance"},
    {"de-DE", "**Bildschirm %1**\nauf einen Blick"},
    {"fr-FR", "**Écran %1**\nen un coup d’œil"},
    {"ja", "**スクリーン %1**\nひと目でわかる"},
    {"ar", "**الشاشة %1**\nفي لمحة"},
    {"zh-Hans", "**屏幕 %1**\n一目了然"},
    {"pt-BR", "**Tela %1**\nnum relance"},
    {"es-ES", "**Pantalla %1**\nde un vistazo"},
    {"ko", "**화면 %1**\n한눈에"},
    {"ru", "**Экран %1**\nс первого взгляда"},
};
constexpr int languageCount = int(std::size(captionLanguages));

// The one-minute load average of the machine, which the wall time depends on when others share it.
double loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().split(' ').front().toDouble() : 0;
}

// The package in languageCount languages, every caption translated into each: the languages missing from
// the list above are added (the base language is the system's) until there are languageCount.
bool translate(document::DocumentPackage& document)
{
    store::ManagedObjectContext& context = *document.managedObjectContext();
    for (const CaptionLanguage& language : captionLanguages) {
        const model::DocumentLanguages languages = model::DocumentLanguages::of(context);
        if (languages.codes.size() >= languageCount)
            break;
        if (!languages.contains(QString::fromUtf8(language.code)) &&
            !model::LanguageEditing::addLanguage(context, QString::fromUtf8(language.code)))
            return false;
    }
    const model::DocumentLanguages languages = model::DocumentLanguages::of(context);
    const QList<store::ManagedObject*> found = screenshots(document);
    for (qsizetype index = 0; index < found.size(); ++index) {
        for (model::Drawable* drawable :
             static_cast<model::Screenshot*>(found[index])->makeCanvas().drawables()) {
            auto* caption = dynamic_cast<model::TextRect*>(drawable);
            for (qsizetype code = 0; caption && code < languages.codes.size(); ++code) {
                const CaptionLanguage& text = captionLanguages[code % languageCount];
                if (!caption->setText(QString::fromUtf8(text.text).arg(index), languages.codes[code]))
                    return false;
            }
        }
    }
    return languages.codes.size() == languageCount;
}

// Export All through the export job, as the window runs it: a folder per language, every screenshot in
// each. Wall time per export of languageCount x 50 files; CPU time of the whole process.
void exportInTenLanguages(benchmark::State& state)
{
    document::DocumentPackage document;
    if (benchmarks::benchmarkPackagePath().isEmpty() ||
        !document.readFromPath(benchmarks::benchmarkPackagePath(), document::DocumentPackage::typeName()) ||
        !translate(document)) {
        state.SkipWithError("the translated document could not be made");
        return;
    }
    const double load = loadAverage();
    for (auto _ : state) {
        state.PauseTiming();
        auto folder = std::make_unique<QTemporaryDir>();
        state.ResumeTiming();

        document::ExportJob job(
            document::ExportPlan::ofDocument(*document.managedObjectContext(), folder->path()));
        int written = 0;
        QObject::connect(&job, &document::ExportJob::fileWritten, &job, [&written] { ++written; });
        QEventLoop loop;
        QObject::connect(&job, &document::ExportJob::finished, &loop, &QEventLoop::quit);
        job.start();
        if (!job.isFinished())
            loop.exec();

        state.PauseTiming();
        folder.reset();
        state.ResumeTiming();
        if (job.alert() || written != languageCount * benchmarks::packageScreenshotCount) {
            state.SkipWithError("the export failed");
            break;
        }
    }
    state.counters["files"] = languageCount * benchmarks::packageScreenshotCount;
    state.counters["per_file"] =
        benchmark::Counter(languageCount * benchmarks::packageScreenshotCount,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["workers"] = model::renderPool().maxThreadCount();
    // Before, what others load the machine with; after, with this export's own threads counted in.
    state.counters["load_before"] = load;
    state.counters["load_after"] = loadAverage();
}

} // namespace

BENCHMARK(openToReadyModel)->Unit(benchmark::kMillisecond);
BENCHMARK(openWithAllAssets)->Unit(benchmark::kMillisecond);
BENCHMARK(saveAfterChangingOneCaption)->Unit(benchmark::kMillisecond);
BENCHMARK(exportInTenLanguages)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Iterations(3);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const pelorama::model::RenderResources::Program renderResources;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
