#include "model/DetachedCanvas.h"

#include "model/CanvasRenderingContext.h"
#include "model/DeviceImage.h"
#include "model/DocumentModel.h"
#include "model/Drawable.h"
#include "model/DrawableMapping.h"
#include "model/Screenshot.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QObject>
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

// A drawable that is no entity.
class Marker : public QObject, public model::Drawable
{
public:
    void draw(const model::Canvas&, const model::CanvasRenderingContext&) override { ++calls; }
    QStringList keypathsTriggeringRedraw() const override { return {}; }
    void prepareForRedrawAfterChangingWithKeyPath(const QString&) override {}
    int calls = 0;
};

} // namespace

TEST(DetachedCanvas, DrawsCopiesOfTheDrawablesAsTheyWereWhenItWasMade)
{
    Stack stack;
    model::Screenshot& screenshot = solidScreenshot(*stack.context, red);
    model::DeviceImage& device = *model::DeviceImage::insertInto(*stack.context, {20, 15}, 0.01);
    model::DrawableMapping::insert(device, screenshot, *stack.context);
    const model::Canvas original = screenshot.makeCanvas();
    const model::DetachedCanvas detached(original);

    EXPECT_EQ(detached.size(), (graphics::Size{40, 30}));
    const std::vector<model::Drawable*> copies = detached.canvas().drawables();
    ASSERT_EQ(copies.size(), 2u);
    for (size_t index = 0; index < copies.size(); ++index) {
        const auto* copy = dynamic_cast<store::ManagedObject*>(copies[index]);
        const auto* source = dynamic_cast<store::ManagedObject*>(original.drawables()[index]);
        ASSERT_NE(copy, nullptr);
        EXPECT_NE(copy, source);
        EXPECT_EQ(copy->objectID(), source->objectID());
        EXPECT_EQ(copy->managedObjectContext(), nullptr);
    }
    EXPECT_NE(dynamic_cast<model::DeviceImage*>(copies[1]), nullptr);

    const QImage before = pixels(original.render(CanvasRenderingMode::exportImage, {40, 30}, 1));
    screenshot.setSolidBackgroundColor(green);
    const QImage detachedPixels = pixels(detached.render(CanvasRenderingMode::exportImage, {40, 30}, 1));
    EXPECT_EQ(detachedPixels, before);
    EXPECT_EQ(detachedPixels.pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(pixels(original.render(CanvasRenderingMode::exportImage, {40, 30}, 1)).pixelColor(0, 0),
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

TEST(DetachedCanvas, LeavesOutDrawablesThatAreNoEntities)
{
    Stack stack;
    model::Screenshot& screenshot = solidScreenshot(*stack.context, red);
    Marker marker;
    const model::DetachedCanvas detached(model::Canvas({40, 30}, {&screenshot, &marker}));
    ASSERT_EQ(detached.canvas().drawables().size(), 1u);
    detached.render(CanvasRenderingMode::exportImage, {40, 30}, 1);
    EXPECT_EQ(marker.calls, 0);
}
