#pragma once

#include "document/ScreenshotList.h"
#include "foundation/CoalescedPerform.h"
#include "store/Result.h"
#include "store/StoreForward.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QUndoStack>

namespace pelorama::model {
class DocumentSelection;
class Screenshot;
} // namespace pelorama::model

namespace pelorama::document {

// The screenshots of a document's context in ascending "order", fetched when the arrangement is made and
// when rearrange() is called. Afterwards it follows the context's reports of its changes without fetching
// again: screenshots inserted come in at their places, those deleted go, and the sequence is sorted
// again when a screenshot of it changed its place.
//
// It keeps the document's selection on screenshots it holds (DocumentSelection::keepWithin), and an undo
// or redo step of the context's undo stack that brings screenshots back (a paste redone, a deletion
// undone) selects the last of them, as the step did. Main thread only.
class ScreenshotArrangement : public QObject, public ScreenshotList
{
    Q_OBJECT

public:
    ScreenshotArrangement(store::ManagedObjectContext& context, model::DocumentSelection& selection,
                          QObject* parent = nullptr);
    ~ScreenshotArrangement() override;

    // Null once the context is gone.
    store::ManagedObjectContext* context() const;

    const QList<model::Screenshot*>& screenshots() const { return m_screenshots; }
    model::Screenshot* screenshotAt(qsizetype index) const;
    // The index of screenshot, or -1.
    int indexOf(const model::Screenshot* screenshot) const;

    // Fetches the screenshots again and puts them in their order.
    void rearrange();
    // The screenshots of context in ascending "order", for a reader that follows no changes (the
    // command line's export); those of equal order as the store keeps them.
    static store::Result<QList<model::Screenshot*>> fetch(store::ManagedObjectContext& context);

    // Moves screenshots before the one at index (counted in the sequence as it stands, with them still in
    // it; the count puts them last), keeping their order, and numbers every screenshot 0, 1, 2, ... again
    // (ScreenshotOrdering) as one step to undo, also when none of them is in the sequence. False only
    // when there are no screenshots.
    bool moveScreenshots(const QList<model::Screenshot*>& screenshots, int index);

    // ScreenshotList
    QList<model::Screenshot*> arrangedScreenshots() const override { return m_screenshots; }
    model::Screenshot* selectedScreenshot() const override;
    void selectScreenshot(model::Screenshot& screenshot) override;
    void removeScreenshot(model::Screenshot& screenshot) override;

signals:
    // After every new sequence (also an unchanged one), before the selection is kept on it.
    void rearranged();

private:
    void contextDidChange(const store::ObjectChanges& changes);
    QList<model::Screenshot*> fetchScreenshots() const;
    // Takes screenshots as the sequence and keeps the selection on it.
    void arrange(const QList<model::Screenshot*>& screenshots);
    // Removes deleted screenshots, adds those inserted at their places and sorts the sequence again when
    // a screenshot of it changed its place. Nothing is fetched.
    void takeIn(const store::ObjectChanges& changes);
    // A screenshot that came in: selected if an undo or redo step brought it, which the undo stack tells
    // before this pass of the event loop ends.
    void noteBroughtIn(model::Screenshot& screenshot);
    void selectBroughtIn();

    QPointer<store::ManagedObjectContext> m_context;
    model::DocumentSelection& m_selection;
    QList<model::Screenshot*> m_screenshots;
    QPointer<model::Screenshot> m_broughtIn;
    foundation::CoalescedPerform m_forgetBroughtIn;
    QPointer<QUndoStack> m_undoStack;
};

} // namespace pelorama::document
