// The screenshot list: rows in "order", selection reported to the delegate, and drag reordering.
#include "TestContext.h"
#include "app/ArrayController.h"
#include "app/ScreenshotTableCellView.h"
#include "app/ScreenshotTableViewController.h"
#include "app/TableView.h"
#include "app/TableViewReorderingHelper.h"
#include "canvas/ScreenshotThumbnailView.h"
#include "foundation/KeyedArchiver.h"

#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace pelorama;

namespace {

struct RecordingDelegate : app::ScreenshotTableViewControllerDelegate
{
    void screenshotTableViewControllerDidSelectScreenshot(app::ScreenshotTableViewController&,
                                                          model::Screenshot* screenshot) override
    {
        selections.append(screenshot);
    }
    QList<model::Screenshot*> selections;
};

class ScreenshotListTest : public testing::Test
{
protected:
    void SetUp() override
    {
        screenshots = store.insertScreenshots({"A", "B", "C", "D", "E"});
        list = std::make_unique<app::ScreenshotTableViewController>(*store.context);
        list->setDelegate(&delegate);
        list->view()->resize(220, 700);
        list->view()->show();
        table = list->screenshotTableView();
        controller = list->screenshotArrayController();
    }

    // Drags rows of the table and drops them above row (or onto it), as the table's own drag would.
    bool drag(const QList<int>& rows, int row, app::DropOperation operation = app::DropOperation::Above)
    {
        QMimeData data;
        app::TableViewReorderingHelper& helper = *list->tableViewReorderingHelper();
        if (!helper.writeRows(*table, rows, data))
            return false;
        app::DraggingInfo info;
        info.pasteboard = &data;
        info.source = table;
        info.setDropRow(row, operation);
        if (helper.validateDrop(*table, info, row, operation) != Qt::MoveAction)
            return false;
        return helper.acceptDrop(*table, info, info.dropRow, info.dropOperation);
    }

    TestContext store;
    QList<model::Screenshot*> screenshots;
    RecordingDelegate delegate;
    std::unique_ptr<app::ScreenshotTableViewController> list;
    app::TableView* table = nullptr;
    app::ArrayController* controller = nullptr;
};

TEST_F(ScreenshotListTest, RowsFollowOrderAndTheFirstIsSelectedAndReported)
{
    screenshots[0]->setOrder(7); // A goes last, on the next pass
    QTRY_COMPARE(namesOf(controller->arrangedObjects()), QStringList({"B", "C", "D", "E", "A"}));
    EXPECT_EQ(table->model()->rowCount(), 5);
    ASSERT_FALSE(delegate.selections.isEmpty());
    EXPECT_EQ(delegate.selections.last(), screenshots[0]);
    EXPECT_EQ(list->selectedScreenshot(), screenshots[0]);
    // Every row has its cell, showing its own screenshot.
    for (int row = 0; row < 5; ++row) {
        app::ScreenshotTableCellView* cell = list->cellAtRow(row);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->thumbnailView()->screenshot(), controller->arrangedObjects()[row]);
    }
}

TEST_F(ScreenshotListTest, SelectionIsReportedEveryTimeAndFollowsItsObject)
{
    delegate.selections.clear();
    controller->setSelectionIndexes({2});
    ASSERT_EQ(delegate.selections.size(), 1);
    EXPECT_EQ(delegate.selections.last(), screenshots[2]);
    // The same selection again tells the delegate again.
    controller->setSelectionIndexes({2});
    EXPECT_EQ(delegate.selections.size(), 2);
    // A multiple selection reports its first object.
    controller->setSelectionIndexes({3, 1});
    EXPECT_EQ(delegate.selections.last(), screenshots[1]);
    // Clearing it reports none.
    controller->setSelectionIndexes({});
    EXPECT_EQ(delegate.selections.last(), nullptr);
    EXPECT_EQ(list->selectedScreenshot(), nullptr);

    // A click on a row selects its screenshot.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualRect(controller->index(4)).center());
    EXPECT_EQ(list->selectedScreenshot(), screenshots[4]);
    // Reordering keeps the selected object selected.
    screenshots[4]->setOrder(-1);
    QTRY_COMPARE(controller->selectionIndexes(), QList<int>({0}));
    EXPECT_EQ(list->selectedScreenshot(), screenshots[4]);
}

TEST_F(ScreenshotListTest, DeletingTheSelectedScreenshotSelectsTheOneNowInItsPlace)
{
    controller->setSelectionIndexes({1});
    controller->removeObject(screenshots[1]);
    EXPECT_EQ(namesOf(controller->arrangedObjects()), QStringList({"A", "C", "D", "E"}));
    EXPECT_EQ(list->selectedScreenshot(), screenshots[2]);
}

TEST_F(ScreenshotListTest, DraggedRowsMoveAboveTheDropRowAndEveryRowIsRenumbered)
{
    // B and D dropped above E.
    ASSERT_TRUE(drag({1, 3}, 4));
    EXPECT_EQ(namesOf(controller->arrangedObjects()), QStringList({"A", "C", "B", "D", "E"}));
    EXPECT_EQ(ordersOf(controller->arrangedObjects()), QList<double>({0, 1, 2, 3, 4}));
}

TEST_F(ScreenshotListTest, ADropOnARowGoesAboveIt)
{
    QMimeData data;
    app::TableViewReorderingHelper& helper = *list->tableViewReorderingHelper();
    ASSERT_TRUE(helper.writeRows(*table, {0}, data));
    app::DraggingInfo info;
    info.pasteboard = &data;
    info.source = table;
    EXPECT_EQ(helper.validateDrop(*table, info, 3, app::DropOperation::On), Qt::MoveAction);
    EXPECT_EQ(info.dropRow, 3);
    EXPECT_EQ(info.dropOperation, app::DropOperation::Above);
    ASSERT_TRUE(helper.acceptDrop(*table, info, info.dropRow, info.dropOperation));
    EXPECT_EQ(namesOf(controller->arrangedObjects()), QStringList({"B", "C", "A", "D", "E"}));
}

TEST_F(ScreenshotListTest, DragsFromAnywhereElseAreRefusedWhateverTheyCarry)
{
    QMimeData data;
    ASSERT_TRUE(list->tableViewReorderingHelper()->writeRows(*table, {0}, data));
    QWidget stranger;
    for (QObject* source : {static_cast<QObject*>(&stranger), static_cast<QObject*>(nullptr)}) {
        app::DraggingInfo info;
        info.pasteboard = &data;
        info.source = source;
        EXPECT_EQ(list->tableViewReorderingHelper()->validateDrop(*table, info, 2, app::DropOperation::Above),
                  Qt::IgnoreAction);
    }
}

TEST_F(ScreenshotListTest, DropsAtTheEndAppendAndOntoTheirOwnPlaceStillRenumber)
{
    for (qsizetype i = 0; i < screenshots.size(); ++i)
        screenshots[i]->setOrder(10.0 * double(i) + 0.5);
    QTest::qWait(1);
    ASSERT_TRUE(drag({2}, 2));
    EXPECT_EQ(namesOf(controller->arrangedObjects()), QStringList({"A", "B", "C", "D", "E"}));
    EXPECT_EQ(ordersOf(controller->arrangedObjects()), QList<double>({0, 1, 2, 3, 4}));
    ASSERT_TRUE(drag({0, 1}, 5));
    EXPECT_EQ(namesOf(controller->arrangedObjects()), QStringList({"C", "D", "E", "A", "B"}));
    EXPECT_EQ(ordersOf(controller->arrangedObjects()), QList<double>({0, 1, 2, 3, 4}));
}

TEST_F(ScreenshotListTest, ObjectsThatAreGoneAreSkippedAndBadDataIsRefused)
{
    QMimeData data;
    const QVariantList uris{
        screenshots[4]->objectID().uriRepresentation(),
        QUrl(QStringLiteral("x-store:///Screenshot/t00000000-0000-0000-0000-000000000000"))};
    data.setData(QStringLiteral("Screenshot"), *foundation::KeyedArchiver().archivedData(uris));
    app::DraggingInfo info;
    info.pasteboard = &data;
    info.source = table;
    ASSERT_TRUE(list->tableViewReorderingHelper()->acceptDrop(*table, info, 0, app::DropOperation::Above));
    EXPECT_EQ(namesOf(controller->arrangedObjects()), QStringList({"E", "A", "B", "C", "D"}));

    QMimeData garbage;
    garbage.setData(QStringLiteral("Screenshot"), "not an archive");
    info.pasteboard = &garbage;
    EXPECT_FALSE(list->tableViewReorderingHelper()->acceptDrop(*table, info, 0, app::DropOperation::Above));
    QMimeData text;
    text.setText(QStringLiteral("Screenshot"));
    info.pasteboard = &text;
    EXPECT_FALSE(list->tableViewReorderingHelper()->acceptDrop(*table, info, 0, app::DropOperation::Above));
}

TEST_F(ScreenshotListTest, ATableWithoutContentIsLeftWithoutDragSupport)
{
    app::TableView bare;
    app::TableViewReorderingHelper helper;
    testing::internal::CaptureStdout();
    helper.setup(bare);
    QMimeData data;
    EXPECT_FALSE(helper.writeRows(bare, {0}, data));
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("Warning: Could not find array controller through content binding of table view!"),
              std::string::npos);
    EXPECT_TRUE(bare.registeredDraggedTypes().isEmpty());
}

TEST_F(ScreenshotListTest, TheTableProposesDropsByWhereInTheRowThePointerIs)
{
    const QRect row = table->visualRect(controller->index(1));
    EXPECT_EQ(table->proposedDrop(QPoint(10, row.top() + 2)), std::make_pair(1, app::DropOperation::Above));
    EXPECT_EQ(table->proposedDrop(QPoint(10, row.center().y())), std::make_pair(1, app::DropOperation::On));
    EXPECT_EQ(table->proposedDrop(QPoint(10, row.bottom() - 1)),
              std::make_pair(2, app::DropOperation::Above));
    EXPECT_EQ(table->proposedDrop(QPoint(10, table->viewport()->height() - 2)),
              std::make_pair(5, app::DropOperation::Above));
}

TEST_F(ScreenshotListTest, UpdateImageRendersTheThumbnailOnALaterPass)
{
    app::ScreenshotTableCellView* cell = list->cellAtRow(0);
    ASSERT_NE(cell, nullptr);
    QTRY_VERIFY(cell->thumbnailView()->image().has_value());
    cell->thumbnailView()->setImage(std::nullopt);
    cell->updateImage();
    EXPECT_FALSE(cell->thumbnailView()->image().has_value());
    QTRY_VERIFY(cell->thumbnailView()->image().has_value());
}

} // namespace
