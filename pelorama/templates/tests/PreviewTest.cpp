#include "TestStore.h"
#include "model/rendering/RenderPool.h"
#include "templates/TemplateCategory.h"
#include "templates/TemplatePreviewRenderer.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QThreadPool>
#include <gtest/gtest.h>
#include <mutex>
#include <set>

using namespace pelorama::templates;

namespace {

QImage previewPixels(const Template& item)
{
    const std::optional<graphics::Image> preview = item.previewImage();
    if (!preview || preview->isEmpty())
        return {};
    return preview->representations().front().bitmap();
}

// The preview's pixel size for a canvas: fitted into 200 by 200 points at 2 pixels per point.
QSize previewSize(graphics::Size canvas)
{
    const double factor = std::min(200 / canvas.width, 200 / canvas.height);
    return QSize(int(canvas.width * factor * 2), int(canvas.height * factor * 2));
}

} // namespace

TEST(Previews, EveryTemplateGetsItsOwnPictureFromTheThreadThatRenderedIt)
{
    // The window and two-screenshot layouts need no device frames, so this stays quick.
    Theme white;
    white.name = "White";
    Theme solidRed;
    solidRed.name = "Red";
    solidRed.solidBackgroundColor = {1, 0, 0, 1};
    Theme ocean = Theme::all().front();
    const std::vector<TemplateLayout> layouts{
        TemplateCategory::mac().templateGroups()[0].templates()[0]->layout(),
        TemplateCategory::iPad().templateGroups()[0].templates()[4]->layout()};
    const std::vector<TemplateGroup> groups =
        TemplateCategory::makeThemeGroups(layouts, {white, solidRed, ocean});
    std::vector<Template*> templates;
    std::mutex mutex;
    std::set<QThread*> renderingThreads;
    for (const TemplateGroup& group : groups) {
        for (const std::unique_ptr<Template>& item : group.templates()) {
            templates.push_back(item.get());
            QObject::connect(
                item.get(), &Template::previewImageChanged, item.get(),
                [&] {
                    std::lock_guard lock(mutex);
                    renderingThreads.insert(QThread::currentThread());
                },
                Qt::DirectConnection);
        }
    }

    QThreadPool pool;
    pool.setMaxThreadCount(4);
    TemplatePreviewRenderer::render(templates, pool).waitForFinished();

    // Read under the lock the renders wrote under: the future's own locks are Qt's, hidden from race
    // checkers.
    const std::lock_guard lock(mutex);
    EXPECT_FALSE(renderingThreads.empty());
    EXPECT_EQ(renderingThreads.count(QThread::currentThread()), 0u);
    const QColor corners[] = {QColor(Qt::white), QColor(Qt::red), QColor()};
    for (size_t group = 0; group < groups.size(); ++group) {
        for (const std::unique_ptr<Template>& item : groups[group].templates()) {
            SCOPED_TRACE(item->theme().name.toStdString() + " " + item->name().toStdString());
            const QImage pixels = previewPixels(*item);
            ASSERT_FALSE(pixels.isNull());
            EXPECT_EQ(pixels.size(), previewSize(item->size()));
            // The bottom left corner shows the background: the window and the pictures leave it free.
            const QColor corner = pixels.pixelColor(1, pixels.height() - 2);
            if (corners[group].isValid())
                EXPECT_EQ(corner, corners[group]);
            else
                EXPECT_TRUE(corner.blue() > corner.red() && corner.alpha() == 255);
        }
    }
}

TEST(Previews, TheCatalogueRendersInTheBackgroundIntoEveryTemplate)
{
    QFuture<void> run = Template::renderPreviewImages();
    run.waitForFinished();
    size_t previews = 0;
    for (const TemplateCategory& category : TemplateCategory::all()) {
        for (Template* item : category.templates()) {
            SCOPED_TRACE(item->name().toStdString());
            const QImage pixels = previewPixels(*item);
            ASSERT_FALSE(pixels.isNull());
            EXPECT_EQ(pixels.size(), previewSize(item->size()));
            // Every built-in layout leaves some of the background showing in a corner.
            EXPECT_EQ(pixels.pixelColor(0, 0).alpha(), 255);
            ++previews;
        }
    }
    EXPECT_EQ(previews, 132u);
}

// On a single processor Qt's global pool has one thread, and Qt converts large images in parts on that
// pool. The previews of the catalogue, with their device frames, still all come out there.
TEST(Previews, TheCatalogueRendersWhenThePoolHasASingleThread)
{
    QThreadPool& global = pelorama::model::renderPool();
    const int threads = global.maxThreadCount();
    global.setMaxThreadCount(1);
    QFuture<void> run = Template::renderPreviewImages();
    const QDeadlineTimer deadline(60'000);
    while (!run.isFinished() && !deadline.hasExpired())
        QThread::msleep(10);
    global.setMaxThreadCount(threads);
    ASSERT_TRUE(run.isFinished()) << "the previews never came out";
    for (const TemplateCategory& category : TemplateCategory::all()) {
        for (Template* item : category.templates()) {
            SCOPED_TRACE(item->name().toStdString());
            EXPECT_EQ(previewPixels(*item).size(), previewSize(item->size()));
        }
    }
}
