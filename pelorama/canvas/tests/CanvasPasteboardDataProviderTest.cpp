#include "canvas/CanvasPasteboardDataProvider.h"

#include "TestDrawables.h"

#include <QImage>
#include <gtest/gtest.h>

using pelorama::canvas::CanvasPasteboardDataProvider;
using pelorama::model::Canvas;

TEST(CanvasPasteboardDataProviderTest, ThePngIsMadeOnRequestAtTheCanvasSize)
{
    TestDrawable fill({{0, 0}, {1242, 2208}}, {0, 0.5, 1, 1});
    TestDrawable corner({{0, 0}, {10, 10}}, {1, 0, 0, 1});
    const CanvasPasteboardDataProvider item(Canvas({1242, 2208}, {&fill, &corner}));
    EXPECT_EQ(item.formats(), QStringList{"image/png"});
    EXPECT_TRUE(item.hasFormat("image/png"));
    EXPECT_FALSE(item.hasFormat("text/plain"));
    EXPECT_EQ(fill.draws, 0);

    const QByteArray png = item.data("image/png");

    EXPECT_EQ(fill.draws, 1);
    const QImage image = QImage::fromData(png, "PNG");
    EXPECT_EQ(image.size(), QSize(1242, 2208));
    // Canvas points are y-up: the corner square lies at the image's bottom left.
    EXPECT_EQ(image.pixelColor(5, 2208 - 5), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(600, 100).blue(), 255);
    // Every request renders anew, the same bytes for an unchanged canvas.
    EXPECT_EQ(item.data("image/png"), png);
    EXPECT_EQ(fill.draws, 2);
    EXPECT_TRUE(item.data("text/plain").isEmpty());
    EXPECT_EQ(fill.draws, 2);
}

TEST(CanvasPasteboardDataProviderTest, TheBuiltInTemplateSizeIsStretchedAsOnExport)
{
    TestDrawable fill({{0, 0}, {750, 1334}}, {0, 1, 0, 1});
    const CanvasPasteboardDataProvider item(Canvas({750, 1334}, {&fill}));
    EXPECT_EQ(QImage::fromData(item.data("image/png"), "PNG").size(), QSize(1242, 2208));
}

TEST(CanvasPasteboardDataProviderTest, ACanvasWithoutPixelsGivesNoData)
{
    TestDrawable fill({{0, 0}, {1, 1}}, {0, 1, 0, 1});
    const CanvasPasteboardDataProvider item(Canvas({0, 0}, {&fill}));
    testing::internal::CaptureStdout();
    EXPECT_TRUE(item.data("image/png").isEmpty());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Warning: PNG representation not available\n");
}
