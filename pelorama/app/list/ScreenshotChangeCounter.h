#pragma once

#include "model/entities/Screenshot.h"
#include "store/ManagedObjectID.h"
#include "store/StoreForward.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>

namespace pelorama::document {
class ScreenshotArrangement;
} // namespace pelorama::document

namespace pelorama::app {

// A count of each screenshot's changes, which the list's thumbnails follow: whenever the context
// reports a change of the screenshot, of one of its mappings or of a drawable they map, the count
// rises. A drawable is found on its screenshot through the mapping that names it, so one change touches
// one screenshot, whatever the length of the list. A screenshot of the arrangement reported updated
// with its order alone shows the same picture and keeps its count. Main thread only.
//
// Made after the arrangement, it hears of the context's changes after it.
class ScreenshotChangeCounter : public QObject
{
    Q_OBJECT

public:
    explicit ScreenshotChangeCounter(document::ScreenshotArrangement& arrangement, QObject* parent = nullptr);
    ~ScreenshotChangeCounter() override;

    // Only rises; 0 for a screenshot that has not changed since the counter was made.
    quint64 changes(const model::Screenshot& screenshot) const;

signals:
    // After the counts of screenshots rose, once for each change the context reported.
    void screenshotsChanged(const QList<model::Screenshot*>& screenshots);

private:
    void contextDidChange(const store::ObjectChanges& changes);
    // The screenshot whose picture object is part of: itself, a mapping's screenshot, or the screenshot
    // of the mapping that names a drawable; null for anything else.
    model::Screenshot* screenshotShowing(store::ManagedObject& object);
    void noteMappings(const store::ObjectChanges& changes);
    void indexMappings();
    // Watches the keys of the arrangement's screenshots, and of them only.
    void followArrangement();
    // Notes the keys of screenshot that change until the context reports them.
    void watchKeys(model::Screenshot& screenshot);

    // Which keys of a screenshot were stored into since the context last reported its changes.
    enum KeysHeard
    {
        none,
        orderOnly,
        otherKeys
    };

    QPointer<document::ScreenshotArrangement> m_arrangement;
    QPointer<store::ManagedObjectContext> m_context;
    QHash<store::ManagedObjectID, quint64> m_changes;
    quint64 m_changeCount = 0;
    // By identifier, the screenshot each mapped drawable is on; filled from every mapping on the first
    // change of a drawable, then kept up to date from the mappings that change.
    QHash<QString, QPointer<model::Screenshot>> m_mappedScreenshots;
    bool m_mappingsIndexed = false;
    // The arrangement's screenshots whose keys are watched.
    QSet<const model::Screenshot*> m_watched;
    QHash<const model::Screenshot*, QMetaObject::Connection> m_keyWatches;
    QHash<const model::Screenshot*, KeysHeard> m_heardKeys;
};

} // namespace pelorama::app
