#include "tessaline/Tessaline/BorderView.h"
#include "tessaline/Tessaline/SolidView.h"
#include "tessaline/Tessaline/StyleKit.h"
#include "tessaline/Tessaline/ToolBarView.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using tessaline::BorderView;

namespace {

QImage render(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

} // namespace

TEST(TessalineTest, BorderViewFramesStopShortOfNeighbouringBorders)
{
    BorderView view;
    view.resize(100, 40);
    view.show();
    view.setHasLeftBorder(true);
    view.setHasRightBorder(true);
    view.setHasTopBorder(true);
    view.setHasBottomBorder(true);
    EXPECT_EQ(view.leftLayer().frame, QRectF(0, 0, 1, 40));
    EXPECT_EQ(view.rightLayer().frame, QRectF(99, 0, 1, 40));
    EXPECT_EQ(view.topLayer().frame, QRectF(1, 0, 98, 1));
    EXPECT_EQ(view.bottomLayer().frame, QRectF(1, 39, 98, 1));

    view.setHasLeftBorder(false);
    view.setHasRightBorder(false);
    EXPECT_EQ(view.topLayer().frame, QRectF(0, 0, 100, 1));
    EXPECT_EQ(view.bottomLayer().frame, QRectF(0, 39, 100, 1));
    EXPECT_FALSE(view.leftLayer().attached);
    EXPECT_EQ(view.leftLayer().frame, QRectF(0, 0, 1, 40));
}

TEST(TessalineTest, BorderViewAttachesLayersByTheirFlagsAndRecoloursThemAll)
{
    BorderView view;
    EXPECT_FALSE(view.leftLayer().attached);
    view.setHasLeftBorder(true);
    view.setHasLeftBorder(true);
    EXPECT_TRUE(view.leftLayer().attached);
    view.setHasLeftBorder(false);
    EXPECT_FALSE(view.leftLayer().attached);

    const graphics::Color red{1, 0, 0, 1};
    view.setBorderColor(red);
    for (const BorderView::Layer* layer :
         {&view.leftLayer(), &view.rightLayer(), &view.topLayer(), &view.bottomLayer()}) {
        EXPECT_EQ(layer->backgroundColor, red);
    }
}

TEST(TessalineTest, BorderViewDrawsOnlyAttachedBorders)
{
    BorderView view;
    view.resize(10, 6);
    view.show();
    view.setBorderColor({0, 0, 1, 1});
    view.setHasBottomBorder(true);
    const QImage image = render(view);
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(image.pixelColor(5, 0), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(0, 3), QColor(Qt::white));
}

TEST(TessalineTest, ToolbarIsAGreyStripUnderAnOptionalWhiteBackground)
{
    tessaline::ToolBarView toolbar;
    toolbar.resize(200, 30);
    QImage image = render(toolbar);
    EXPECT_EQ(image.pixelColor(0, 29), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(199, 29), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(100, 28), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(100, 0), QColor(Qt::white));

    int notifications = 0;
    QObject::connect(&toolbar, &tessaline::ToolBarView::opaqueBackgroundChanged, [&] { ++notifications; });
    toolbar.setOpaqueBackground(false);
    toolbar.setOpaqueBackground(false);
    EXPECT_EQ(notifications, 2);
    image = render(toolbar);
    EXPECT_EQ(image.pixelColor(100, 29), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(100, 10).alpha(), 0);
}

TEST(TessalineTest, StyleKitDrawsWithItsDefaultFrame)
{
    QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        tessaline::StyleKit::drawToolbar(painter);
    }
    EXPECT_EQ(image.pixelColor(0, 29), QColor(128, 128, 128));
    EXPECT_EQ(image.pixelColor(29, 0), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(30, 10).alpha(), 0);
    EXPECT_EQ(image.pixelColor(10, 30).alpha(), 0);

    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        tessaline::StyleKit::drawInspectorSection(painter, QRectF(0, 0, 40, 20));
    }
    EXPECT_EQ(image.pixelColor(20, 19), QColor(170, 170, 170));
    EXPECT_EQ(image.pixelColor(20, 18).alpha(), 0);
}

TEST(TessalineTest, SolidViewShowsItsColourWithRoundedCorners)
{
    tessaline::SolidView view;
    view.resize(20, 20);
    QImage image = render(view);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
    view.setBackgroundColor({0, 1, 0, 1});
    view.setRadius(8);
    image = render(view);
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::green));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
}
