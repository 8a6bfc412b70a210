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

    // In reverse paste order right after the selection (or last), so the first pasted stands last.
    const QList<double> orders =
        ScreenshotOrdering::ordersAt(m_list.arrangedScreenshots(), rowAfterSelection(), screenshots.size());
    return insertScreenshots(
        screenshots, [&orders](qsizetype i) { return orders.value(orders.size() - 1 - i); }, phrase);
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
    const double order =
        ScreenshotOrdering::ordersAt(m_list.arrangedScreenshots(), rowAfterSelection(), 1).value(0);
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
            QList<model::Screenshot*> screenshots;
            for (qsizetype i = 0; i < dictionaries.size(); ++i) {
                auto* screenshot = dynamic_cast<model::Screenshot*>(
                    &insertFromPasteboardDictionary(screenshotEntity, dictionaries[i], insertion));
                if (!screenshot)
                    return store::failure(pasteError(QStringLiteral("A screenshot could not be made.")));
                screenshot->setOrder(order(i));
                screenshots.append(screenshot);
            }
            if (store::Result<void> named = model::Screenshot::validateProposedNames(screenshots); !named)
                return named;
            last = screenshots.last()->objectID();
            return {};
        });
    if (!inserted)
        return errorAlert(phrase, inserted.error().message());
    select(last ? dynamic_cast<model::Screenshot*>(m_context.objectWithID(*last)) : nullptr);
    return std::nullopt;
}

std::optional<ActionAlert> EditActions::insertScreenshot(model::Screenshot& screenshot)
{
    // The list may already hold the new screenshot, or not yet.
    QList<model::Screenshot*> others = m_list.arrangedScreenshots();
    others.removeAll(&screenshot);
    model::Screenshot* selected = m_list.selectedScreenshot();
    const qsizetype row = selected && selected != &screenshot ? others.indexOf(selected) + 1 : others.size();
    screenshot.setOrder(ScreenshotOrdering::ordersAt(others, row, 1).value(0));
    if (store::Result<void> named = screenshot.validateProposedName(); !named) {
        m_context.deleteObject(&screenshot);
        m_context.processPendingChanges();
        return errorAlert(QStringLiteral("Could not add the screenshot."), named.error().message());
    }
    select(&screenshot);
    return std::nullopt;
}

qsizetype EditActions::rowAfterSelection() const
{
    const QList<model::Screenshot*> screenshots = m_list.arrangedScreenshots();
    const qsizetype selected = screenshots.indexOf(m_list.selectedScreenshot());
    return selected >= 0 ? selected + 1 : screenshots.size();
}

void EditActions::select(model::Screenshot* screenshot)
{
    m_context.processPendingChanges();
    if (screenshot)
        m_list.selectScreenshot(*screenshot);
}

} // namespace pelorama::document
