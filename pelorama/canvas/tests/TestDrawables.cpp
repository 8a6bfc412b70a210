#include "TestDrawables.h"

#include "graphics/GraphicsContext.h"
#include "model/CanvasRenderingContext.h"

#include <QFile>

TestDrawable::TestDrawable(const graphics::Rect& rect, const graphics::Color& color)
    : m_rect(rect)
    , m_color(color)
{}

void TestDrawable::setRect(const graphics::Rect& rect)
{
    m_rect = rect;
    emit rectChanged();
}

void TestDrawable::setColor(const graphics::Color& color)
{
    m_color = color;
    emit colorChanged();
}

void TestDrawable::setName(const QString& name)
{
    m_name = name;
    emit nameChanged();
}

void TestDrawable::draw(const pelorama::model::Canvas&,
                        const pelorama::model::CanvasRenderingContext& context)
{
    ++draws;
    context.graphicsContext.save();
    context.graphicsContext.setFillColor(m_color);
    context.graphicsContext.fillRect(m_rect);
    context.graphicsContext.restore();
}

void TestPicture::takeDroppedImage(const graphics::ImageFile& file)
{
    taken.push_back(file.image());
}
