#include "document/EditActions.h"

#include "document/PasteInsertion.h"
#include "document/PasteboardSerialization.h"
#include "document/ScreenshotList.h"
#include "document/ScreenshotOrdering.h"
#include "document/ScreenshotPasteboard.h"
#include "model/context/ContextOperations.h"
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
    const double base = baseOrder();
    return insertScreenshots(
        screenshots, [base](qsizetype i) { return ScreenshotOrdering::pastedOrder(base, i); }, phrase);
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
    const double order = ScreenshotOrdering::orderAfter(baseOrder());
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
    renumberAndSelect(last ? dynamic_cast<model::Screenshot*>(m_context.objectWithID(*last)) : nullptr);
    return std::nullopt;
}

std::optional<ActionAlert> EditActions::insertScreenshot(model::Screenshot& screenshot)
{
    // The list may already hold the new screenshot, or not yet.
    QList<model::Screenshot*> others = m_list.arrangedScreenshots();
    others.removeAll(&screenshot);
    ScreenshotOrdering::renumber(others);
    model::Screenshot* selected = m_list.selectedScreenshot();
    screenshot.setOrder(selected && selected != &screenshot
                            ? ScreenshotOrdering::orderAfter(selected->order())
                            : double(others.size()));
    if (store::Result<void> named = screenshot.validateProposedName(); !named) {
        m_context.deleteObject(&screenshot);
        m_context.processPendingChanges();
        return errorAlert(QStringLiteral("Could not add the screenshot."), named.error().message());
    }
    renumberAndSelect(&screenshot);
    return std::nullopt;
}

double EditActions::baseOrder()
{
    renumber();
    if (model::Screenshot* selected = m_list.selectedScreenshot())
        return selected->order();
    return double(m_list.arrangedScreenshots().size());
}

void EditActions::renumber()
{
    ScreenshotOrdering::renumber(m_list.arrangedScreenshots());
}

void EditActions::renumberAndSelect(model::Screenshot* screenshot)
{
    // The list takes the new screenshots in at their fractional orders first, then every screenshot
    // gets its place's number.
    m_context.processPendingChanges();
    renumber();
    if (screenshot)
        m_list.selectScreenshot(*screenshot);
}

} // namespace pelorama::document
