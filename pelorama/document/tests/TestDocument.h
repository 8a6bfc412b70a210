#pragma once

#include "document/ScreenshotList.h"
#include "model/entities/Screenshot.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QByteArray>
#include <QPointer>
#include <memory>

namespace store {
class ManagedObject;
}

// A document's context over an in-memory store, with its screenshot list: the screenshots sorted by
// order as a fetch of the context finds them, and a selection.
class TestDocument : public pelorama::document::ScreenshotList
{
public:
    TestDocument();

    store::ManagedObjectContext& context() { return *m_context; }

    pelorama::model::Screenshot& addScreenshot(const QString& name, double order);
    // A screenshot holding, in drawing order, a text rect, an image and a device image; both pictures
    // share one asset holding a small PNG.
    pelorama::model::Screenshot& addFilledScreenshot(const QString& name, double order);

    QStringList names() const; // in list order
    template <typename T> int count() const;

    QList<pelorama::model::Screenshot*> arrangedScreenshots() const override;
    pelorama::model::Screenshot* selectedScreenshot() const override { return m_selected; }
    void selectScreenshot(pelorama::model::Screenshot& screenshot) override { m_selected = &screenshot; }
    void removeScreenshot(pelorama::model::Screenshot& screenshot) override;
    void clearSelection() { m_selected = nullptr; }

private:
    int countOf(const QString& entityName) const;

    std::shared_ptr<store::PersistentStoreCoordinator> m_coordinator;
    std::unique_ptr<store::ManagedObjectContext> m_context;
    QPointer<pelorama::model::Screenshot> m_selected;
};

template <typename T> int TestDocument::count() const
{
    return countOf(pelorama::model::entityName<T>());
}

// A small PNG of a 3 x 2 picture.
QByteArray smallPng();
