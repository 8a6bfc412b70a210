#include "document/ScreenshotArrangement.h"

#include "document/ScreenshotOrdering.h"
#include "foundation/Diagnostics.h"
#include "model/entities/Screenshot.h"
#include "model/selection/DocumentSelection.h"
#include "store/FetchRequest.h"
#include "store/ManagedObjectContext.h"
#include "store/ObjectChanges.h"
#include "store/ScopedUndoGroup.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <vector>

namespace pelorama::document {

ScreenshotArrangement::ScreenshotArrangement(store::ManagedObjectContext& context,
                                             model::DocumentSelection& selection, QObject* parent)
    : QObject(parent)
    , m_context(&context)
    , m_selection(selection)
    , m_forgetBroughtIn([this] { m_broughtIn = nullptr; })
{
    connect(&context, &store::ManagedObjectContext::objectsDidChange, this,
            &ScreenshotArrangement::contextDidChange);
    rearrange();
}

ScreenshotArrangement::~ScreenshotArrangement() = default;

store::ManagedObjectContext* ScreenshotArrangement::context() const
{
    return m_context;
}

model::Screenshot* ScreenshotArrangement::screenshotAt(qsizetype index) const
{
    return index >= 0 && index < m_screenshots.size() ? m_screenshots[index] : nullptr;
}

int ScreenshotArrangement::indexOf(const model::Screenshot* screenshot) const
{
    for (qsizetype index = 0; index < m_screenshots.size(); ++index) {
        if (m_screenshots[index] == screenshot)
            return int(index);
    }
    return -1;
}

store::Result<QList<model::Screenshot*>> ScreenshotArrangement::fetch(store::ManagedObjectContext& context)
{
    store::FetchRequest request = model::Screenshot::fetchRequest();
    request.sortDescriptors = {store::SortDescriptor{QStringLiteral("order"), true}};
    auto fetched = context.execute(request);
    if (!fetched)
        return store::failure(fetched.error());
    QList<model::Screenshot*> screenshots;
    for (store::ManagedObject* object : *fetched) {
        if (auto* screenshot = qobject_cast<model::Screenshot*>(object))
            screenshots.append(screenshot);
    }
    return screenshots;
}

QList<model::Screenshot*> ScreenshotArrangement::fetchScreenshots() const
{
    if (!m_context)
        return {};
    auto fetched = fetch(*m_context);
    if (!fetched) {
        foundation::warning(
            QStringLiteral("Could not fetch screenshots (%1)").arg(fetched.error().message()));
        return m_screenshots;
    }
    return *fetched;
}

void ScreenshotArrangement::rearrange()
{
    arrange(fetchScreenshots());
}

void ScreenshotArrangement::arrange(const QList<model::Screenshot*>& screenshots)
{
    const QList<model::Screenshot*> previous = m_screenshots;
    m_screenshots = screenshots;
    emit rearranged();
    m_selection.keepWithin(previous, m_screenshots);
}

void ScreenshotArrangement::contextDidChange(const store::ObjectChanges& changes)
{
    takeIn(changes);
}

void ScreenshotArrangement::takeIn(const store::ObjectChanges& changes)
{
    QList<model::Screenshot*> screenshots = m_screenshots;
    QSet<const model::Screenshot*> deleted;
    for (store::ManagedObject* object : changes.deleted) {
        if (auto* screenshot = qobject_cast<model::Screenshot*>(object))
            deleted.insert(screenshot);
    }
    bool changed = !deleted.isEmpty() && screenshots.removeIf([&](model::Screenshot* screenshot) {
        return deleted.contains(screenshot);
    }) > 0;
    // A screenshot whose order changed may now belong elsewhere: the sequence is in order as long as each
    // changed one is in order with its neighbours.
    QHash<const model::Screenshot*, int> indexes;
    bool inOrder = true;
    for (store::ManagedObject* object : changes.updated) {
        auto* screenshot = qobject_cast<model::Screenshot*>(object);
        if (!screenshot || !inOrder)
            continue;
        if (indexes.isEmpty()) {
            for (int index = 0; index < m_screenshots.size(); ++index)
                indexes.insert(m_screenshots[index], index);
        }
        const int index = indexes.value(screenshot, -1);
        if (index < 0)
            continue;
        const double order = screenshot->order();
        inOrder = !(index > 0 && m_screenshots[index - 1]->order() > order) &&
                  !(index + 1 < m_screenshots.size() && order > m_screenshots[index + 1]->order());
    }
    QList<model::Screenshot*> inserted;
    for (store::ManagedObject* object : changes.inserted) {
        auto* screenshot = qobject_cast<model::Screenshot*>(object);
        if (screenshot && !screenshot->isDeleted() && !inserted.contains(screenshot))
            inserted.append(screenshot);
    }
    if (!inserted.isEmpty()) {
        const QSet<const model::Screenshot*> present(screenshots.cbegin(), screenshots.cend());
        inserted.removeIf([&](model::Screenshot* screenshot) { return present.contains(screenshot); });
    }
    // In ascending order, as a fetch sorts them; those of equal order keep their places, and a new one
    // comes after those of its order.
    if (inOrder) {
        for (model::Screenshot* screenshot : inserted) {
            const auto at = std::upper_bound(
                screenshots.begin(), screenshots.end(), screenshot->order(),
                [](double order, const model::Screenshot* other) { return order < other->order(); });
            screenshots.insert(at, screenshot);
        }
    } else {
        screenshots.append(inserted);
        std::vector<std::pair<double, model::Screenshot*>> ordered;
        ordered.reserve(std::size_t(screenshots.size()));
        for (model::Screenshot* screenshot : screenshots)
            ordered.emplace_back(screenshot->order(), screenshot);
        std::stable_sort(ordered.begin(), ordered.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        screenshots.clear();
        for (const auto& [order, screenshot] : ordered)
            screenshots.append(screenshot);
    }
    if (!inserted.isEmpty())
        noteBroughtIn(*inserted.last());
    changed = changed || !inserted.isEmpty() || !inOrder;
    if (changed && screenshots != m_screenshots)
        arrange(screenshots);
}

void ScreenshotArrangement::noteBroughtIn(model::Screenshot& screenshot)
{
    m_broughtIn = &screenshot;
    m_forgetBroughtIn.request();
    QUndoStack* stack = m_context ? m_context->undoStack() : nullptr;
    if (stack == m_undoStack)
        return;
    if (m_undoStack)
        disconnect(m_undoStack, nullptr, this, nullptr);
    m_undoStack = stack;
    if (stack)
        connect(stack, &QUndoStack::indexChanged, this, &ScreenshotArrangement::selectBroughtIn);
}

void ScreenshotArrangement::selectBroughtIn()
{
    // An undo or redo step reports its changes before the stack moves; a new step is pushed with its
    // first change, before the screenshots it inserts come in, and leaves its own selection.
    model::Screenshot* screenshot = m_broughtIn;
    m_broughtIn = nullptr;
    if (screenshot && !screenshot->isDeleted() && indexOf(screenshot) >= 0)
        m_selection.setScreenshot(screenshot);
}

bool ScreenshotArrangement::moveScreenshots(const QList<model::Screenshot*>& screenshots, int index)
{
    if (m_screenshots.isEmpty() || !m_context)
        return false;
    // The moved screenshots leave holes first, so index still counts the places as the user saw them.
    QList<model::Screenshot*> sequence = m_screenshots;
    QList<model::Screenshot*> moved;
    for (model::Screenshot* screenshot : screenshots) {
        if (const qsizetype at = sequence.indexOf(screenshot); at >= 0 && !moved.contains(screenshot)) {
            sequence[at] = nullptr;
            moved.append(screenshot);
        }
    }
    if (index >= 0 && index < sequence.size()) {
        for (qsizetype i = 0; i < moved.size(); ++i)
            sequence.insert(index + i, moved[i]);
    } else {
        sequence.append(moved);
    }
    sequence.removeAll(nullptr);
    {
        // Every screenshot is numbered again, also when nothing moved; the new orders are one step to
        // undo, apart from whatever else happened in this pass.
        const store::ScopedUndoGroup step(*m_context);
        ScreenshotOrdering::renumber(sequence);
    }
    arrange(sequence);
    return true;
}

model::Screenshot* ScreenshotArrangement::selectedScreenshot() const
{
    return m_selection.screenshot();
}

void ScreenshotArrangement::selectScreenshot(model::Screenshot& screenshot)
{
    m_selection.setScreenshot(&screenshot);
}

void ScreenshotArrangement::removeScreenshot(model::Screenshot& screenshot)
{
    if (!m_context)
        return;
    m_context->deleteObject(&screenshot);
    m_context->processPendingChanges();
}

} // namespace pelorama::document
