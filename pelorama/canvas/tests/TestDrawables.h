#pragma once

#include "graphics/Color.h"
#include "graphics/Image.h"
#include "graphics/Rect.h"
#include "model/Drawable.h"
#include "model/ImageDroppable.h"
#include "model/Selectable.h"

#include <QObject>
#include <QStringList>
#include <optional>

// Drawables of the tests' own, observable like entities: a rectangle filled with a colour. The canvas
// view sees them only through the drawable protocols.
class TestDrawable : public QObject, public pelorama::model::Drawable
{
    Q_OBJECT
    Q_PROPERTY(graphics::Rect rect READ rect WRITE setRect NOTIFY rectChanged)
    Q_PROPERTY(graphics::Color color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged)

public:
    TestDrawable(const graphics::Rect& rect, const graphics::Color& color);

    graphics::Rect rect() const { return m_rect; }
    void setRect(const graphics::Rect& rect);
    graphics::Color color() const { return m_color; }
    void setColor(const graphics::Color& color);
    // Not a redraw key: changing it renders nothing.
    QString name() const { return m_name; }
    void setName(const QString& name);

    void draw(const pelorama::model::Canvas& canvas,
              const pelorama::model::CanvasRenderingContext& context) override;
    QStringList keypathsTriggeringRedraw() const override { return {"rect", "color"}; }
    void prepareForRedrawAfterChangingWithKeyPath(const QString& keyPath) override
    {
        prepared.push_back(keyPath);
    }
    pelorama::model::DrawableSnapshot snapshot() const override
    {
        return pelorama::model::GradientSnapshot{};
    }

    QStringList prepared;
    int draws = 0;

signals:
    void rectChanged();
    void colorChanged();
    void nameChanged();

private:
    graphics::Rect m_rect;
    graphics::Color m_color;
    QString m_name;
};

// Selectable, takes no drops (as a caption).
class TestShape : public TestDrawable, public pelorama::model::Selectable
{
public:
    using TestDrawable::TestDrawable;
    graphics::Rect boundingRect() const override { return rect(); }
};

// Takes dropped image files (as a picture).
class TestPicture : public TestDrawable, public pelorama::model::ImageDroppable
{
public:
    using TestDrawable::TestDrawable;
    graphics::Rect boundingRect() const override { return rect(); }
    void takeDroppedImage(const graphics::ImageFile& file) override;

    // The pictures taken, in order.
    QList<graphics::Image> taken;
};
