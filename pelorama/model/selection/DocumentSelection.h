#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

namespace ledgerline {
class PropertyEditable;
} // namespace ledgerline

namespace pelorama::model {

class Screenshot;
class Selectable;

// What the user has chosen in a document: the screenshots selected in the list (the first of them is the
// one shown on the canvas and in the inspector) and the drawable selected on that screenshot's canvas.
// The list, the canvas and the inspector all observe it and change it; none of them talks to another.
//
// Every assignment notifies, also of the same value, so a view that sets the selection again shows it
// again. Choosing other screenshots drops the drawable, which belongs to the canvas of the one shown
// before. Objects that are destroyed drop out. Main thread only.
class DocumentSelection : public QObject
{
    Q_OBJECT

public:
    explicit DocumentSelection(QObject* parent = nullptr);

    // In list order, as the list set them.
    QList<Screenshot*> screenshots() const;
    // The first selected screenshot, or none.
    Screenshot* screenshot() const;
    void setScreenshots(const QList<Screenshot*>& screenshots);
    // Selects only screenshot, or nothing when it is null.
    void setScreenshot(Screenshot* screenshot);
    // Keeps the selection on the screenshots of arranged, the list that took the place of previous: the
    // selected ones that are still there stay selected, in arranged's order; when none is, the one now
    // at the first selected one's place (or the last one) is selected, so a list with screenshots always
    // has a selection. Assigns only when that differs from the selection as it stands.
    void keepWithin(const QList<Screenshot*>& previous, const QList<Screenshot*>& arranged);

    // The drawable selected on the canvas, or none.
    Selectable* drawable() const;
    void setDrawable(Selectable* drawable);

    // What the inspector shows: the selected drawable when it has properties of its own, else the
    // selected screenshot, else nothing.
    ledgerline::PropertyEditable* inspectedObject() const;

    // The language the document's views show and edit captions in: a code of the document's languages
    // (DocumentLanguages), empty for the base language. A choice of the window, not of the document: it
    // is neither saved nor undone.
    QString language() const { return m_language; }
    void setLanguage(const QString& language);

signals:
    // After every assignment of the screenshots; the drawable is none by then.
    void screenshotsChanged();
    // After every assignment of the drawable.
    void drawableChanged();
    // After every assignment of the language.
    void languageChanged();

private:
    QList<QPointer<Screenshot>> m_screenshots;
    Selectable* m_drawable = nullptr;
    // The drawable as a QObject, which tells when it is destroyed; null for a drawable that is none.
    QPointer<QObject> m_drawableObject;
    bool m_drawableIsObject = false;
    QString m_language;
};

} // namespace pelorama::model
