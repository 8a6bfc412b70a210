// The document window's commands and gestures as a user reaches them: clicks in the list, keys, the
// toolbar's buttons and held arrows in the inspector.
#include "app/window/DocumentWindow.h"

#include "DocumentWindowFixture.h"
#include "SilentDialogs.h"
#include "TestContext.h"
#include "app/Document.h"
#include "app/list/ScreenshotListModel.h"
#include "app/list/ScreenshotListView.h"
#include "app/window/DocumentActions.h"
#include "app/window/DocumentCommands.h"
#include "appkit/widgets/DocumentController.h"
#include "canvas/CanvasView.h"
#include "document/ScreenshotArrangement.h"
#include "ledgerline/core/Property.h"
#include "ledgerline/widgets/NumericPropertyTableCellView.h"
#include "ledgerline/widgets/PropertyRowView.h"
#include "ledgerline/widgets/PropertyTableViewController.h"
#include "ledgerline/widgets/StringPropertyTableCellView.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Screenshot.h"
#include "model/entities/TextRect.h"
#include "model/selection/DocumentSelection.h"
#include "templates/picker/CollectionView.h"
#include "templates/picker/TemplateViewController.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace pelorama;

namespace {

class DocumentWindowTest : public DocumentWindowFixture
{
protected:
    QAbstractButton* toolbarButton(const char* name) const
    {
        return window->toolbar()->findChild<QAbstractButton*>(QString::fromLatin1(name));
    }

    void clickRow(int row) const
    {
        app::ScreenshotListView* list = window->screenshotList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(document->screenshotList().index(row)).center());
        QCoreApplication::processEvents();
    }

    // The enabled state of every command that depends on the selection, the list or the clipboard.
    QStringList enabledCommands() const
    {
        app::DocumentActions& actions = *window->documentActions();
        QStringList enabled;
        for (QAction* action : {actions.cut(), actions.copy(), actions.paste(), actions.duplicate(),
                                actions.remove(), actions.exportCurrent(), actions.exportAll(),
                                actions.share(), actions.selectAll(), actions.undo()}) {
            if (action->isEnabled())
                enabled.append(action->objectName());
        }
        return enabled;
    }
};

TEST_F(DocumentWindowTest, CommandsFollowTheSelectionTheListTheClipboardAndTheFocus)
{
    QGuiApplication::clipboard()->setText("only text");
    EXPECT_EQ(enabledCommands(), QStringList());
    EXPECT_FALSE(toolbarButton("export")->isEnabled());
    EXPECT_FALSE(toolbarButton("share")->isEnabled());
    EXPECT_TRUE(toolbarButton("add")->isEnabled());

    // Screenshots arriving select the first; the commands on it come on, in the menus and the toolbar.
    insertScreenshots(*document->managedObjectContext(), {"A", "B"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return document->arrangement().screenshots().size() == 2; }));
    EXPECT_EQ(enabledCommands(), QStringList({"cut", "copy", "duplicate", "delete", "exportCurrent", "export",
                                              "share", "undo"}));
    EXPECT_TRUE(toolbarButton("export")->isEnabled());
    EXPECT_TRUE(toolbarButton("share")->isEnabled());

    // Copy from the list puts a screenshot on the clipboard, which Paste takes.
    clickRow(1);
    EXPECT_EQ(document->selection().screenshot(), document->arrangement().screenshotAt(1));
    window->screenshotList()->setFocus();
    QTest::keyClick(window->screenshotList(), Qt::Key_C, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_TRUE(enabledCommands().contains("paste"));
    QTest::keyClick(window->screenshotList(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return document->arrangement().screenshots().size() == 3; }));
    // Another program's text on the clipboard: nothing to paste into the list.
    QGuiApplication::clipboard()->setText("only text");
    QCoreApplication::processEvents();
    EXPECT_FALSE(enabledCommands().contains("paste"));

    // A text field with the focus takes the text commands, also with nothing to paste of ours.
    ledgerline::StringPropertyTableCellView* name = nullptr;
    for (ledgerline::PropertyRowView* row : window->inspector()->rowViews()) {
        if (row->objectValue() && row->objectValue()->valueKeyPath() == "name")
            name = dynamic_cast<ledgerline::StringPropertyTableCellView*>(row->cellView());
    }
    ASSERT_NE(name, nullptr);
    QApplication::setActiveWindow(window);
    name->textField()->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(enabledCommands().contains("selectAll"));
    EXPECT_TRUE(enabledCommands().contains("paste"));
    // And they act on it, not on the document.
    app::DocumentActions& actions = *window->documentActions();
    QLineEdit* field = name->textField();
    const QString typed = field->text();
    actions.selectAll()->trigger();
    EXPECT_EQ(field->selectedText(), typed);
    actions.cut()->trigger();
    EXPECT_EQ(field->text(), QString());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), typed);
    actions.paste()->trigger();
    actions.paste()->trigger();
    EXPECT_EQ(field->text(), typed + typed);
    actions.selectAll()->trigger();
    actions.remove()->trigger();
    actions.paste()->trigger();
    EXPECT_EQ(field->text(), typed);
    EXPECT_EQ(document->arrangement().screenshots().size(), 3);

    // Undo from the toolbar's own window takes back the paste; every row deleted turns the commands off.
    window->screenshotList()->setFocus();
    QCoreApplication::processEvents();
    QTest::keyClick(window->screenshotList(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return document->arrangement().screenshots().size() == 2; }));
    for (int left = 2; left > 0; --left) {
        clickRow(0);
        QTest::keyClick(window->screenshotList(), Qt::Key_Delete);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return document->arrangement().screenshots().size() == left - 1; }));
    }
    EXPECT_EQ(enabledCommands(), QStringList({"undo"}));
    EXPECT_FALSE(toolbarButton("export")->isEnabled());
}

// Wherever the list was scrolled, a paste, a duplicate, a deletion, an undo and a redo leave the selected
// row in view; redoing a paste or a duplicate selects what it brings back, as the command did.
TEST_F(DocumentWindowTest, TheSelectedRowStaysInViewAndRedoSelectsWhatItBringsBack)
{
    QStringList names;
    for (int i = 0; i < 30; ++i)
        names.append(QStringLiteral("Shot %1").arg(i + 1));
    insertScreenshots(*document->managedObjectContext(), names);
    app::ScreenshotListModel& model = document->screenshotList();
    ASSERT_TRUE(QTest::qWaitFor([&] { return document->arrangement().screenshots().size() == 30; }));
    app::ScreenshotListView* list = window->screenshotList();
    const model::DocumentSelection& selection = document->selection();
    const auto selectedName = [&] {
        return selection.screenshot() ? selection.screenshot()->name() : QString();
    };
    const auto selectedRowShows = [&] {
        const int row = model.rowOf(selection.screenshot());
        return row >= 0 && list->viewport()->rect().contains(list->visualRect(model.index(row)));
    };
    // As the wheel would, as far from the selected row as the list goes.
    const auto scrollAway = [&] {
        QScrollBar* bar = list->verticalScrollBar();
        bar->setValue(model.rowOf(selection.screenshot()) < 15 ? bar->maximum() : bar->minimum());
        QCoreApplication::processEvents();
        return !selectedRowShows();
    };
    const auto press = [&](const QKeySequence& keys) {
        QTest::keySequence(list, keys);
        QCoreApplication::processEvents();
        return QTest::qWaitFor(selectedRowShows);
    };
    clickRow(2);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);

    ASSERT_TRUE(scrollAway());
    ASSERT_TRUE(press(QKeySequence::Paste));
    model::Screenshot* pasted = selection.screenshot();
    EXPECT_EQ(model.rowOf(pasted), 3);
    ASSERT_TRUE(scrollAway());
    ASSERT_TRUE(press(QKeySequence(Qt::ControlModifier | Qt::Key_D)));
    model::Screenshot* duplicate = selection.screenshot();
    EXPECT_EQ(model.rowOf(duplicate), 4);

    ASSERT_TRUE(scrollAway());
    ASSERT_TRUE(press(QKeySequence::Undo));
    EXPECT_EQ(document->arrangement().screenshots().size(), 31);
    ASSERT_TRUE(scrollAway());
    ASSERT_TRUE(press(QKeySequence::Redo));
    EXPECT_EQ(selection.screenshot(), duplicate);
    ASSERT_TRUE(press(QKeySequence::Undo));
    ASSERT_TRUE(scrollAway());
    ASSERT_TRUE(press(QKeySequence::Undo));
    EXPECT_EQ(document->arrangement().screenshots().size(), 30);
    ASSERT_TRUE(scrollAway());
    ASSERT_TRUE(press(QKeySequence::Redo));
    EXPECT_EQ(selection.screenshot(), pasted);
    EXPECT_EQ(model.rowOf(pasted), 3);
    EXPECT_EQ(ordersOf(document->arrangement().screenshots()).last(), 30);

    ASSERT_TRUE(scrollAway());
    ASSERT_TRUE(press(QKeySequence::Delete));
    EXPECT_EQ(selectedName(), "Shot 4");
    EXPECT_EQ(document->arrangement().screenshots().size(), 30);
}

TEST_F(DocumentWindowTest, TheMenuItemAndTheToolbarButtonAreOneAction)
{
    QAction* add = window->documentActions()->addScreenshot();
    QAbstractButton* button = toolbarButton("add");
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(add->associatedObjects().contains(button));
    QSignalSpy triggered(add, &QAction::triggered);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(triggered.size(), 1);
    ASSERT_NE(picker(), nullptr);
    QTest::mouseClick(picker()->cancelButton(), Qt::LeftButton);
}

TEST_F(DocumentWindowTest, HoldingANumberArrowInTheInspectorIsOneStepToUndo)
{
    QTest::mouseClick(toolbarButton("add"), Qt::LeftButton);
    ASSERT_NE(picker(), nullptr);
    templates::CollectionViewItem* first = picker()->collectionView()->item({0, 0});
    ASSERT_NE(first, nullptr);
    QTest::mouseClick(first, Qt::LeftButton, {}, first->rect().center());
    QTest::mouseClick(picker()->addButton(), Qt::LeftButton);
    ASSERT_EQ(document->arrangement().screenshots().size(), 1);
    model::Screenshot* screenshot = document->arrangement().screenshots().first();
    model::TextRect* caption = nullptr;
    for (model::DrawableMapping* mapping : screenshot->drawableMappings()) {
        if (auto* text = dynamic_cast<model::TextRect*>(mapping->drawable()); text && !caption)
            caption = text;
    }
    ASSERT_NE(caption, nullptr);

    // The caption, clicked on the canvas, shows in the inspector.
    canvas::CanvasView* canvasView = window->canvasView();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !canvasView->needsRendering(); }));
    const graphics::Rect frame = canvasView->viewRect(*caption);
    QTest::mouseClick(canvasView, Qt::LeftButton, {},
                      QPoint(qRound(frame.midX()), qRound(canvasView->height() - frame.midY())));
    ASSERT_EQ(document->selection().drawable(), static_cast<model::Selectable*>(caption));
    ASSERT_EQ(window->inspector()->object(), static_cast<ledgerline::PropertyEditable*>(caption));

    QDoubleSpinBox* number = nullptr;
    QString keyPath;
    for (ledgerline::PropertyRowView* row : window->inspector()->rowViews()) {
        auto* cell = dynamic_cast<ledgerline::NumericPropertyTableCellView*>(row->cellView());
        if (cell && !number && cell->numberField()->isEnabled() && row->objectValue()) {
            number = cell->numberField();
            keyPath = row->objectValue()->valueKeyPath();
        }
    }
    ASSERT_NE(number, nullptr);
    const double before = caption->valueForKey(keyPath).toDouble();
    const int steps = document->undoStack()->index();

    // The arrow repeats over many passes of the event loop; the whole hold is one step.
    const QPoint upArrow(number->width() - 4, number->height() / 4);
    QTest::mousePress(number, Qt::LeftButton, {}, upArrow);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return caption->valueForKey(keyPath).toDouble() >= before + 3 * number->singleStep();
    })) << keyPath.toStdString();
    QTest::mouseRelease(number, Qt::LeftButton, {}, upArrow);
    QCoreApplication::processEvents();
    EXPECT_EQ(document->undoStack()->index(), steps + 1);

    window->documentActions()->undo()->trigger();
    EXPECT_EQ(caption->valueForKey(keyPath).toDouble(), before);
    EXPECT_EQ(document->undoStack()->index(), steps);
}

} // namespace
