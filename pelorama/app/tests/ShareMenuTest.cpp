#include "app/window/ShareMenu.h"

#include "canvas/CanvasPasteboardDataProvider.h"
#include "model/entities/Drawable.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <gtest/gtest.h>

using pelorama::app::ShareMenu;
using pelorama::model::Canvas;

namespace {

// Fills the whole canvas with one colour.
class Fill : public pelorama::model::Drawable
{
public:
    pelorama::model::DrawableSnapshot snapshot() const override
    {
        const graphics::Color blue{0, 0, 1, 1};
        return pelorama::model::BackgroundSnapshot{pelorama::model::BackgroundType::solid, blue, blue, blue};
    }
};

} // namespace

// Empties the clipboard when it goes, so that no item outlives the drawables of a test.
struct ClipboardCleaner
{
    ~ClipboardCleaner() { QGuiApplication::clipboard()->clear(); }
};

TEST(ShareMenuTest, CopyImagePutsTheCanvasOnTheClipboardToBeRenderedWhenPasted)
{
    Fill fill;
    const ClipboardCleaner cleaner;
    ShareMenu::copyImage(Canvas({40, 30}, {&fill}));
    const QMimeData* item = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(qobject_cast<const pelorama::canvas::CanvasPasteboardDataProvider*>(item), nullptr);
    const QImage image = QImage::fromData(item->data("image/png"), "PNG");
    EXPECT_EQ(image.size(), QSize(40, 30));
    EXPECT_EQ(image.pixelColor(20, 15), QColor(0, 0, 255));
}

TEST(ShareMenuTest, TheViewerIsGivenAPngNamedAfterTheScreenshot)
{
    Fill fill;
    const ShareMenu::Opened opened =
        ShareMenu::openInImageViewer(Canvas({40, 30}, {&fill}), "Home/Detail", {}, false);
    EXPECT_EQ(opened.error, QString());
    EXPECT_EQ(QFileInfo(opened.path).fileName(), "Home-Detail.png");
    EXPECT_EQ(QImage(opened.path).size(), QSize(40, 30));

    const ShareMenu::Opened empty = ShareMenu::openInImageViewer(Canvas({0, 0}, {&fill}), "Empty", {}, false);
    EXPECT_EQ(empty.error, "Screenshot has no PNG representation");
}
