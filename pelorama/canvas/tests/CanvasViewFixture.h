#pragma once

#include "DocumentStack.h"
#include "canvas/CanvasView.h"
#include "graphics/Color.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/rendering/Canvas.h"
#include "store/ManagedObjectContext.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

// The colours the canvas tests paint with.
inline const graphics::Color red{1, 0, 0, 1};
inline const graphics::Color green{0, 1, 0, 1};
inline const graphics::Color blue{0, 0, 1, 1};

// Readable failure messages for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* stream)
{
    *stream << '"' << text.toStdString() << '"';
}

// What the view announced, in order: "selection:<name or none>", "will", "did".
class RecordingListener
{
public:
    void listenTo(pelorama::canvas::CanvasView& view)
    {
        QObject::connect(&view, &pelorama::canvas::CanvasView::selectionChanged, &view,
                         [this](pelorama::model::Drawable* drawable) {
                             auto* object = dynamic_cast<QObject*>(drawable);
                             calls.push_back("selection:" +
                                             (drawable ? (object ? object->objectName() : QString("?"))
                                                       : QString("none")));
                         });
        QObject::connect(&view, &pelorama::canvas::CanvasView::willRender, &view,
                         [this](const pelorama::model::Canvas& canvas) {
                             calls.push_back("will");
                             willCanvas = &canvas;
                             announced.push_back(&canvas);
                         });
        QObject::connect(&view, &pelorama::canvas::CanvasView::didRender, &view,
                         [this](const pelorama::model::Canvas& canvas) {
                             calls.push_back("did");
                             didCanvas = &canvas;
                             announced.push_back(&canvas);
                         });
    }

    int count(const QString& call) const { return int(calls.count(call)); }

    QStringList calls;
    const pelorama::model::Canvas* willCanvas = nullptr;
    const pelorama::model::Canvas* didCanvas = nullptr;
    // The canvas of each willRender and didRender, in order.
    std::vector<const pelorama::model::Canvas*> announced;
};

// A picture of one colour, pixels wide and high.
inline graphics::Image solidPicture(graphics::Color color, int pixels = 8)
{
    QImage bitmap(pixels, pixels, QImage::Format_RGBA8888_Premultiplied);
    bitmap.fill(color.toQColor());
    return graphics::Image(bitmap);
}

// A shown canvas view of 600 x 800 points on the raster renderer, with what it announces recorded, and a
// main-queue context over an in-memory store for the drawables it shows.
class CanvasViewFixture : public testing::Test, protected DocumentStack
{
protected:
    CanvasViewFixture()
        : DocumentStack(inMemory())
    {
        view = std::make_unique<pelorama::canvas::CanvasView>(nullptr, false);
        view->resize(600, 800);
        delegate.listenTo(*view);
        // Shown, so that resizing lays it out at once.
        view->show();
        QApplication::processEvents();
    }

    // A screenshot of size points painting a solid colour, named for the record.
    pelorama::model::Screenshot* makeBackground(graphics::Size size, graphics::Color color,
                                                const QString& name = "background")
    {
        auto* screenshot = pelorama::model::Screenshot::insertInto(*context);
        screenshot->setSize(size);
        screenshot->setBackgroundType(pelorama::model::BackgroundType::solid);
        screenshot->setSolidBackgroundColor(color);
        screenshot->setObjectName(name);
        return screenshot;
    }

    // An image showing solidPicture(color) stretched over rect, named for the record.
    pelorama::model::Image* makePicture(const graphics::Rect& rect, graphics::Color color,
                                        const QString& name)
    {
        auto* image = pelorama::model::Image::insertInto(*context, solidPicture(color), rect,
                                                         pelorama::model::FillMode::stretch);
        image->setObjectName(name);
        return image;
    }

    // A canvas of size points over the given drawables. The first is a screenshot, on which the others are
    // placed (once), as on every canvas the view is given: its revision is what the view follows. The
    // context reports the new places at once, before the view is given the canvas.
    std::shared_ptr<const pelorama::model::Canvas>
    makeCanvas(graphics::Size size, const std::vector<pelorama::model::Drawable*>& drawables)
    {
        if (auto* screenshot = dynamic_cast<pelorama::model::Screenshot*>(drawables.front())) {
            for (pelorama::model::Drawable* drawable : drawables) {
                if (drawable != drawables.front() && !placed.contains(drawable)) {
                    placed.insert(drawable);
                    pelorama::model::DrawableMapping::insert(*drawable, *screenshot, *context);
                }
            }
            context->processPendingChanges();
        }
        return std::make_shared<const pelorama::model::Canvas>(size, drawables);
    }

    // Runs the event loop until the view shows what it was asked to render.
    void settle()
    {
        QApplication::processEvents();
        EXPECT_TRUE(QTest::qWaitFor([this] { return !view->needsRendering(); }));
        QApplication::processEvents();
    }

    // A widget position (y down) for a view point (y up).
    QPointF position(graphics::Point viewPoint) const { return {viewPoint.x, view->height() - viewPoint.y}; }

    void click(graphics::Point viewPoint)
    {
        const QPointF at = position(viewPoint);
        QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(view.get(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &release);
    }

    void doubleClick(graphics::Point viewPoint)
    {
        click(viewPoint);
        const QPointF at = position(viewPoint);
        QMouseEvent second(QEvent::MouseButtonDblClick, at, view->mapToGlobal(at), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &second);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view.get(), &release);
    }

    void hover(graphics::Point viewPoint)
    {
        const QPointF at = position(viewPoint);
        QMouseEvent move(QEvent::MouseMove, at, view->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view.get(), &move);
    }

    // The view goes first, and its connections with it, then the recording, then the drawables (the
    // document stack, a base).
    RecordingListener delegate;
    std::unique_ptr<pelorama::canvas::CanvasView> view;
    QSet<pelorama::model::Drawable*> placed;
};
