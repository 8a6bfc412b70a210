#include "model/entities/ScreenshotRevisions.h"

#include "foundation/Diagnostics.h"
#include "model/entities/Drawable.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/IdentifiedEntity.h"
#include "model/entities/Screenshot.h"
#include "store/ManagedObjectContext.h"
#include "store/ObjectChanges.h"

#include <QSet>

namespace pelorama::model {

ScreenshotRevisions& ScreenshotRevisions::of(store::ManagedObjectContext& context)
{
    if (auto* revisions = context.findChild<ScreenshotRevisions*>(QString(), Qt::FindDirectChildrenOnly))
        return *revisions;
    // The context owns it as its child.
    return *new ScreenshotRevisions(context);
}

ScreenshotRevisions::ScreenshotRevisions(store::ManagedObjectContext& context)
    : QObject(&context)
    , m_context(&context)
{
    // What was stored before is shown by whatever starts to follow a revision now.
    for (store::ManagedObject* object : context.registeredObjects())
        notePixelStores(*object);
    connect(&context, &store::ManagedObjectContext::objectsDidChange, this,
            &ScreenshotRevisions::contextDidChange);
}

quint64 ScreenshotRevisions::revision(const Screenshot& screenshot) const
{
    return m_revisions.value(screenshot.objectID());
}

void ScreenshotRevisions::contextDidChange(const store::ObjectChanges& changes)
{
    noteMappings(changes);
    QList<Screenshot*> risen;
    QSet<const Screenshot*> seen;
    const auto raise = [&](Screenshot* screenshot) {
        if (screenshot && !seen.contains(screenshot)) {
            seen.insert(screenshot);
            risen.append(screenshot);
        }
    };
    for (store::ManagedObject* object : changes.inserted) {
        notePixelStores(*object);
        raise(screenshotShowing(*object));
    }
    for (store::ManagedObject* object : changes.updated) {
        if (storedPixels(*object))
            raise(screenshotShowing(*object));
    }
    for (store::ManagedObject* object : changes.deleted) {
        m_pixelStores.remove(object->objectID());
        raise(screenshotShowing(*object));
    }
    for (Screenshot* screenshot : risen)
        m_revisions.insert(screenshot->objectID(), ++m_lastRevision);
    if (!risen.isEmpty())
        emit revised(risen);
}

bool ScreenshotRevisions::storedPixels(store::ManagedObject& object)
{
    // A mapping says where a drawable is drawn: any change of one shows.
    if (qobject_cast<DrawableMapping*>(&object))
        return true;
    const auto* entity = dynamic_cast<const Entity*>(&object);
    if (!entity)
        return false;
    const quint64 stores = entity->pixelStores();
    if (stores == m_pixelStores.value(object.objectID()))
        return false;
    m_pixelStores.insert(object.objectID(), stores);
    return true;
}

void ScreenshotRevisions::notePixelStores(store::ManagedObject& object)
{
    if (const auto* entity = dynamic_cast<const Entity*>(&object); entity && entity->pixelStores() > 0)
        m_pixelStores.insert(object.objectID(), entity->pixelStores());
}

Screenshot* ScreenshotRevisions::screenshotShowing(store::ManagedObject& object)
{
    if (auto* screenshot = qobject_cast<Screenshot*>(&object))
        return screenshot;
    if (auto* mapping = qobject_cast<DrawableMapping*>(&object)) {
        // A deleted mapping may have let go of its screenshot; its drawable's entry still names it.
        if (Screenshot* screenshot = mapping->screenshot())
            return screenshot;
        return m_mappedScreenshots.value(mapping->identifier());
    }
    const auto* drawable = dynamic_cast<const IdentifiedEntity*>(&object);
    if (!drawable || !dynamic_cast<const Drawable*>(&object))
        return nullptr;
    const QString identifier = drawable->uniqueIdentifier();
    if (!m_mappedScreenshots.contains(identifier))
        indexMappings();
    return m_mappedScreenshots.value(identifier);
}

void ScreenshotRevisions::noteMappings(const store::ObjectChanges& changes)
{
    if (!m_mappingsIndexed)
        return;
    for (const QList<store::ManagedObject*>* objects : {&changes.inserted, &changes.updated}) {
        for (store::ManagedObject* object : *objects) {
            if (auto* mapping = qobject_cast<DrawableMapping*>(object); mapping && !mapping->isDeleted())
                m_mappedScreenshots.insert(mapping->identifier(), mapping->screenshot());
        }
    }
}

void ScreenshotRevisions::indexMappings()
{
    // Once: later, the mappings that change keep the index.
    if (m_mappingsIndexed || !m_context)
        return;
    m_mappingsIndexed = true;
    const auto mappings = m_context->execute(DrawableMapping::fetchRequest());
    if (!mappings) {
        foundation::warning(
            QStringLiteral("Could not fetch drawable mappings (%1)").arg(mappings.error().message()));
        return;
    }
    for (store::ManagedObject* object : *mappings) {
        if (auto* mapping = qobject_cast<DrawableMapping*>(object))
            m_mappedScreenshots.insert(mapping->identifier(), mapping->screenshot());
    }
}

} // namespace pelorama::model
