// Saving and reopening a SQLite store: 10,000 objects, every 100th with a 1 MB blob; and the heap that
// fetched objects with a few small attributes take, per object.

#include "store/ManagedObject.h"
#include "store/ManagedObjectContext.h"
#include "store/ManagedObjectModel.h"
#include "store/PersistentStoreCoordinator.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

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
    if (!coordinator->addPersistentStore(store::PersistentStore::Type::sqlite, path))
        return nullptr;
    return coordinator;
}

// Inserts the objects into a new store at path and saves them.
bool fill(const QString& path)
{
    auto coordinator = open(path);
    if (!coordinator)
        return false;
    store::ManagedObjectContext context(store::ManagedObjectContext::ConcurrencyType::mainQueue);
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
        store::ManagedObjectContext context(store::ManagedObjectContext::ConcurrencyType::mainQueue);
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

// Heap bytes in use (glibc's allocator statistics).
size_t heapInUse()
{
    return mallinfo2().uordblks;
}

// A line of /proc/self/status in bytes ("VmRSS", "VmHWM").
size_t statusBytes(const QByteArray& field)
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field + ":"))
            return line.mid(field.size() + 1).trimmed().split(' ').first().toULongLong() * 1024;
    }
    return 0;
}

// Returns freed heap to the system and restarts the peak resident size at the current one, so that
// the next peak is that of what follows.
size_t restartPeakResident()
{
    malloc_trim(0);
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    return statusBytes("VmRSS");
}

// Fills a new store at path with count small objects (a short name, an integer and a double each),
// saving in batches so the filling context stays small.
bool fillSmall(const QString& path, int count)
{
    auto coordinator = open(path);
    if (!coordinator)
        return false;
    constexpr int batch = 10000;
    for (int start = 0; start < count; start += batch) {
        store::ManagedObjectContext context(store::ManagedObjectContext::ConcurrencyType::mainQueue);
        context.setPersistentStoreCoordinator(coordinator);
        for (int i = start; i < std::min(count, start + batch); ++i) {
            store::ManagedObject* item = context.insertNewObject("Item");
            item->setValueForKey(QString("Item %1").arg(i), "name");
            item->setValueForKey(i, "index");
            item->setValueForKey(i * 0.5, "weight");
        }
        if (!context.save())
            return false;
    }
    return true;
}

// Per fetched object: the heap that stays in use while the objects are held, and how far the fetch
// raised the peak resident size (rows in flight included). Run it alone for a meaningful peak.
void fetchedObjectMemory(benchmark::State& state)
{
    const int count = int(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath("small.store");
    if (!fillSmall(path, count)) {
        state.SkipWithError("save failed");
        return;
    }
    double bytesPerObject = 0;
    double peakPerObject = 0;
    for (auto _ : state) {
        auto coordinator = open(path);
        store::ManagedObjectContext context(store::ManagedObjectContext::ConcurrencyType::mainQueue);
        context.setPersistentStoreCoordinator(coordinator);
        // Warm the store's page cache and statement machinery so they are not counted.
        store::FetchRequest one("Item", store::Predicate::equal("index", 0));
        if (!context.execute(one)) {
            state.SkipWithError("fetch failed");
            break;
        }
        const size_t before = heapInUse();
        const size_t residentBefore = restartPeakResident();
        auto items = context.execute(store::FetchRequest("Item"));
        if (!items || items->size() != count) {
            state.SkipWithError("fetch failed");
            break;
        }
        const size_t after = heapInUse();
        bytesPerObject = double(after - before) / count;
        peakPerObject = double(statusBytes("VmHWM") - residentBefore) / count;
        benchmark::DoNotOptimize(items->size());
    }
    state.counters["held_bytes_per_object"] = bytesPerObject;
    state.counters["peak_bytes_per_object"] = peakPerObject;
    state.SetItemsProcessed(state.iterations() * count);
}

} // namespace

BENCHMARK(fetchedObjectMemory)->Arg(200000)->Unit(benchmark::kMillisecond)->Iterations(1);
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
