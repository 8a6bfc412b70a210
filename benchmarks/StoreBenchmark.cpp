// Saving and reopening a SQLite store: 10,000 objects, every 100th with a 1 MB blob.

#include "store/ManagedObject.h"
#include "store/ManagedObjectContext.h"
#include "store/ManagedObjectModel.h"
#include "store/PersistentStoreCoordinator.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int objectCount = 10000;
constexpr int blobEvery = 100;
constexpr qsizetype blobSize = 1024 * 1024;

std::shared_ptr<const store::ManagedObjectModel> model()
{
    static auto loaded = store::ManagedObjectModel::fromJson(R"({"entities": [{"name": "Item", "attributes": [
        {"name": "name", "type": "string"}, {"name": "index", "type": "integer64"},
        {"name": "weight", "type": "double"}, {"name": "data", "type": "binary"}]}]})");
    return loaded.value();
}

std::shared_ptr<store::PersistentStoreCoordinator> open(const QString& path)
{
    auto coordinator = std::make_shared<store::PersistentStoreCoordinator>(model());
    if (!coordinator->addPersistentStore(store::PersistentStore::Type::SQLite, path))
        return nullptr;
    return coordinator;
}

// Inserts the objects into a new store at path and saves them.
bool fill(const QString& path)
{
    auto coordinator = open(path);
    if (!coordinator)
        return false;
    store::ManagedObjectContext context(store::ManagedObjectContext::ConcurrencyType::MainQueue);
    context.setPersistentStoreCoordinator(coordinator);
    const QByteArray blob(blobSize, 'b');
    for (int i = 0; i < objectCount; ++i) {
        store::ManagedObject* item = context.insertNewObject("Item");
        item->setValueForKey(QString("Item %1").arg(i), "name");
        item->setValueForKey(i, "index");
        item->setValueForKey(i * 0.5, "weight");
        if (i % blobEvery == 0)
            item->setValueForKey(blob, "data");
    }
    return bool(context.save());
}

void insertAndSave(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = std::make_unique<QTemporaryDir>();
        state.ResumeTiming();
        if (!fill(dir->filePath("items.store")))
            state.SkipWithError("save failed");
        state.PauseTiming();
        dir.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * objectCount);
}

void openAndFetch(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("items.store");
    if (!fill(path)) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        auto coordinator = open(path);
        store::ManagedObjectContext context(store::ManagedObjectContext::ConcurrencyType::MainQueue);
        context.setPersistentStoreCoordinator(coordinator);
        auto items = context.execute(store::FetchRequest("Item"));
        if (!items || items->size() != objectCount) {
            state.SkipWithError("fetch failed");
            break;
        }
        qsizetype bytes = 0;
        for (store::ManagedObject* item : *items)
            bytes += item->valueForKey("data").toByteArray().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * objectCount);
}

} // namespace

BENCHMARK(insertAndSave)->Unit(benchmark::kMillisecond);
BENCHMARK(openAndFetch)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
