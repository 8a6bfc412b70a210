// Lists that a hand-made store or command line can make far longer than real ones: a document's
// languages read from its rows, their names in the language menu, and the duplicate check of the
// files an export writes. Each should take time in step with the length (compare the per-item times
// across the sizes; BigO shows the fit).

#include "app/export/ExportCommand.h"
#include "app/export/ExportProgressPrinter.h"
#include "app/languages/LanguageNames.h"
#include "document/DocumentPackage.h"
#include "document/ExportFileNames.h"
#include "model/entities/Language.h"
#include "model/entities/Screenshot.h"
#include "model/languages/DocumentLanguages.h"
#include "model/rendering/RenderResources.h"
#include "store/ManagedObjectContext.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace pelorama;

namespace {

// A code of its own for each index: three letters, then a region where three letters run out.
QString codeFor(int index)
{
    const auto letter = [](int value) {
        return QChar(u'a' + value % 26);
    };
    QString code = QString(letter(index / 676)) + letter(index / 26) + letter(index);
    if (index >= 26 * 26 * 26)
        code += QStringLiteral("-%1").arg(index / (26 * 26 * 26), 3, 10, QChar(u'0'));
    return code;
}

// A document opened whose store lists that many languages (refused beyond the most a document takes, once
// they have been read).
void documentLanguages(benchmark::State& state)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Languages.pelorama"));
    {
        document::DocumentPackage package;
        package.initializeNewDocument(document::DocumentPackage::typeName());
        store::ManagedObjectContext& context = *package.managedObjectContext();
        for (int i = 0; i < state.range(0); ++i) {
            model::Language* row = model::Language::insertInto(context);
            row->setCode(codeFor(i));
            row->setOrder(i);
        }
        if (!package.saveAs(path)) {
            state.SkipWithError("the package could not be saved");
            return;
        }
    }
    // Beyond the most a document takes, the opening is refused, after reading them all.
    for (auto _ : state)
        benchmark::DoNotOptimize(document::DocumentPackage::openForReading(path));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(documentLanguages)
    ->RangeMultiplier(10)
    ->Range(100, 100'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void menuNames(benchmark::State& state)
{
    QStringList codes;
    // Many codes share a name, so each needs the region or the code to tell it apart.
    for (int i = 0; i < state.range(0); ++i)
        codes.append(i % 2 == 0 ? QStringLiteral("de-DE") : codeFor(i));
    for (auto _ : state)
        benchmark::DoNotOptimize(app::LanguageNames::menuNames(codes));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(menuNames)->RangeMultiplier(10)->Range(100, 100'000)->Unit(benchmark::kMillisecond)->Complexity();

// Screenshots named in pairs: every other file name a duplicate.
void duplicateFileNames(benchmark::State& state)
{
    QStringList names;
    for (int i = 0; i < state.range(0); ++i)
        names.append(QStringLiteral("Screenshot %1.png").arg(i / 2));
    for (auto _ : state)
        benchmark::DoNotOptimize(document::ExportFileNames::duplicateOccurrences(names, Qt::CaseInsensitive));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(duplicateFileNames)
    ->RangeMultiplier(10)
    ->Range(100, 100'000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// The command line's checks of a document of 50,000 screenshots whose file names come in pairs, given once
// and twice: every file is a duplicate, so the export stops before the first file, having named each.
void exportCommandDuplicates(benchmark::State& state)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Pairs.pelorama"));
    {
        document::DocumentPackage package;
        package.initializeNewDocument(document::DocumentPackage::typeName());
        store::ManagedObjectContext& context = *package.managedObjectContext();
        for (int i = 0; i < 50'000; ++i) {
            model::Screenshot* screenshot = model::Screenshot::insertInto(context);
            // Names of their own that make one file name ("/" becomes "-").
            screenshot->setName(QStringLiteral("Screenshot %1%2x").arg(i / 2).arg(i % 2 == 0 ? u'/' : u'-'));
            screenshot->setOrder(i);
        }
        if (auto saved = package.saveAs(path); !saved) {
            state.SkipWithError(saved.error().message().toStdString().c_str());
            return;
        }
    }
    QStringList documents(state.range(0), path);
    for (auto _ : state) {
        // The progress goes nowhere: what is measured is the export.
        const std::unique_ptr<std::FILE, int (*)(std::FILE*)> nowhere(std::fopen("/dev/null", "w"),
                                                                      &std::fclose);
        app::ExportProgressPrinter printer(nowhere.get(), false);
        app::ExportCommand command({folder.path(), documents, {}, {}}, printer);
        QEventLoop loop;
        QObject::connect(&command, &app::ExportCommand::finished, &loop, &QEventLoop::quit);
        command.start();
        loop.exec();
    }
}
BENCHMARK(exportCommandDuplicates)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const pelorama::model::RenderResources::Program renderResources;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
