// What the Edit menu calls a step it did not name: told by what the step changed.
#include "app/window/UndoSteps.h"

#include "TestContext.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/TextRect.h"
#include "store/ManagedObjectContext.h"
#include "store/ScopedUndoGroup.h"

#include <QCoreApplication>
#include <QUndoStack>
#include <functional>
#include <gtest/gtest.h>

using namespace pelorama;

namespace {

TEST(UndoStepsTest, AStepIsNamedByWhatItChanged)
{
    TestContext store;
    store::ManagedObjectContext& context = *store.context;
    model::Screenshot* first = store.insertScreenshots({"First", "Second"}).front();
    model::TextRect* caption = model::TextRect::insertInto(
        context, {0, 0, 100, 50}, "Hello", graphics::TextAlignment::center, model::VerticalAlignment::center);
    model::DrawableMapping::insert(*caption, *first, context);
    context.processPendingChanges();
    QUndoStack undo;
    context.setUndoStack(&undo);

    const struct
    {
        const char* name;
        std::function<void()> step;
    } steps[] = {
        {"Edit Caption",
         [&] {
             caption->setText("Hi");
         }},
        {"Change Font",
         [&] {
             caption->setFont(graphics::Font("Helvetica", 20));
         }},
        {"Change Blur Radius",
         [&] {
             caption->setShadowBlurRadius(7);
         }},
        {"Move",
         [&] {
             caption->setRect({10, 10, 100, 50});
         }},
        {"Rename Screenshot",
         [&] {
             first->setName("Start");
         }},
        {"Reorder Screenshots",
         [&] {
             first->setOrder(5);
         }},
        {"Add Screenshot",
         [&] {
             store.insertScreenshots({"Third"});
         }},
        {"Delete Screenshot",
         [&] {
             context.deleteObject(first);
         }},
        {"Change",
         [&] {
             caption->setFont(graphics::Font("Helvetica", 30));
             caption->setShadowBlurRadius(3);
         }},
    };
    for (const auto& [name, step] : steps) {
        const int before = undo.index();
        step();
        context.processPendingChanges();
        QCoreApplication::processEvents();
        ASSERT_EQ(undo.index(), before + 1) << name;
        EXPECT_EQ(app::UndoSteps::name(undo.command(undo.index() - 1)).toStdString(), name);
    }
    // A name given wins; no step, no name.
    {
        const store::ScopedUndoGroup named(context, "Paste");
        caption->setText("Pasted");
    }
    EXPECT_EQ(app::UndoSteps::name(undo.command(undo.index() - 1)).toStdString(), "Paste");
    EXPECT_EQ(app::UndoSteps::name(nullptr), QString());
    context.setUndoStack(nullptr);
}

} // namespace
