// Opening a document package of 50 screenshots, each with a 1 MB picture asset, to a ready model, and
// saving it after one caption changed. The model is shaped like the application's: a screenshot with a
// caption and an order, an asset with the picture's bytes.

#include "manageddocument/ManagedDocument.h"
#include "manageddocument/PropertyListResource.h"
#include "store/ManagedObject.h"
#include "store/ManagedObjectContext.h"
#include "store/ManagedObjectModel.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int screenshotCount = 50;
constexpr qsizetype assetSize = 1024 * 1024;
const QString typeName = QStringLiteral("Benchmark Document");

std::shared_ptr<const store::ManagedObjectModel> model()
{
    static const auto loaded = store::ManagedObjectModel::fromJson(R"({"entities": [
        {"name": "Screenshot",
         "attributes": [{"name": "caption", "type": "string"}, {"name": "order", "type": "double"}],
         "relationships": [{"name": "asset", "destination": "Asset", "inverse": "screenshot",
                            "deleteRule": "cascade"}]},
        {"name": "Asset",
         "attributes": [{"name": "uniqueIdentifier", "type": "string"}, {"name": "data", "type": "binary"}],
         "relationships": [{"name": "screenshot", "destination": "Screenshot", "inverse": "asset"}]}]})");
    return loaded.value();
}

class BenchmarkDocument : public manageddocument::ManagedDocument
{
public:
    BenchmarkDocument()
        : ManagedDocument(model())
    {}

    manageddocument::PropertyListResource metadata{"Metadata"};

    // The screenshots in list order, each with its caption read: what the list shows first.
    QList<store::ManagedObject*> screenshots()
    {
        store::FetchRequest request("Screenshot");
        request.sortDescriptors = {{"order", true}};
        QList<store::ManagedObject*> fetched = managedObjectContext()->execute(request).value();
        for (store::ManagedObject* screenshot : fetched)
            benchmark::DoNotOptimize(screenshot->valueForKey("caption"));
        return fetched;
    }

protected:
    std::vector<manageddocument::PackageResource*> createResources() override { return {&metadata}; }
};

// The package, made once per process.
const QString& packagePath()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString package = folder.filePath("Benchmark.pelorama");
        BenchmarkDocument document;
        document.initializeNewDocument(typeName);
        document.metadata.setDictionary({{"FileVersion", 1}, {"AppVersion", "1.0"}});
        QByteArray picture(assetSize, Qt::Uninitialized);
        for (int index = 0; index < screenshotCount; ++index) {
            QRandomGenerator(index).fillRange(reinterpret_cast<quint32*>(picture.data()), assetSize / 4);
            store::ManagedObject* screenshot = document.managedObjectContext()->insertNewObject("Screenshot");
            screenshot->setValueForKey("Screenshot " + QString::number(index), "caption");
            screenshot->setValueForKey(double(index), "order");
            store::ManagedObject* asset = document.managedObjectContext()->insertNewObject("Asset");
            asset->setValueForKey("asset-" + QString::number(index), "uniqueIdentifier");
            asset->setValueForKey(picture, "data");
            screenshot->setRelatedObject(asset, "asset");
        }
        return document.saveAs(package) ? package : QString();
    }();
    return path;
}

void openToReadyModel(benchmark::State& state)
{
    if (packagePath().isEmpty()) {
        state.SkipWithError("the package could not be made");
        return;
    }
    for (auto _ : state) {
        BenchmarkDocument document;
        if (!document.readFromPath(packagePath(), typeName) ||
            document.screenshots().size() != screenshotCount) {
            state.SkipWithError("the package could not be opened");
            break;
        }
    }
}

// The same, with every picture's bytes read as well.
void openWithAllAssets(benchmark::State& state)
{
    if (packagePath().isEmpty()) {
        state.SkipWithError("the package could not be made");
        return;
    }
    for (auto _ : state) {
        BenchmarkDocument document;
        if (!document.readFromPath(packagePath(), typeName)) {
            state.SkipWithError("the package could not be opened");
            break;
        }
        qsizetype bytes = 0;
        for (store::ManagedObject* screenshot : document.screenshots())
            bytes += screenshot->relatedObject("asset")->valueForKey("data").toByteArray().size();
        if (bytes != screenshotCount * assetSize) {
            state.SkipWithError("the assets could not be read");
            break;
        }
    }
}

void saveAfterChangingOneCaption(benchmark::State& state)
{
    BenchmarkDocument document;
    if (packagePath().isEmpty() || !document.readFromPath(packagePath(), typeName)) {
        state.SkipWithError("the package could not be opened");
        return;
    }
    const QList<store::ManagedObject*> screenshots = document.screenshots();
    int round = 0;
    for (auto _ : state) {
        screenshots[round % screenshotCount]->setValueForKey("Caption " + QString::number(round), "caption");
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
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
