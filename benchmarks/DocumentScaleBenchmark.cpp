// Documents of 4, 64 and 300 screenshots in the real document window (offscreen, two pixels per point, the
// canvas view 600 x 800 points): what a document costs as it grows, where nothing should grow with the
// screenshots that are off screen. Each screenshot is a built-in template, taken in turn from each
// category (phones, tablets, computers) and theme, with an app capture in its device; the captures are one
// per device family, shared as copies made by paste share them. Each document is saved once as a package
// and opened from it, as the user reopens one.
//
// - open: from opening the package to the window showing the canvas and the pictures of the rows on
//   screen (those below follow in the background);
// - scroll: the list scrolled a page at a time to its end, each page waited for until its rows show their
//   pictures;
// - paste: one screenshot pasted, until the canvas and the list show it (undone between iterations);
// - captionEdit: a caption's text set, until the canvas and the row's picture show it;
// - languageSwitch: the language shown switched through the language menu, between the base language
//   and one that every caption has a text of its own in, until the canvas shows it; thumbnailsMs, until
//   the rows on screen show it too, rendered on the pool meanwhile;
// - save: saving after one caption edit;
// - exportAll: every screenshot exported as the Export All command does, on the render pool.
//
// Counters: rssMiB, the memory of the process when the iteration ends, and peakMiB, the most it held
// since the document was opened; for exportAll also rssBeforeMiB, the memory as the export began, and
// rssAfterMiB, once the pool has nothing left to do after it, which should be within 50 MB of it. Aims at 300
// screenshots: under 600 MB after scrolling the whole list; paste and caption edit within 16 ms of
// main-thread (CPU) time; save under 100 ms; open under 1 s; export under 20 s on 4 cores (taskset -c 0-3)
// with a peak under 1 GB.

#include "DocumentWindowScene.h"
#include "TemplateScene.h"
#include "app/Document.h"
#include "app/languages/LanguageChoice.h"
#include "app/languages/LanguageMenu.h"
#include "app/list/ScreenshotListView.h"
#include "app/window/DocumentActions.h"
#include "app/window/DocumentWindow.h"
#include "canvas/CanvasView.h"
#include "document/ExportJob.h"
#include "document/ExportPlan.h"
#include "model/devices/DeviceFamily.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "model/languages/LanguageEditing.h"
#include "model/rendering/RenderPool.h"
#include "model/selection/DocumentSelection.h"
#include "store/ManagedObjectContext.h"
#include "templates/Template.h"
#include "templates/TemplateCategory.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>
#include <chrono>
#include <malloc.h>
#include <map>

using namespace pelorama;

namespace {

// A field of /proc/self/status ("VmRSS:", "VmHWM:") in MiB.
double statusMiB(const QByteArray& field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').front().toDouble() / 1024;
    }
    return 0;
}

// Gives back what earlier benchmarks freed and starts the peak afresh.
void resetMemory()
{
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

void countMemory(benchmark::State& state)
{
    state.counters["rssMiB"] = statusMiB("VmRSS:");
    state.counters["peakMiB"] = statusMiB("VmHWM:");
}

// Fills context with count screenshots of the built-in templates, in turn from each category and theme,
// each picture of theirs an app capture.
void fill(store::ManagedObjectContext& context, int count)
{
    const std::vector<templates::TemplateCategory>& categories = templates::TemplateCategory::all();
    // One capture per device family and one for windows, each in a hue of its own, its asset shared by
    // every drawable showing it.
    struct Capture
    {
        graphics::Image picture;
        QString asset;
    };
    std::map<QString, Capture> captures;
    const auto show = [&](model::ImageLoadable& drawable, const QString& kind, graphics::Size size) {
        auto [capture, isNew] = captures.try_emplace(kind);
        if (isNew) {
            const double shrink = std::min(1.0, 2880 / std::max(size.width, size.height));
            capture->second.picture = benchmarks::appCapture(
                QSize(int(size.width * shrink), int(size.height * shrink)), int(captures.size() * 83 % 360));
            drawable.storeImageData(capture->second.picture.pngData());
            capture->second.asset = drawable.assetIdentifier().value_or(QString());
        } else {
            drawable.setAssetIdentifier(capture->second.asset);
        }
        drawable.setImage(capture->second.picture);
    };
    for (int index = 0; index < count; ++index) {
        const auto turn = std::size_t(index);
        const templates::TemplateCategory& category = categories[turn % categories.size()];
        const std::vector<templates::TemplateGroup>& themes = category.templateGroups();
        const templates::TemplateGroup& theme = themes[turn / categories.size() % themes.size()];
        const auto& made = theme.templates();
        const templates::Template& chosen = *made[turn / (categories.size() * themes.size()) % made.size()];
        model::Screenshot& screenshot = chosen.instantiateScreenshot(context);
        screenshot.setOrder(index);
        screenshot.setName(QStringLiteral("%1 %2").arg(chosen.name()).arg(index + 1));
        for (model::DrawableMapping* mapping : screenshot.drawableMappings()) {
            if (auto* device = dynamic_cast<model::DeviceImage*>(mapping->drawable())) {
                // Phones and tablets are captured upright, as their screens are drawn.
                const model::DeviceFamily& family = device->deviceFamily();
                graphics::Size size = family.displaySizes().front();
                if (family.isOrientable() && size.width > size.height)
                    size = {size.height, size.width};
                show(*device, family.identifier(), size);
            }
            if (auto* window = dynamic_cast<model::Image*>(mapping->drawable()))
                show(*window, QStringLiteral("window"), {2560, 1600});
        }
    }
}

// The package of a document of count screenshots, made once per process.
const QString& packageOf(int count)
{
    static QTemporaryDir folder;
    static std::map<int, QString> made;
    if (const auto found = made.find(count); found != made.end())
        return found->second;
    const QString path = folder.filePath(QStringLiteral("Scale %1.pelorama").arg(count));
    benchmarks::Documents documents;
    auto untitled = documents.controller().makeUntitledDocument(app::Document::typeName(), false);
    if (!untitled.hasValue())
        qFatal("No new document");
    auto* document = static_cast<app::Document*>(*untitled);
    fill(*document->managedObjectContext(), count);
    if (!document->saveAs(path).hasValue())
        qFatal("The document of %d screenshots could not be saved", count);
    return made.emplace(count, path).first->second;
}

// A document opened from its package, its window shown with the canvas view 600 x 800 points.
class OpenDocument
{
public:
    explicit OpenDocument(int count)
    {
        auto opened = m_documents.controller().openDocument(packageOf(count));
        if (!opened.hasValue())
            qFatal("The document of %d screenshots could not be opened", count);
        document = static_cast<app::Document*>(*opened);
        // Saves are measured on their own.
        document->setAutosaveDelay(std::chrono::hours(1));
        window = document->documentWindow();
        list = window->screenshotList();
        canvas = window->canvasView();
        QObject::connect(canvas, &canvas::CanvasView::didRender, [this] { m_rendered = true; });
        const QSize wanted(600, 800);
        window->resize(window->size() + wanted - canvas->size());
    }

    ~OpenDocument()
    {
        document->closeWithoutAsking();
        benchmarks::settle();
        // Renders of rows below the fold end before the next document comes.
        model::renderPool().waitForDone();
        benchmarks::settle();
    }

    OpenDocument(const OpenDocument&) = delete;
    OpenDocument& operator=(const OpenDocument&) = delete;

    // Runs the event loop until the canvas has rendered since the last call and the rows on screen show
    // their screenshots as they are.
    void showChanges()
    {
        benchmarks::runUntil([this] { return m_rendered && list->showsCurrentThumbnails(); });
        m_rendered = false;
    }

    // Runs the event loop until the canvas has rendered since the last call.
    void showCanvas()
    {
        benchmarks::runUntil([this] { return m_rendered; });
        m_rendered = false;
    }

    // Runs the event loop until the list has rendered the pictures of the rows below the fold too.
    void showAllThumbnails()
    {
        showChanges();
        benchmarks::runUntil([this] { return list->thumbnails().renderingCount() == 0; });
    }

    // The first caption of the selected screenshot.
    model::TextRect* selectedCaption() const
    {
        for (model::DrawableMapping* mapping : document->selection().screenshot()->drawableMappings()) {
            if (auto* caption = dynamic_cast<model::TextRect*>(mapping->drawable()))
                return caption;
        }
        qFatal("The selected screenshot has no caption");
    }

    app::Document* document = nullptr;
    app::DocumentWindow* window = nullptr;
    app::ScreenshotListView* list = nullptr;
    canvas::CanvasView* canvas = nullptr;

private:
    benchmarks::Documents m_documents;
    bool m_rendered = false;
};

int countOf(const benchmark::State& state)
{
    return int(state.range(0));
}

void open(benchmark::State& state)
{
    packageOf(countOf(state));
    for (auto _ : state) {
        state.PauseTiming();
        resetMemory();
        state.ResumeTiming();
        OpenDocument opened(countOf(state));
        opened.showChanges();
        state.PauseTiming();
        countMemory(state);
        state.ResumeTiming();
    }
}

void scroll(benchmark::State& state)
{
    packageOf(countOf(state));
    for (auto _ : state) {
        state.PauseTiming();
        resetMemory();
        OpenDocument opened(countOf(state));
        opened.showChanges();
        state.ResumeTiming();
        const int last = opened.list->model()->rowCount() - 1;
        while (opened.list->shownRows().second < last) {
            QTest::keyClick(opened.list, Qt::Key_PageDown);
            benchmarks::runUntil([&] { return opened.list->showsCurrentThumbnails(); });
        }
        state.PauseTiming();
        countMemory(state);
        state.ResumeTiming();
    }
}

void paste(benchmark::State& state)
{
    OpenDocument opened(countOf(state));
    opened.showAllThumbnails();
    app::DocumentActions& actions = *opened.window->documentActions();
    actions.copy()->trigger();
    for (auto _ : state) {
        actions.paste()->trigger();
        opened.showChanges();
        state.PauseTiming();
        actions.undo()->trigger();
        opened.showChanges();
        state.ResumeTiming();
    }
    countMemory(state);
}

void captionEdit(benchmark::State& state)
{
    OpenDocument opened(countOf(state));
    opened.showAllThumbnails();
    model::TextRect* caption = opened.selectedCaption();
    int edit = 0;
    for (auto _ : state) {
        caption->setText(benchmarks::scriptTexts[0].edit(++edit));
        opened.showChanges();
    }
    countMemory(state);
}

void languageSwitch(benchmark::State& state)
{
    OpenDocument opened(countOf(state));
    opened.showAllThumbnails();
    store::ManagedObjectContext& context = *opened.document->managedObjectContext();
    const QString translation = QStringLiteral("de-DE");
    if (!model::LanguageEditing::addLanguage(context, translation)) {
        state.SkipWithError("the language could not be added");
        return;
    }
    const auto captions = context.execute(model::TextRect::fetchRequest());
    for (store::ManagedObject* object : captions.value()) {
        auto* caption = static_cast<model::TextRect*>(object);
        caption->setText(QStringLiteral("Übersetzt: ") + caption->text(), translation);
    }
    app::LanguageChoice& choice = *opened.window->languageChoice();
    choice.refresh();
    const QStringList languages = {choice.languages().base, translation};
    app::LanguageMenu& menu = *opened.window->documentActions()->languageMenu();
    menu.languageItem(translation)->trigger();
    opened.showAllThumbnails();
    double thumbnails = 0;
    int switches = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        menu.languageItem(languages[switches++ % 2])->trigger();
        opened.showCanvas();
        state.PauseTiming();
        benchmarks::runUntil([&] { return opened.list->showsCurrentThumbnails(); });
        thumbnails +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        state.ResumeTiming();
    }
    state.counters["thumbnailsMs"] = thumbnails / std::max(1, switches);
}

void save(benchmark::State& state)
{
    OpenDocument opened(countOf(state));
    opened.showAllThumbnails();
    model::TextRect* caption = opened.selectedCaption();
    int edit = 0;
    for (auto _ : state) {
        state.PauseTiming();
        caption->setText(benchmarks::scriptTexts[0].edit(++edit));
        opened.showChanges();
        state.ResumeTiming();
        if (!opened.document->save().hasValue()) {
            state.SkipWithError("the document could not be saved");
            break;
        }
    }
}

void exportAll(benchmark::State& state)
{
    OpenDocument opened(countOf(state));
    opened.showAllThumbnails();
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir folder;
        resetMemory();
        state.counters["rssBeforeMiB"] = statusMiB("VmRSS:");
        state.ResumeTiming();
        document::ExportJob job(
            document::ExportPlan::ofDocument(*opened.document->managedObjectContext(), folder.path()));
        job.start();
        benchmarks::runUntil([&] { return job.isFinished(); });
        state.PauseTiming();
        countMemory(state);
        model::renderPool().waitForDone();
        state.counters["rssAfterMiB"] = statusMiB("VmRSS:");
        if (job.alert())
            state.SkipWithError("the export failed");
        state.ResumeTiming();
    }
}

void sizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Arg(4)->Arg(64)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(open)->Apply(sizes)->Iterations(3);
BENCHMARK(scroll)->Apply(sizes)->Iterations(1);
BENCHMARK(paste)->Apply(sizes)->Iterations(20);
BENCHMARK(captionEdit)->Apply(sizes)->Iterations(50);
BENCHMARK(languageSwitch)->Arg(50)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
BENCHMARK(save)->Apply(sizes)->Iterations(10);
BENCHMARK(exportAll)->Apply(sizes)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    return benchmarks::windowBenchmarkMain(argc, argv);
}
