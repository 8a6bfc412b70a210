#include "model/rendering/DetachedCanvas.h"

#include "model/entities/DeviceImage.h"
#include "model/entities/DocumentModel.h"
#include "model/entities/Drawable.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <gtest/gtest.h>
#include <thread>

using namespace pelorama;
using model::CanvasRenderingMode;

namespace {

struct Stack
{
    Stack()
    {
        coordinator = std::make_shared<store::PersistentStoreCoordinator>(model::documentModel());
        EXPECT_TRUE(coordinator->addPersistentStore(store::PersistentStore::Type::inMemory, {}).hasValue());
        context = std::make_unique<store::ManagedObjectContext>(
            store::ManagedObjectContext::ConcurrencyType::mainQueue);
        context->setPersistentStoreCoordinator(coordinator);
    }

    std::shared_ptr<store::PersistentStoreCoordinator> coordinator;
    std::unique_ptr<store::ManagedObjectContext> context;
};

const graphics::Color red{1, 0, 0, 1};
const graphics::Color green{0, 1, 0, 1};

model::Screenshot& solidScreenshot(store::ManagedObjectContext& context, graphics::Color color)
{
    model::Screenshot& screenshot = *model::Screenshot::insertInto(context);
    screenshot.setSize({40, 30});
    screenshot.setBackgroundType(model::BackgroundType::solid);
    screenshot.setSolidBackgroundColor(color);
    return screenshot;
}

QImage pixels(const graphics::Image& image)
{
    return image.representations().at(0).bitmap();
}

} // namespace

TEST(DetachedCanvas, DrawsTheDrawablesAsTheyWereWhenItWasTaken)
{
    Stack stack;
    model::Screenshot& screenshot = solidScreenshot(*stack.context, red);
    model::DeviceImage& device = *model::DeviceImage::insertInto(*stack.context, {20, 15}, 0.01);
    model::DrawableMapping::insert(device, screenshot, *stack.context);
    const model::Canvas original = screenshot.makeCanvas();
    const model::DetachedCanvas detached(original);

    EXPECT_EQ(detached.size(), (graphics::Size{40, 30}));
    ASSERT_EQ(detached.drawables().size(), 2u);
    EXPECT_TRUE(std::holds_alternative<model::BackgroundSnapshot>(detached.drawables()[0]));
    ASSERT_TRUE(std::holds_alternative<model::DeviceImageSnapshot>(detached.drawables()[1]));
    EXPECT_EQ(std::get<model::DeviceImageSnapshot>(detached.drawables()[1]).position,
              (graphics::Point{20, 15}));

    const QImage before = pixels(detached.render(CanvasRenderingMode::exportImage, {40, 30}, 1));
    screenshot.setSolidBackgroundColor(green);
    device.setPosition({0, 0});
    const QImage detachedPixels = pixels(detached.render(CanvasRenderingMode::exportImage, {40, 30}, 1));
    EXPECT_EQ(detachedPixels, before);
    EXPECT_EQ(detachedPixels.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(pixels(model::DetachedCanvas(original).render(CanvasRenderingMode::exportImage, {40, 30}, 1))
                  .pixelColor(0, 0),
              QColor(Qt::green));
}

TEST(DetachedCanvas, RendersOnAnotherThreadWhileTheContextGoesOn)
{
    Stack stack;
    model::Screenshot& screenshot = solidScreenshot(*stack.context, red);
    auto detached = std::make_unique<model::DetachedCanvas>(screenshot.makeCanvas());
    QImage rendered;
    std::thread renderer([&] {
        for (int pass = 0; pass < 20; ++pass)
            rendered = pixels(detached->render(CanvasRenderingMode::templatePreview, {20, 20}, 2));
        detached.reset();
    });
    for (int index = 0; index < 50; ++index) {
        solidScreenshot(*stack.context, green);
        screenshot.setSolidBackgroundColor(graphics::Color{0, 0, index / 50.0, 1});
    }
    renderer.join();
    EXPECT_EQ(rendered.size(), QSize(40, 30));
    EXPECT_EQ(rendered.pixelColor(5, 5), QColor(Qt::red));
}
