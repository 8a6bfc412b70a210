#include "document/EditActions.h"

#include "document/PasteInsertion.h"
#include "document/PasteboardSerialization.h"
#include "document/ScreenshotList.h"
#include "document/ScreenshotOrdering.h"
#include "document/ScreenshotPasteboard.h"
#include "model/entities/ContextOperations.h"
#include "model/entities/Screenshot.h"
#include "store/ManagedObjectContext.h"

namespace pelorama::document {

namespace {

const QString screenshotEntity = QStringLiteral("Screenshot");

ActionAlert errorAlert(const QString& phrase, const QString& reason)
{
    return {QStringLiteral("Error"), phrase + QStringLiteral(" (") + reason + ')'};
}

store::Error pasteError(const QString& message)
{
    return store::Error(store::Error::Code::validation, message);
}

} // namespace

EditActions::EditActions(store::ManagedObjectContext& context, ScreenshotList& list)
    : m_context(context)
    , m_list(list)
{}

void EditActions::copy()
{
    if (model::Screenshot* screenshot = m_list.selectedScreenshot())
        ScreenshotPasteboard::copy(*screenshot);
}

void EditActions::cut()
{
    if (model::Screenshot* screenshot = m_list.selectedScreenshot()) {
        ScreenshotPasteboard::copy(*screenshot);
        m_list.removeScreenshot(*screenshot);
    }
}

void EditActions::remove()
{
    if (model::Screenshot* screenshot = m_list.selectedScreenshot())
        m_list.removeScreenshot(*screenshot);
}

std::optional<ActionAlert> EditActions::paste()
{
    return paste(ScreenshotPasteboard::items());
}

std::optional<ActionAlert> EditActions::paste(const QList<QByteArray>& items)
{
    if (items.isEmpty())
        return std::nullopt;
    // Everything is read and checked before anything is inserted, so an item is pasted whole or not at all.
    QList<QVariantMap> screenshots;
    QString problem;
    for (const QByteArray& item : items) {
        auto dictionary = ScreenshotPasteboard::screenshotDictionary(item);
        if (dictionary)
            screenshots.append(std::move(*dictionary));
        else if (problem.isEmpty())
            problem = dictionary.error();
    }
    const QString phrase = QStringLiteral("Could not paste objects.");
    if (screenshots.isEmpty())
        return errorAlert(phrase, problem);

    const double base =
        ScreenshotOrdering::pasteBaseOrder(selectedOrder(), m_list.arrangedScreenshots().size());
    return insertScreenshots(
        screenshots, [base](qsizetype i) { return ScreenshotOrdering::pastedOrder(base, int(i)); }, phrase);
}

std::optional<ActionAlert> EditActions::duplicateSelection()
{
    model::Screenshot* source = m_list.selectedScreenshot();
    if (!source)
        return std::nullopt;
    const QString phrase = QStringLiteral("Could not duplicate object.");
    // Read in the document's own context, on its thread; the child context only inserts.
    const auto dictionary = checkedPasteboardDictionary(screenshotEntity, pasteboardDictionary(*source));
    if (!dictionary)
        return errorAlert(phrase, dictionary.error());
    const double order = ScreenshotOrdering::insertionOrder(source->order(), 0);
    return insertScreenshots(
        {*dictionary}, [order](qsizetype) { return order; }, phrase);
}

std::optional<ActionAlert> EditActions::insertScreenshots(const QList<QVariantMap>& dictionaries,
                                                          const std::function<double(qsizetype)>& order,
                                                          const QString& phrase)
{
    std::optional<store::ManagedObjectID> last;
    const store::Result<void> inserted = model::performInChildContext(
        m_context, [&](store::ManagedObjectContext& child) -> store::Result<void> {
            PasteInsertion insertion(child);
            for (qsizetype i = 0; i < dictionaries.size(); ++i) {
                auto* screenshot = dynamic_cast<model::Screenshot*>(
                    &insertFromPasteboardDictionary(screenshotEntity, dictionaries[i], insertion));
                if (!screenshot)
                    return store::failure(pasteError(QStringLiteral("A screenshot could not be made.")));
                if (store::Result<void> named = screenshot->validateProposedName(); !named)
                    return named;
                screenshot->setOrder(order(i));
                last = screenshot->objectID();
            }
            return {};
        });
    if (!inserted)
        return errorAlert(phrase, inserted.error().message());
    renumberAndSelect(last ? dynamic_cast<model::Screenshot*>(m_context.objectWithID(*last)) : nullptr);
    return std::nullopt;
}

std::optional<ActionAlert> EditActions::insertScreenshot(model::Screenshot& screenshot)
{
    // The list may already hold the new screenshot, or not yet.
    QList<model::Screenshot*> others = m_list.arrangedScreenshots();
    others.removeAll(&screenshot);
    model::Screenshot* selected = m_list.selectedScreenshot();
    const std::optional<double> selectedOrder =
        selected && selected != &screenshot ? std::optional<double>(selected->order()) : std::nullopt;
    screenshot.setOrder(ScreenshotOrdering::insertionOrder(selectedOrder, others.size()));
    if (store::Result<void> named = screenshot.validateProposedName(); !named) {
        m_context.deleteObject(&screenshot);
        m_context.processPendingChanges();
        return errorAlert(QStringLiteral("Could not add the screenshot."), named.error().message());
    }
    renumberAndSelect(&screenshot);
    return std::nullopt;
}

std::optional<double> EditActions::selectedOrder() const
{
    if (model::Screenshot* selected = m_list.selectedScreenshot())
        return selected->order();
    return std::nullopt;
}

void EditActions::renumberAndSelect(model::Screenshot* screenshot)
{
    m_context.processPendingChanges();
    ScreenshotOrdering::renumber(m_list.arrangedScreenshots());
    if (screenshot)
        m_list.selectScreenshot(*screenshot);
}

} // namespace pelorama::document
