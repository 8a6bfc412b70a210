#include "model/selection/DocumentSelection.h"

#include "ledgerline/core/PropertyEditable.h"
#include "model/entities/Screenshot.h"
#include "model/entities/Selectable.h"

#include <algorithm>

namespace pelorama::model {

DocumentSelection::DocumentSelection(QObject* parent)
    : QObject(parent)
{}

QList<Screenshot*> DocumentSelection::screenshots() const
{
    QList<Screenshot*> alive;
    for (const QPointer<Screenshot>& screenshot : m_screenshots) {
        if (screenshot)
            alive.append(screenshot);
    }
    return alive;
}

Screenshot* DocumentSelection::screenshot() const
{
    for (const QPointer<Screenshot>& screenshot : m_screenshots) {
        if (screenshot)
            return screenshot;
    }
    return nullptr;
}

void DocumentSelection::setScreenshots(const QList<Screenshot*>& screenshots)
{
    m_screenshots.clear();
    for (Screenshot* screenshot : screenshots) {
        if (screenshot && !m_screenshots.contains(screenshot))
            m_screenshots.append(screenshot);
    }
    m_drawable = nullptr;
    m_drawableObject = nullptr;
    m_drawableIsObject = false;
    emit screenshotsChanged();
}

void DocumentSelection::setScreenshot(Screenshot* screenshot)
{
    setScreenshots(screenshot ? QList<Screenshot*>{screenshot} : QList<Screenshot*>{});
}

void DocumentSelection::keepWithin(const QList<Screenshot*>& previous, const QList<Screenshot*>& arranged)
{
    const QList<Screenshot*> selected = screenshots();
    QList<qsizetype> places;
    for (Screenshot* screenshot : selected) {
        if (const qsizetype place = arranged.indexOf(screenshot); place >= 0)
            places.append(place);
    }
    if (places.isEmpty() && !arranged.isEmpty())
        places.append(std::clamp(previous.indexOf(screenshot()), qsizetype(0), arranged.size() - 1));
    std::sort(places.begin(), places.end());
    QList<Screenshot*> kept;
    for (qsizetype place : places)
        kept.append(arranged[place]);
    if (kept != selected)
        setScreenshots(kept);
}

Selectable* DocumentSelection::drawable() const
{
    return m_drawableIsObject && !m_drawableObject ? nullptr : m_drawable;
}

void DocumentSelection::setDrawable(Selectable* drawable)
{
    m_drawable = drawable;
    m_drawableObject = dynamic_cast<QObject*>(drawable);
    m_drawableIsObject = m_drawableObject != nullptr;
    emit drawableChanged();
}

ledgerline::PropertyEditable* DocumentSelection::inspectedObject() const
{
    if (auto* editable = dynamic_cast<ledgerline::PropertyEditable*>(drawable()))
        return editable;
    return screenshot();
}

void DocumentSelection::setLanguage(const QString& language)
{
    m_language = language;
    emit languageChanged();
}

} // namespace pelorama::model
