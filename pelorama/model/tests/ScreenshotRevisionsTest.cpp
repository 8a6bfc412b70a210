#include "model/entities/ScreenshotRevisions.h"

#include "DocumentStack.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"

#include <functional>
#include <gtest/gtest.h>

using namespace pelorama::model;

namespace {

// Two screenshots: "shown" with a caption, a picture and a device, "other" with a caption of its own, all
// reported by the context before the revisions are made, as when a document is opened.
struct TwoScreenshots
{
    TwoScreenshots()
    {
        shown->setName("Shown");
        other->setName("Other");
        other->setOrder(1);
        for (Drawable* drawable : std::initializer_list<Drawable*>{caption, picture, device})
            DrawableMapping::insert(*drawable, *shown, *stack.context);
        DrawableMapping::insert(*otherCaption, *other, *stack.context);
        stack.context->processPendingChanges();
    }

    DrawableMapping* mappingOf(const Drawable& drawable) const
    {
        for (DrawableMapping* mapping : shown->drawableMappings()) {
            if (mapping->drawable() == &drawable)
                return mapping;
        }
        return nullptr;
    }

    DocumentStack stack = DocumentStack::inMemory();
    Screenshot* shown = Screenshot::insertInto(*stack.context);
    Screenshot* other = Screenshot::insertInto(*stack.context);
    TextRect* caption = TextRect::insertInto(*stack.context, {10, 10, 200, 50}, "Caption",
                                             graphics::TextAlignment::center, VerticalAlignment::top);
    Image* picture = Image::insertInto(*stack.context);
    DeviceImage* device = DeviceImage::insertInto(*stack.context);
    TextRect* otherCaption = TextRect::insertInto(*stack.context);
};

graphics::Image solidPicture()
{
    QImage pixels(4, 4, QImage::Format_RGBA8888_Premultiplied);
    pixels.fill(Qt::red);
    return graphics::Image(pixels);
}

} // namespace

TEST(ScreenshotRevisionsTest, OnlyAChangeThatMayShowRaisesTheRevisionOfItsOwnScreenshot)
{
    const struct
    {
        const char* name;
        std::function<void(TwoScreenshots&)> change;
        bool shownRises;
        bool otherRises;
    } cases[] = {
        {"caption text", [](TwoScreenshots& d) { d.caption->setText("Changed"); }, true, false},
        {"caption font", [](TwoScreenshots& d) { d.caption->setFont(graphics::Font("Menlo-Regular", 30)); },
         true, false},
        {"shadow", [](TwoScreenshots& d) { d.device->setShadowType(ShadowType::drop); }, true, false},
        {"background",
         [](TwoScreenshots& d) {
             d.shown->setSolidBackgroundColor(graphics::Color{0, 1, 0, 1});
         },
         true, false},
        {"device picture", [](TwoScreenshots& d) { d.device->setImage(solidPicture()); }, true, false},
        {"mapping added",
         [](TwoScreenshots& d) {
             DrawableMapping::insert(*Image::insertInto(*d.stack.context), *d.shown, *d.stack.context);
         },
         true, false},
        {"mapping removed", [](TwoScreenshots& d) { d.stack.context->deleteObject(d.mappingOf(*d.picture)); },
         true, false},
        {"a drawable of the other screenshot", [](TwoScreenshots& d) { d.otherCaption->setText("Other"); },
         false, true},
        {"screenshot deleted", [](TwoScreenshots& d) { d.stack.context->deleteObject(d.other); }, false,
         true},
        {"order only",
         [](TwoScreenshots& d) {
             d.shown->setOrder(3);
             d.other->setOrder(2);
         },
         false, false},
        {"name only", [](TwoScreenshots& d) { d.shown->setName("Renamed"); }, false, false},
        {"the same text again", [](TwoScreenshots& d) { d.caption->setText("Caption"); }, false, false},
    };
    for (const auto& expected : cases) {
        TwoScreenshots document;
        ScreenshotRevisions& revisions = ScreenshotRevisions::of(*document.stack.context);
        EXPECT_EQ(&ScreenshotRevisions::of(*document.stack.context), &revisions) << "one per context";
        QList<Screenshot*> risen;
        QObject::connect(&revisions, &ScreenshotRevisions::revised,
                         [&risen](const QList<Screenshot*>& screenshots) { risen += screenshots; });
        const quint64 shownBefore = revisions.revision(*document.shown);
        const quint64 otherBefore = revisions.revision(*document.other);

        expected.change(document);
        document.stack.context->processPendingChanges();
        EXPECT_EQ(revisions.revision(*document.shown) > shownBefore, expected.shownRises) << expected.name;
        EXPECT_EQ(revisions.revision(*document.other) > otherBefore, expected.otherRises) << expected.name;
        QList<Screenshot*> expectedRisen;
        if (expected.shownRises)
            expectedRisen.append(document.shown);
        if (expected.otherRises)
            expectedRisen.append(document.other);
        EXPECT_EQ(risen, expectedRisen) << expected.name;
    }
}
