#pragma once

#include "model/entities/Entity.h"
#include "model/entities/EntityClass.h"
#include "store/StoreForward.h"

#include <QPointer>
#include <QString>

namespace pelorama::model {

class Drawable;
class Screenshot;

// Places one drawable on one screenshot. A mapping names its drawable by entity name ("drawableType")
// and uniqueIdentifier ("identifier"); no relationship leads to the drawable. The order of a
// screenshot's mappings is its drawing order. Deleting a mapping deletes its drawable.
class DrawableMapping : public Entity, public EntityClass<DrawableMapping>
{
    Q_OBJECT

public:
    DrawableMapping();

    static const AttributeTable& attributes();

    // The attributes the typed accessors below read and write.
    static constexpr Attribute<QString> drawableTypeAttribute{u"drawableType"};
    static constexpr Attribute<QString> identifierAttribute{u"identifier"};

    // A new mapping of drawable, appended to screenshot's mappings (drawn last). drawable must be an
    // entity ("Trying to map drawable that is not a managed object!") with a text "uniqueIdentifier".
    static DrawableMapping* insert(Drawable& drawable, Screenshot& screenshot,
                                   store::ManagedObjectContext& context);

    QString drawableType() const { return value(drawableTypeAttribute); }
    void setDrawableType(const QString& type) { setValue(drawableTypeAttribute, type); }
    QString identifier() const { return value(identifierAttribute); }
    void setIdentifier(const QString& identifier) { setValue(identifierAttribute, identifier); }
    Screenshot* screenshot() const;
    void setScreenshot(Screenshot* screenshot);

    // The mapped drawable: on first use the object of entity drawableType whose "uniqueIdentifier" equals
    // identifier, looked up in the mapping's context and then kept. Nullptr (and looked up again on the
    // next read) when there is no context, no such entity or object, or the object is no Drawable. A kept
    // drawable is not looked up again when drawableType or identifier change.
    Drawable* drawable();
    // Replaces the kept drawable (nullptr: look up again on the next read).
    void setDrawable(Drawable* drawable);

protected:
    // Deletes the drawable from the context, forgets it and empties identifier.
    void prepareForDeletion() override;

private:
    Drawable* lookUpDrawable() const;

    QPointer<QObject> m_drawableObject;
    Drawable* m_drawable = nullptr;
};

} // namespace pelorama::model
