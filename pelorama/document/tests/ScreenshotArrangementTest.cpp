// The document's screenshots in list order: following the context's changes, keeping the selection on
// them, and moving them.
#include "document/ScreenshotArrangement.h"

#include "DocumentStack.h"
#include "model/entities/Screenshot.h"
#include "model/selection/DocumentSelection.h"

#include <QCoreApplication>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <memory>

using namespace pelorama;

namespace {

// Screenshots A to E at orders 0 to 4 and their arrangement.
struct Scene
{
    Scene()
    {
        for (const char* name : {"A", "B", "C", "D", "E"})
            screenshots.append(&add(QString::fromLatin1(name), double(screenshots.size())));
        stack.context->processPendingChanges();
        arrangement = std::make_unique<document::ScreenshotArrangement>(*stack.context, selection);
        QObject::connect(&selection, &model::DocumentSelection::screenshotsChanged,
                         [this] { ++assignments; });
    }

    ~Scene() { stack.context->setUndoStack(nullptr); }

    model::Screenshot& add(const QString& name, double order)
    {
        model::Screenshot& screenshot = *model::Screenshot::insertInto(*stack.context);
        screenshot.setName(name);
        screenshot.setOrder(order);
        return screenshot;
    }

    QStringList names() const
    {
        QStringList names;
        for (const model::Screenshot* screenshot : arrangement->screenshots())
            names.append(screenshot->name());
        return names;
    }

    DocumentStack stack = DocumentStack::inMemory();
    QList<model::Screenshot*> screenshots;
    model::DocumentSelection selection;
    std::unique_ptr<document::ScreenshotArrangement> arrangement;
    int assignments = 0;
};

class ScreenshotArrangementTest : public testing::Test, protected Scene
{
};

TEST_F(ScreenshotArrangementTest, FollowsTheContextsChangesAndKeepsTheSelectionOnItsScreenshot)
{
    EXPECT_EQ(names(), QStringList({"A", "B", "C", "D", "E"}));
    EXPECT_EQ(selection.screenshot(), screenshots[0]) << "a list with screenshots has a selection";
    selection.setScreenshot(screenshots[1]);
    assignments = 0;

    screenshots[1]->setOrder(7);
    add(QStringLiteral("C2"), 2); // after those of its order
    stack.context->processPendingChanges();
    EXPECT_EQ(names(), QStringList({"A", "C", "C2", "D", "E", "B"}));
    stack.context->deleteObject(screenshots[0]);
    stack.context->processPendingChanges();
    EXPECT_EQ(names(), QStringList({"C", "C2", "D", "E", "B"}));
    EXPECT_EQ(selection.screenshot(), screenshots[1]);
    EXPECT_EQ(assignments, 0) << "a selection that stays is not assigned again";
    // A reader that follows no changes finds the same sequence.
    const auto fetched = document::ScreenshotArrangement::fetch(*stack.context);
    ASSERT_TRUE(fetched.hasValue());
    EXPECT_EQ(*fetched, arrangement->screenshots());
}

TEST(ScreenshotArrangementSelectionTest, WhenTheSelectedScreenshotsGoTheOneNowInTheirPlaceIsSelected)
{
    struct Case
    {
        QList<int> selected;
        QList<int> removed;
        QStringList expected; // the selection afterwards
    };
    const QList<Case> cases{
        {{1}, {1}, {"C"}},       {{4}, {4}, {"D"}},          {{3, 1}, {1}, {"D"}},
        {{3, 1}, {3, 1}, {"E"}}, {{0}, {0, 1, 2, 3, 4}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected.join(' ').toStdString());
        Scene scene;
        QList<model::Screenshot*> selected;
        for (int index : c.selected)
            selected.append(scene.screenshots[index]);
        scene.selection.setScreenshots(selected);
        for (int index : c.removed)
            scene.stack.context->deleteObject(scene.screenshots[index]);
        scene.stack.context->processPendingChanges();
        QStringList found;
        for (const model::Screenshot* screenshot : scene.selection.screenshots())
            found.append(screenshot->name());
        EXPECT_EQ(found, c.expected);
    }
}

TEST_F(ScreenshotArrangementTest, AnUndoOrRedoThatBringsScreenshotsBackSelectsTheLastOfThem)
{
    QUndoStack undo;
    stack.context->setUndoStack(&undo);
    selection.setScreenshot(screenshots[2]);
    arrangement->removeScreenshot(*screenshots[2]);
    QCoreApplication::processEvents();
    EXPECT_EQ(selection.screenshot(), screenshots[3]);

    undo.undo();
    EXPECT_EQ(names(), QStringList({"A", "B", "C", "D", "E"}));
    EXPECT_EQ(selection.screenshot(), screenshots[2]);
    // A new step leaves its own selection.
    selection.setScreenshot(screenshots[0]);
    QCoreApplication::processEvents();
    add(QStringLiteral("F"), 9);
    stack.context->processPendingChanges();
    EXPECT_EQ(selection.screenshot(), screenshots[0]);
}

TEST_F(ScreenshotArrangementTest, AMoveNumbersEveryScreenshotAgainAsOneStepToUndo)
{
    QUndoStack undo;
    stack.context->setUndoStack(&undo);
    QCoreApplication::processEvents();
    const int steps = undo.index();
    ASSERT_TRUE(arrangement->moveScreenshots({screenshots[3], screenshots[1]}, 0));
    EXPECT_EQ(names(), QStringList({"D", "B", "A", "C", "E"}));
    for (qsizetype index = 0; index < arrangement->screenshots().size(); ++index)
        EXPECT_EQ(arrangement->screenshots()[index]->order(), double(index));
    stack.context->processPendingChanges();
    EXPECT_EQ(undo.index(), steps + 1);
    undo.undo();
    EXPECT_EQ(names(), QStringList({"A", "B", "C", "D", "E"}));

    const DocumentStack other = DocumentStack::inMemory();
    model::DocumentSelection none;
    document::ScreenshotArrangement empty(*other.context, none);
    EXPECT_FALSE(empty.moveScreenshots({}, 0)) << "nothing to move among";
}

} // namespace
