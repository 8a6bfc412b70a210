// Every picture of a screenshot (the canvas view, its list thumbnail, an export) shows the model as it is
// after any change of an attribute, its undo and its redo, whether or not the screenshot was on the canvas
// meanwhile: each equals the same render of a copy of the document freshly opened from its saved store.
// And the canvas renders once for each change that its attribute table says changes the pixels, and for
// no other. The attributes are those of each entity's attribute table.
#include "TestPictures.h"
#include "app/list/ScreenshotListModel.h"
#include "app/list/ScreenshotListView.h"
#include "canvas/CanvasView.h"
#include "document/ScreenshotArrangement.h"
#include "foundation/KeyValueCoding.h"
#include "model/attributes/AttributeTable.h"
#include "model/devices/DeviceFamily.h"
#include "model/devices/DeviceVariant.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DocumentModel.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/Screenshot.h"
#include "model/entities/StockGradient.h"
#include "model/entities/TextRect.h"
#include "model/rendering/Canvas.h"
#include "model/rendering/DetachedCanvas.h"
#include "model/rendering/ExportPicture.h"
#include "model/selection/DocumentSelection.h"
#include "store/ManagedObjectContext.h"
#include "store/PersistentStoreCoordinator.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <QUrl>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

using namespace pelorama;

namespace {

// A picture with transparent corners, so that its directional shadow follows a traced outline.
QByteArray pictureFile(const QColor& colour, const QSize& size)
{
    QImage pixels(size, QImage::Format_ARGB32);
    pixels.fill(Qt::transparent);
    {
        QPainter painter(&pixels);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(colour);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRect(QPoint(0, 0), size));
        painter.fillRect(size.width() / 4, size.height() / 4, size.width() / 2, size.height() / 8, Qt::white);
    }
    return pngData(pixels);
}

// Another value of the same kind, which draws differently wherever the value is drawn at all.
QVariant changed(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QString>())
        return value.toString() + QStringLiteral(" *changed*");
    if (value.metaType() == QMetaType::fromType<double>())
        return value.toDouble() == 0 ? 0.5 : value.toDouble() * 0.75;
    if (value.metaType() == QMetaType::fromType<qint64>()) // enumerations: another case
        return QVariant::fromValue(qint64(value.toLongLong() == 0 ? 1 : 0));
    if (value.metaType() == QMetaType::fromType<graphics::Rect>()) {
        const graphics::Rect rect = value.value<graphics::Rect>();
        return QVariant::fromValue(
            graphics::Rect(rect.minX() + 7, rect.minY() - 5, rect.width() * 0.8, rect.height() * 1.1));
    }
    if (value.metaType() == QMetaType::fromType<graphics::Size>()) {
        const graphics::Size size = value.value<graphics::Size>();
        return QVariant::fromValue(graphics::Size{size.width + 12, size.height * 0.5});
    }
    if (value.metaType() == QMetaType::fromType<graphics::Point>()) {
        const graphics::Point point = value.value<graphics::Point>();
        return QVariant::fromValue(graphics::Point{point.x + 13, point.y - 9});
    }
    if (value.metaType() == QMetaType::fromType<graphics::Color>()) {
        const graphics::Color color = value.value<graphics::Color>();
        return QVariant::fromValue(graphics::Color{1 - color.red, 1 - color.green, 0.5 * color.blue + 0.25,
                                                   0.5 * color.alpha + 0.5});
    }
    if (value.metaType() == QMetaType::fromType<graphics::Font>()) {
        const graphics::Font font = value.value<graphics::Font>();
        return QVariant::fromValue(graphics::Font(QStringLiteral("Menlo-Regular"), font.pointSize() * 0.8));
    }
    if (value.metaType() == QMetaType::fromType<const model::DeviceFamily*>()) {
        const std::vector<model::DeviceFamily>& all = model::DeviceFamily::all();
        const auto* family = value.value<const model::DeviceFamily*>();
        return QVariant::fromValue(&all[size_t(family - all.data() + 1) % all.size()]);
    }
    if (value.metaType() == QMetaType::fromType<const model::StockGradient*>()) {
        const auto& all = model::StockGradient::all();
        const auto at = std::find(all.begin(), all.end(), value.value<const model::StockGradient*>());
        return QVariant::fromValue(at == all.end() ? all.front()
                                                   : all[size_t(at - all.begin() + 1) % all.size()]);
    }
    if (value.metaType() == QMetaType::fromType<const model::DeviceVariant*>()) {
        const auto* variant = value.value<const model::DeviceVariant*>();
        for (const model::DeviceFamily& family : model::DeviceFamily::all()) {
            const auto& variants = family.variants();
            for (size_t i = 0; i < variants.size(); ++i) {
                if (&variants[i] == variant)
                    return QVariant::fromValue(&variants[(i + 1) % variants.size()]);
            }
        }
    }
    ADD_FAILURE() << "no other value for a " << value.metaType().name();
    return value;
}

QImage pixels(const graphics::Image& image)
{
    return image.representations().empty() ? QImage() : image.representations().front().bitmap();
}

// Whether two pictures differ by at most one level in any channel of any pixel. Thumbnails render on the
// pool, where Qt's painting does in one piece what it splits over the pool elsewhere, rounding a level
// differently at the seams.
bool withinALevel(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        const uchar* rowA = a.constScanLine(y);
        const uchar* rowB = b.constScanLine(y);
        for (qsizetype x = 0; x < a.bytesPerLine(); ++x) {
            if (std::abs(int(rowA[x]) - int(rowB[x])) > 1)
                return false;
        }
    }
    return true;
}

class UndoRenderingTest : public testing::TestWithParam<std::string>
{
protected:
    void SetUp() override
    {
        storePath = folder.filePath("Database");
        coordinator = std::make_shared<store::PersistentStoreCoordinator>(model::documentModel());
        ASSERT_TRUE(coordinator->addPersistentStore(store::PersistentStore::Type::sqlite, storePath));
        context = std::make_unique<store::ManagedObjectContext>(
            store::ManagedObjectContext::ConcurrencyType::mainQueue);
        context->setPersistentStoreCoordinator(coordinator);
        context->setUndoStack(&undo);

        shown = model::Screenshot::insertInto(*context);
        shown->setName("Shown");
        shown->setOrder(0);
        shown->setSize({240, 160});
        other = model::Screenshot::insertInto(*context);
        other->setName("Other");
        other->setOrder(1);
        other->setSize({120, 80});

        image = model::Image::insertInto(*context);
        image->setRect({14, 20, 80, 60});
        image->setFillMode(model::FillMode::aspectFill);
        image->setShadowType(model::ShadowType::directional);
        image->setShadowAngle(300);
        image->setShadowDepth(0.05);
        ASSERT_TRUE(image->processDroppedUrl(file("image.png", pictureFile(Qt::red, {90, 60}))));

        caption =
            model::TextRect::insertInto(*context, {100, 94, 126, 60}, "Hello **there**",
                                        graphics::TextAlignment::center, model::VerticalAlignment::center);
        caption->setFont(graphics::Font("HelveticaNeue", 20));
        caption->setColor(graphics::Color{1, 0.9, 0.2, 1});
        caption->setShadowType(model::ShadowType::directional);
        caption->setShadowDepth(0.04);
        caption->setShadowAngle(250);

        device = model::DeviceImage::insertInto(*context, {186, 74}, 0.07);
        device->setDeviceFamily(*model::DeviceFamily::findWithIdentifier("iPhone"));
        device->setDeviceVariant(*device->deviceFamily().findVariantWithIdentifier("iPhone7Gold"));
        device->setShadowType(model::ShadowType::drop);
        device->setShadowDistance(4);
        device->setShadowBlurRadius(3);
        device->setShadowDepth(0.1);
        ASSERT_TRUE(device->processDroppedUrl(file("capture.png", pictureFile(Qt::darkCyan, {75, 133}))));

        for (model::Drawable* drawable : std::initializer_list<model::Drawable*>{image, caption, device})
            model::DrawableMapping::insert(*drawable, *shown, *context);
        ASSERT_TRUE(context->save());
        settle();
        undo.clear();

        canvasView = std::make_unique<canvas::CanvasView>(nullptr, false);
        canvasView->resize(180, 120);
        canvasView->show();
        arrangement = std::make_unique<document::ScreenshotArrangement>(*context, listSelection);
        list = std::make_unique<app::ScreenshotListModel>(*arrangement);
        listView = std::make_unique<app::ScreenshotListView>(*list, listSelection);
        listView->resize(200, 400);
        listView->show();
        settle();
    }

    QUrl file(const QString& name, const QByteArray& contents)
    {
        QFile out(folder.filePath(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(contents);
        return QUrl::fromLocalFile(out.fileName());
    }

    // Lets the context report its changes and the views render what they were asked for.
    void settle()
    {
        for (int pass = 0; pass < 4; ++pass)
            QApplication::processEvents();
        if (canvasView) {
            ASSERT_TRUE(QTest::qWaitFor([this] { return !canvasView->needsRendering(); }));
        }
        if (listView) {
            ASSERT_TRUE(QTest::qWaitFor([this] { return listView->showsCurrentThumbnails(); }));
        }
    }

    // Shows a screenshot on the canvas, as selecting it in the list does.
    void select(model::Screenshot& screenshot)
    {
        canvasView->setCanvas(std::make_shared<model::Canvas>(screenshot.makeCanvas()));
        settle();
    }

    // The drawable of the shown screenshot named by the test's parameter.
    model::Entity* object() const
    {
        const std::string& entity = GetParam();
        if (entity == "Screenshot")
            return shown;
        if (entity == "Image")
            return image;
        if (entity == "TextRect")
            return caption;
        return device;
    }

    void change(store::ManagedObject& object, const QString& key)
    {
        if (key == "image") {
            auto* droppable = dynamic_cast<model::ImageDroppable*>(&object);
            ASSERT_NE(droppable, nullptr);
            ASSERT_TRUE(droppable->processDroppedUrl(file("other.png", pictureFile(Qt::blue, {40, 70}))));
            return;
        }
        if (key == "translations") {
            auto& caption = dynamic_cast<model::TextRect&>(object);
            model::Translations translations = caption.translations();
            translations.insert("de", translations.value("de", caption.text()) + " *geändert*");
            caption.setTranslations(translations);
            return;
        }
        foundation::setValueForKey(&object, changed(foundation::valueForKey(&object, key)), key);
    }

    // Saves, opens the saved store afresh and compares every picture of the shown screenshot with the
    // copy's.
    void expectPicturesOfAFreshCopy(const std::string& step)
    {
        ASSERT_TRUE(context->save()) << step;
        auto freshCoordinator = std::make_shared<store::PersistentStoreCoordinator>(model::documentModel());
        ASSERT_TRUE(freshCoordinator->addPersistentStore(store::PersistentStore::Type::sqlite, storePath));
        store::ManagedObjectContext fresh(store::ManagedObjectContext::ConcurrencyType::mainQueue);
        fresh.setPersistentStoreCoordinator(freshCoordinator);
        model::Screenshot* copy = nullptr;
        const QList<store::ManagedObject*> screenshots =
            fresh.execute(model::Screenshot::fetchRequest()).value();
        for (store::ManagedObject* found : screenshots) {
            if (found->objectID().primaryKey() == shown->objectID().primaryKey())
                copy = qobject_cast<model::Screenshot*>(found);
        }
        ASSERT_NE(copy, nullptr) << step;
        const model::DetachedCanvas copied(copy->makeCanvas());

        EXPECT_EQ(model::ExportPicture::render(model::DetachedCanvas(shown->makeCanvas())),
                  model::ExportPicture::render(model::DetachedCanvas(copy->makeCanvas())))
            << step << ": export";
        const graphics::Image* thumbnail = listView->thumbnails().picture(*shown);
        ASSERT_TRUE(thumbnail) << step;
        EXPECT_TRUE(withinALevel(pixels(*thumbnail),
                                 pixels(copied.render(model::CanvasRenderingMode::thumbnail, {150, 100}, 2))))
            << step << ": thumbnail";

        const bool onCanvas = canvasView->canvas() && !canvasView->canvas()->drawables().empty() &&
                              canvasView->canvas()->drawables().front() == shown;
        if (!onCanvas)
            select(*shown);
        ASSERT_TRUE(canvasView->contents()) << step;
        EXPECT_EQ(pixels(*canvasView->contents()),
                  pixels(copied.render(model::CanvasRenderingMode::canvasView, canvasView->boundsSize(), 2)))
            << step << ": canvas";
        if (!onCanvas)
            select(*other);
    }

    // Sets key, undoes and redoes it with the shown screenshot on the canvas and then off it, comparing
    // every picture with a fresh copy's each time; notes key in drawn when setting it changed the export.
    void exercise(store::ManagedObject& object, const QString& key, QSet<QString>& drawn)
    {
        for (const bool onCanvas : {true, false}) {
            const std::string where = (key + (onCanvas ? " on the canvas" : " off the canvas")).toStdString();
            select(onCanvas ? *shown : *other);
            const QImage before = model::ExportPicture::render(model::DetachedCanvas(shown->makeCanvas()));
            change(object, key);
            settle();
            ASSERT_EQ(undo.count(), 1) << where;
            if (model::ExportPicture::render(model::DetachedCanvas(shown->makeCanvas())) != before)
                drawn.insert(key);
            expectPicturesOfAFreshCopy("set " + where);
            undo.undo();
            settle();
            expectPicturesOfAFreshCopy("undo " + where);
            undo.redo();
            settle();
            expectPicturesOfAFreshCopy("redo " + where);
            undo.undo();
            settle();
            undo.clear();
            if (HasFatalFailure())
                return;
        }
    }

    // A solid background for a gradient one and the reverse; drop shadows for directional ones and
    // the reverse.
    void useTheOtherBackgroundAndShadows()
    {
        shown->setBackgroundType(shown->backgroundType() == model::BackgroundType::gradient
                                     ? model::BackgroundType::solid
                                     : model::BackgroundType::gradient);
        for (model::Shadowable* shadowed : std::initializer_list<model::Shadowable*>{image, caption, device})
            shadowed->setShadowType(shadowed->shadowType() == model::ShadowType::drop
                                        ? model::ShadowType::directional
                                        : model::ShadowType::drop);
        ASSERT_TRUE(context->save());
        settle();
        undo.clear();
    }

    QTemporaryDir folder;
    QString storePath;
    std::shared_ptr<store::PersistentStoreCoordinator> coordinator;
    std::unique_ptr<store::ManagedObjectContext> context;
    QUndoStack undo;
    model::Screenshot* shown = nullptr;
    model::Screenshot* other = nullptr;
    model::Image* image = nullptr;
    model::TextRect* caption = nullptr;
    model::DeviceImage* device = nullptr;
    std::unique_ptr<canvas::CanvasView> canvasView;
    // The list shows the thumbnails of both screenshots.
    model::DocumentSelection listSelection;
    std::unique_ptr<document::ScreenshotArrangement> arrangement;
    std::unique_ptr<app::ScreenshotListModel> list;
    std::unique_ptr<app::ScreenshotListView> listView;
};

// Identifiers link objects rather than draw; a screenshot's size is given once, when it is made.
const QStringList unchanging{"uniqueIdentifier", "assetIdentifier", "size"};
// Shown only in their own languages, not in the base language these pictures are drawn in.
const QStringList inOtherLanguages{"translations"};

// Whether the table says a change of key may change the pixels: its row's, or that of a key whose value
// follows it.
bool changesPixels(const model::AttributeTable& table, const QString& key)
{
    bool changes = table.row(key)->changesPixels;
    for (const QString& dependent : table.keysDependingOn(key))
        changes = changes || table.row(dependent)->changesPixels;
    return changes;
}

TEST_P(UndoRenderingTest, EveryAttributeSetUndoneAndRedoneDrawsAsAFreshCopyOnAndOffTheCanvas)
{
    model::Entity& changing = *object();
    QStringList keys;
    for (const model::AttributeRow& row : changing.attributeTable().rows()) {
        if (!unchanging.contains(row.key) && !inOtherLanguages.contains(row.key))
            keys.append(row.key);
    }
    QSet<QString> drawn; // the attributes whose change showed in the export
    for (const QString& key : keys) {
        exercise(changing, key, drawn);
        if (HasFatalFailure())
            return;
    }
    // Some attributes draw only with the other background or shadow: those again with it.
    useTheOtherBackgroundAndShadows();
    for (const QString& key : keys) {
        if (!drawn.contains(key))
            exercise(changing, key, drawn);
        if (HasFatalFailure())
            return;
    }

    // Whatever makes the canvas draw again was changed in a way that shows, and whatever shows makes it
    // draw again.
    for (const QString& key : model::pixelKeys(changing))
        EXPECT_TRUE(drawn.contains(key) || inOtherLanguages.contains(key)) << key.toStdString();
    for (const QString& key : drawn)
        EXPECT_TRUE(changesPixels(changing.attributeTable(), key)) << key.toStdString();
}

TEST_P(UndoRenderingTest, EveryChangeOfThePixelsRendersTheCanvasOnceAndNoOtherChangeDoes)
{
    model::Entity& changing = *object();
    const model::AttributeTable& table = changing.attributeTable();
    int renders = 0;
    const QMetaObject::Connection counting =
        QObject::connect(canvasView.get(), &canvas::CanvasView::didRender, [&renders] { ++renders; });
    select(*shown);
    for (const model::AttributeRow& row : table.rows()) {
        renders = 0;
        change(changing, row.key);
        settle();
        EXPECT_EQ(renders, changesPixels(table, row.key) ? 1 : 0) << row.key.toStdString();
        undo.undo();
        settle();
        undo.clear();
        if (HasFatalFailure())
            return;
    }
    QObject::disconnect(counting);
}

INSTANTIATE_TEST_SUITE_P(Entities, UndoRenderingTest,
                         testing::Values("Screenshot", "Image", "TextRect", "DeviceImage"),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

} // namespace
