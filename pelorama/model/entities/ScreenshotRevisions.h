#pragma once

#include "store/ManagedObjectID.h"
#include "store/StoreForward.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

namespace pelorama::model {

class Screenshot;

// One revision per screenshot of a context, which rises whenever the context reports a change that may
// change how the screenshot looks: the screenshot, one of its mappings or a drawable they map inserted or
// deleted, a mapping changed, or the screenshot or a drawable updated with a store into a key that its
// attribute table says may change pixels (Entity::pixelStores). A new name or a new place in the list
// changes no revision. Everything that shows a screenshot (the canvas view, the list's thumbnails) follows
// it; a picture made while a revision stood shows the screenshot as it was then.
//
// A drawable is found on its screenshot through the mapping that names it, so one change touches one
// screenshot whatever the length of the list. One per context, its child, so that every view of a
// document follows the same revisions. Main thread only, as the context.
class ScreenshotRevisions : public QObject
{
    Q_OBJECT

public:
    // The context's revisions, made on the first call.
    static ScreenshotRevisions& of(store::ManagedObjectContext& context);

    // Only rises; 0 for a screenshot that has not changed since the revisions were made.
    quint64 revision(const Screenshot& screenshot) const;

signals:
    // After the revisions of screenshots rose, once for each report of the context that raised any.
    void revised(const QList<pelorama::model::Screenshot*>& screenshots);

private:
    explicit ScreenshotRevisions(store::ManagedObjectContext& context);

    void contextDidChange(const store::ObjectChanges& changes);
    // Whether object, reported updated, heard a store that may change pixels since it was last reported.
    bool storedPixels(store::ManagedObject& object);
    void notePixelStores(store::ManagedObject& object);
    // The screenshot whose picture object is part of: itself, a mapping's screenshot, or the screenshot
    // of the mapping that names a drawable; null for anything else.
    Screenshot* screenshotShowing(store::ManagedObject& object);
    void noteMappings(const store::ObjectChanges& changes);
    void indexMappings();

    QPointer<store::ManagedObjectContext> m_context;
    QHash<store::ManagedObjectID, quint64> m_revisions;
    quint64 m_lastRevision = 0;
    // Each object's count of pixel stores as last reported; none for a count of 0.
    QHash<store::ManagedObjectID, quint64> m_pixelStores;
    // By identifier, the screenshot each mapped drawable is on; filled from every mapping on the first
    // change of a drawable, then kept up to date from the mappings that change.
    QHash<QString, QPointer<Screenshot>> m_mappedScreenshots;
    bool m_mappingsIndexed = false;
};

} // namespace pelorama::model
