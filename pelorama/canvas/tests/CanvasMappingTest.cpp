#include "canvas/CanvasMapping.h"

#include <gtest/gtest.h>

using pelorama::canvas::CanvasMapping;

TEST(CanvasMappingTest, FitsAnIPhoneCanvasIntoAPortraitView)
{
    const CanvasMapping mapping({1242, 2208}, {0, 0, 600, 800});
    ASSERT_TRUE(mapping.isValid());
    EXPECT_NEAR(mapping.scale(), 0.362319, 5e-7);
    EXPECT_EQ(mapping.fittedRect(), (graphics::Rect{75, 0, 450, 800}));

    const graphics::Rect caption = mapping.viewRect({100, 1800, 1042, 300});
    EXPECT_NEAR(caption.origin.x, 111.232, 5e-4);
    EXPECT_NEAR(caption.origin.y, 652.174, 5e-4);
    EXPECT_NEAR(caption.size.width, 377.536, 5e-4);
    EXPECT_NEAR(caption.size.height, 108.696, 5e-4);

    const graphics::Point point = mapping.canvasPoint({300, 700});
    EXPECT_NEAR(point.x, 621, 1e-9);
    EXPECT_NEAR(point.y, 1932, 1e-9);
    const graphics::Point back = mapping.viewPoint(point);
    EXPECT_NEAR(back.x, 300, 1e-9);
    EXPECT_NEAR(back.y, 700, 1e-9);
}

TEST(CanvasMappingTest, AWideCanvasIsCentredVertically)
{
    const CanvasMapping mapping({2880, 1800}, {0, 0, 600, 800});
    EXPECT_EQ(mapping.fittedRect(), (graphics::Rect{0, 212.5, 600, 375}));
    EXPECT_EQ(mapping.viewPoint({0, 0}), (graphics::Point{0, 212.5}));
}

TEST(CanvasMappingTest, RectanglesStoredFromAnotherCornerMapAsTheirArea)
{
    const CanvasMapping mapping({100, 100}, {0, 0, 200, 200});
    EXPECT_EQ(mapping.viewRect({60, 70, -20, -30}), (graphics::Rect{80, 80, 40, 60}));
}

TEST(CanvasMappingTest, NothingMapsWithoutAnArea)
{
    EXPECT_FALSE(CanvasMapping({0, 100}, {0, 0, 600, 800}).isValid());
    EXPECT_FALSE(CanvasMapping({100, 100}, {0, 0, 0, 800}).isValid());
    EXPECT_TRUE(CanvasMapping({100, 100}, {0, 0, 1, 1}).isValid());
}
