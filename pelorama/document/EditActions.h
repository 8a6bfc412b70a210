#pragma once

#include "document/ActionAlert.h"
#include "store/StoreForward.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <optional>

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::document {

class ScreenshotList;

// The document's commands on whole screenshots: cut, copy, paste, duplicate and delete the selected
// screenshot, and place a screenshot made from a template. Each insertion ends the same way: the new
// screenshot stands right after the selected one, renamed when another has its name (" 2" appended or a
// trailing number raised), every screenshot is numbered 0, 1, 2, ... in list order again
// (ScreenshotOrdering), and the new one is selected.
//
// Paste and duplicate insert in a private-queue child context of the document's context and save it
// into that context only when everything went well, so a failure leaves the document as it was. An
// action that fails answers the alert to show. Main thread only.
class EditActions
{
public:
    EditActions(store::ManagedObjectContext& context, ScreenshotList& list);

    // The selected screenshot onto the clipboard (cut also deletes it). Without a selection: nothing.
    void copy();
    void cut();
    // Deletes the selected screenshot; the clipboard stays as it is.
    void remove();

    // Pastes the clipboard's screenshots after the selected one, in reverse order, and selects the last.
    std::optional<ActionAlert> paste();
    // The same for the data of pasteboard items. Items that hold no valid screenshot are skipped whole;
    // when no item could be pasted, nothing changes and the alert says why.
    std::optional<ActionAlert> paste(const QList<QByteArray>& items);

    // A copy of the selected screenshot right after it, sharing its pictures' assets; the clipboard
    // stays as it is.
    std::optional<ActionAlert> duplicateSelection();

    // Places a screenshot just inserted into the document's context (from a template) after the selected
    // one, or last. When its name cannot be made unique it is deleted again and the alert says why.
    std::optional<ActionAlert> insertScreenshot(model::Screenshot& screenshot);

private:
    // What new screenshots are placed after: the selected screenshot's order, or the number of
    // screenshots without a selection. The list is numbered first, so that the places between whole
    // numbers are free even in a document stored with other orders.
    double baseOrder();
    void renumber();
    // The common end of every insertion: the list numbered 0, 1, 2, ... again and the new screenshot
    // selected (none: the selection stays).
    void renumberAndSelect(model::Screenshot* screenshot);
    // Inserts a screenshot for each checked dictionary as one change of a child context, the i-th at
    // order(i), then selects the last. When one cannot be made nothing is inserted, and the alert says so
    // after phrase.
    std::optional<ActionAlert> insertScreenshots(const QList<QVariantMap>& dictionaries,
                                                 const std::function<double(qsizetype)>& order,
                                                 const QString& phrase);

    store::ManagedObjectContext& m_context;
    ScreenshotList& m_list;
};

} // namespace pelorama::document
