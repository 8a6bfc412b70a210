#pragma once

#include "graphics/Color.h"
#include "graphics/Size.h"
#include "model/entities/BackgroundType.h"
#include "model/entities/Drawable.h"
#include "model/entities/Entity.h"
#include "model/entities/EntityClass.h"
#include "model/rendering/Canvas.h"
#include "store/StoreForward.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

namespace pelorama::model {

class DrawableMapping;
class StockGradient;

// One screenshot of a document: its name (also its exported file's name), its place in the document's
// list, its canvas size in points, its background (a solid colour, or a vertical gradient from
// gradientStartColor at the bottom to gradientEndColor at the top) and the drawables placed on it, in
// drawing order, through its drawableMappings. It is the first drawable of its own canvas: it paints the
// background.
//
// Keys: "name", "order", "size" (a graphics::Size to key-value coding, stored as text), "backgroundType"
// (the raw value), "solidBackgroundColor", "gradientStartColor", "gradientEndColor" (graphics::Color),
// "drawableMappings" (ordered; deleting a screenshot deletes its mappings and so their drawables) and the
// computed "stockGradient" (a const StockGradient*, nil for none), which changes with the two gradient
// colours.
class Screenshot : public Entity, public Drawable, public EntityClass<Screenshot>
{
    Q_OBJECT

public:
    Screenshot();

    // Its attributes. The inspector shows "Design" (Name, Background: Solid color or Gradient), "Gradients"
    // (the stock gradient picker), "Colors" (Top: the end colour, Bottom: the start colour) and
    // "Background Color"; "Gradients" and "Colors" only for a gradient background, "Background Color" only
    // for a solid one.
    static const AttributeTable& attributes();

    // The attributes the typed accessors below read and write.
    static constexpr Attribute<QString> nameAttribute{u"name"};
    static constexpr Attribute<double> orderAttribute{u"order"};
    static constexpr Attribute<graphics::Size> sizeAttribute{u"size"};
    static constexpr Attribute<BackgroundType> backgroundTypeAttribute{u"backgroundType"};
    static constexpr Attribute<graphics::Color> gradientEndColorAttribute{u"gradientEndColor"};
    static constexpr Attribute<graphics::Color> gradientStartColorAttribute{u"gradientStartColor"};
    static constexpr Attribute<graphics::Color> solidBackgroundColorAttribute{u"solidBackgroundColor"};

    // insertInto makes a new screenshot named "New Screenshot" with a gradient background in the first stock
    // gradient's colours and a solid colour halfway between them. Its size (0 x 0 until set) and order are
    // not set.

    QString name() const { return value(nameAttribute); }
    void setName(const QString& name) { setValue(nameAttribute, name); }
    double order() const { return value(orderAttribute); }
    void setOrder(double order) { setValue(orderAttribute, order); }
    // 0 x 0 when missing.
    graphics::Size size() const { return value(sizeAttribute); }
    void setSize(graphics::Size size) { setValue(sizeAttribute, size); }
    // Solid when missing or unknown.
    BackgroundType backgroundType() const { return value(backgroundTypeAttribute); }
    void setBackgroundType(BackgroundType type) { setValue(backgroundTypeAttribute, type); }
    graphics::Color solidBackgroundColor() const { return value(solidBackgroundColorAttribute); }
    void setSolidBackgroundColor(const std::optional<graphics::Color>& color)
    {
        setValue(solidBackgroundColorAttribute, color);
    }
    graphics::Color gradientStartColor() const { return value(gradientStartColorAttribute); }
    void setGradientStartColor(const std::optional<graphics::Color>& color)
    {
        setValue(gradientStartColorAttribute, color);
    }
    graphics::Color gradientEndColor() const { return value(gradientEndColorAttribute); }
    void setGradientEndColor(const std::optional<graphics::Color>& color)
    {
        setValue(gradientEndColorAttribute, color);
    }
    QList<DrawableMapping*> drawableMappings() const;

    // The first stock gradient whose two colours equal the gradient colours; nullptr when none does.
    const StockGradient* stockGradient() const;
    // Copies the gradient's start and then end colour into the gradient colours; nullptr changes nothing.
    // The background type and solid colour stay.
    void setStockGradient(const StockGradient* gradient);

    // The canvas of the screenshot's size: the screenshot itself, then the drawable of each mapping in
    // order. Mappings whose drawable cannot be found are left out.
    Canvas makeCanvas();

    // Refuses, with ValidationError "The name of the screenshot must be unique", a name that another
    // screenshot of the context already has (names compare as canonically equivalent Unicode). Valid
    // without a context or for a value that is not text; a failing fetch is the result. Saves run it.
    store::Result<void> validateName(const QVariant& proposedName) const;

    // Gives the screenshot a name no other screenshot of its context has: while the name is taken, a
    // last " "-separated word that is a decimal integer (optional sign, digits) is raised by one,
    // otherwise " 2" is appended ("Shot 9" -> "Shot 10", "Intro" -> "Intro 2", "" -> " 2"). The name is
    // written also when it did not change. Does nothing without a context; a failing fetch is the result
    // and leaves the name unchanged.
    store::Result<void> validateProposedName();
    // The same for screenshots of one context, in turn, as if each came into it after the one before
    // had its name; the names are read once for all of them.
    static store::Result<void> validateProposedNames(const QList<Screenshot*>& screenshots);

    // Its background (BackgroundSnapshot).
    DrawableSnapshot snapshot() const override;

protected:
    store::Result<void> validateValue(const QVariant& value, const QString& key) override;

private:
    // How many screenshots of the context have each name, by its comparable form.
    store::Result<QHash<QString, int>> screenshotNameCounts() const;
};

} // namespace pelorama::model
