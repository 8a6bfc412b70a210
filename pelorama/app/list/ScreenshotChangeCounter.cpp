#include "app/list/ScreenshotChangeCounter.h"

#include "document/ScreenshotArrangement.h"
#include "foundation/Diagnostics.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/IdentifiedEntity.h"
#include "model/entities/Screenshot.h"
#include "store/ManagedObjectContext.h"
#include "store/ObjectChanges.h"

namespace pelorama::app {
namespace {

const QString orderKey = QStringLiteral("order");

} // namespace

ScreenshotChangeCounter::ScreenshotChangeCounter(document::ScreenshotArrangement& arrangement,
                                                 QObject* parent)
    : QObject(parent)
    , m_arrangement(&arrangement)
    , m_context(arrangement.context())
{
    connect(&arrangement, &document::ScreenshotArrangement::rearranged, this,
            &ScreenshotChangeCounter::followArrangement);
    if (m_context)
        connect(m_context, &store::ManagedObjectContext::objectsDidChange, this,
                &ScreenshotChangeCounter::contextDidChange);
    followArrangement();
}

ScreenshotChangeCounter::~ScreenshotChangeCounter() = default;

quint64 ScreenshotChangeCounter::changes(const model::Screenshot& screenshot) const
{
    return m_changes.value(screenshot.objectID());
}

void ScreenshotChangeCounter::followArrangement()
{
    if (!m_arrangement)
        return;
    const QList<model::Screenshot*> screenshots = m_arrangement->screenshots();
    const QSet<const model::Screenshot*> arranged(screenshots.cbegin(), screenshots.cend());
    for (const model::Screenshot* gone : m_watched - arranged)
        QObject::disconnect(m_keyWatches.take(gone));
    for (model::Screenshot* screenshot : screenshots) {
        if (!m_watched.contains(screenshot))
            watchKeys(*screenshot);
    }
    m_watched = arranged;
}

void ScreenshotChangeCounter::contextDidChange(const store::ObjectChanges& changes)
{
    noteMappings(changes);
    QList<model::Screenshot*> changed;
    QSet<const model::Screenshot*> seen;
    for (const QList<store::ManagedObject*>* objects :
         {&changes.inserted, &changes.updated, &changes.deleted}) {
        for (store::ManagedObject* object : *objects) {
            model::Screenshot* screenshot = screenshotShowing(*object);
            // A new place in the list is no new picture: renumbering the list after an insertion or a
            // drop redraws no row.
            if (objects == &changes.updated && screenshot == object &&
                m_heardKeys.value(screenshot) == orderOnly)
                continue;
            if (screenshot && !seen.contains(screenshot)) {
                seen.insert(screenshot);
                changed.append(screenshot);
            }
        }
    }
    for (model::Screenshot* screenshot : changed)
        m_changes.insert(screenshot->objectID(), ++m_changeCount);
    m_heardKeys.clear();
    if (!changed.isEmpty())
        emit screenshotsChanged(changed);
}

void ScreenshotChangeCounter::watchKeys(model::Screenshot& screenshot)
{
    // A screenshot destroyed meanwhile took its connection along; its address may be taken again.
    QObject::disconnect(m_keyWatches.take(&screenshot));
    m_keyWatches.insert(&screenshot, connect(&screenshot, &foundation::KeyValueObject::valueChangedForKey,
                                             this, [this, watched = &screenshot](const QString& key) {
                                                 KeysHeard& heard = m_heardKeys[watched];
                                                 heard = key == orderKey && heard != otherKeys ? orderOnly
                                                                                               : otherKeys;
                                             }));
}

model::Screenshot* ScreenshotChangeCounter::screenshotShowing(store::ManagedObject& object)
{
    if (auto* screenshot = qobject_cast<model::Screenshot*>(&object))
        return screenshot;
    if (auto* mapping = qobject_cast<model::DrawableMapping*>(&object))
        return mapping->screenshot();
    const auto* drawable = dynamic_cast<const model::IdentifiedEntity*>(&object);
    if (!drawable || !dynamic_cast<const model::Drawable*>(&object))
        return nullptr;
    const QString identifier = drawable->uniqueIdentifier();
    if (!m_mappedScreenshots.contains(identifier))
        indexMappings();
    return m_mappedScreenshots.value(identifier);
}

void ScreenshotChangeCounter::noteMappings(const store::ObjectChanges& changes)
{
    if (!m_mappingsIndexed)
        return;
    for (const QList<store::ManagedObject*>* objects : {&changes.inserted, &changes.updated}) {
        for (store::ManagedObject* object : *objects) {
            if (auto* mapping = qobject_cast<model::DrawableMapping*>(object);
                mapping && !mapping->isDeleted())
                m_mappedScreenshots.insert(mapping->identifier(), mapping->screenshot());
        }
    }
}

void ScreenshotChangeCounter::indexMappings()
{
    // Once: later, the mappings that change keep the index.
    if (m_mappingsIndexed || !m_context)
        return;
    m_mappingsIndexed = true;
    const auto mappings = m_context->execute(model::DrawableMapping::fetchRequest());
    if (!mappings) {
        foundation::warning(
            QStringLiteral("Could not fetch drawable mappings (%1)").arg(mappings.error().message()));
        return;
    }
    for (store::ManagedObject* object : *mappings) {
        if (auto* mapping = qobject_cast<model::DrawableMapping*>(object))
            m_mappedScreenshots.insert(mapping->identifier(), mapping->screenshot());
    }
}

} // namespace pelorama::app
