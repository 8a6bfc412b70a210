#include "TestDocument.h"

#include "TestPictures.h"
#include "model/entities/Asset.h"
#include "model/entities/DeviceImage.h"
#include "model/entities/DrawableMapping.h"
#include "model/entities/Image.h"
#include "model/entities/TextRect.h"
#include "store/FetchRequest.h"

#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>

using namespace pelorama;

model::Screenshot& TestDocument::addScreenshot(const QString& name, double order)
{
    model::Screenshot& screenshot = *model::Screenshot::insertInto(*m_stack.context);
    screenshot.setName(name);
    screenshot.setOrder(order);
    screenshot.setSize({60, 40});
    m_stack.context->processPendingChanges();
    return screenshot;
}

model::Screenshot& TestDocument::addFilledScreenshot(const QString& name, double order)
{
    model::Screenshot& screenshot = addScreenshot(name, order);
    model::TextRect& caption =
        *model::TextRect::insertInto(*m_stack.context, {{4, 30}, {50, 8}}, "**Hello**",
                                     graphics::TextAlignment::center, model::VerticalAlignment::top);
    model::DrawableMapping::insert(caption, screenshot, *m_stack.context);
    model::Asset& asset = *model::Asset::insertInto(*m_stack.context, smallPng());
    model::Image& image = *model::Image::insertInto(*m_stack.context, graphics::Image::fromData(smallPng()),
                                                    {{2, 2}, {20, 10}}, model::FillMode::aspectFit);
    image.setAssetIdentifier(asset.uniqueIdentifier());
    model::DrawableMapping::insert(image, screenshot, *m_stack.context);
    model::DeviceImage& device = *model::DeviceImage::insertInto(*m_stack.context);
    device.setAssetIdentifier(asset.uniqueIdentifier());
    device.setImage(graphics::Image::fromData(smallPng()));
    device.setScaleFactor(0.25);
    model::DrawableMapping::insert(device, screenshot, *m_stack.context);
    m_stack.context->processPendingChanges();
    return screenshot;
}

QStringList TestDocument::names() const
{
    QStringList names;
    for (model::Screenshot* screenshot : arrangedScreenshots())
        names.append(screenshot->name());
    return names;
}

QList<model::Screenshot*> TestDocument::arrangedScreenshots() const
{
    const auto found = m_stack.context->execute(model::Screenshot::fetchRequest());
    EXPECT_TRUE(found.hasValue());
    QList<model::Screenshot*> screenshots;
    for (store::ManagedObject* object : *found)
        screenshots.append(dynamic_cast<model::Screenshot*>(object));
    std::stable_sort(screenshots.begin(), screenshots.end(),
                     [](auto* a, auto* b) { return a->order() < b->order(); });
    return screenshots;
}

void TestDocument::removeScreenshot(model::Screenshot& screenshot)
{
    m_stack.context->deleteObject(&screenshot);
    m_stack.context->processPendingChanges();
}

int TestDocument::countOf(const QString& entityName) const
{
    const auto found = m_stack.context->execute(store::FetchRequest(entityName));
    return found ? int(found->size()) : -1;
}

QByteArray smallPng()
{
    return solidPng(3, 2, QColor(200, 30, 60), QImage::Format_ARGB32);
}
