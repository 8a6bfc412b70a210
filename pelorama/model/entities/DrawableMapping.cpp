#include "model/entities/DrawableMapping.h"

#include "foundation/Fatal.h"
#include "model/attributes/AttributeRowOptions.h"
#include "model/attributes/AttributeTable.h"
#include "model/context/ContextOperations.h"
#include "model/entities/Drawable.h"
#include "model/entities/Screenshot.h"
#include "store/EntityDescription.h"
#include "store/FetchRequest.h"
#include "store/ManagedObjectContext.h"
#include "store/ManagedObjectModel.h"

namespace pelorama::model {

namespace {
const QString screenshotKey = QStringLiteral("screenshot");
} // namespace

const AttributeTable& DrawableMapping::attributes()
{
    static const AttributeTable table(
        {attributeRow(drawableTypeAttribute), attributeRow(identifierAttribute)});
    return table;
}

DrawableMapping::DrawableMapping()
    : Entity(attributes())
{}

DrawableMapping* DrawableMapping::insert(Drawable& drawable, Screenshot& screenshot,
                                         store::ManagedObjectContext& context)
{
    auto* object = dynamic_cast<store::ManagedObject*>(&drawable);
    if (!object)
        foundation::fatal("Trying to map drawable that is not a managed object!");
    DrawableMapping* mapping = insertInto(context);
    mapping->setDrawableType(object->entity().name());
    const QVariant identifier = object->valueForKey(uniqueIdentifierAttribute.key());
    if (identifier.typeId() != QMetaType::QString)
        foundation::fatal("A mapped drawable needs a text uniqueIdentifier");
    mapping->setIdentifier(identifier.toString());
    mapping->setScreenshot(&screenshot);
    return mapping;
}

Screenshot* DrawableMapping::screenshot() const
{
    return dynamic_cast<Screenshot*>(relatedObject(screenshotKey));
}

void DrawableMapping::setScreenshot(Screenshot* screenshot)
{
    setRelatedObject(screenshot, screenshotKey);
}

Drawable* DrawableMapping::drawable()
{
    if (m_drawable && m_drawableObject)
        return m_drawable;
    setDrawable(lookUpDrawable());
    return m_drawable;
}

void DrawableMapping::setDrawable(Drawable* drawable)
{
    m_drawable = drawable;
    m_drawableObject = dynamic_cast<QObject*>(drawable);
}

Drawable* DrawableMapping::lookUpDrawable() const
{
    store::ManagedObjectContext* context = managedObjectContext();
    if (!context)
        return nullptr;
    const store::EntityDescription* entity = context->managedObjectModel().entity(drawableType());
    if (!entity || !entity->attribute(uniqueIdentifierAttribute.key()))
        return nullptr;
    const store::Result<QList<store::ManagedObject*>> found = context->execute(store::FetchRequest(
        entity->name(), store::Predicate::equal(uniqueIdentifierAttribute.key(), identifier())));
    if (!found || found->isEmpty())
        return nullptr;
    return dynamic_cast<Drawable*>(found->first());
}

void DrawableMapping::prepareForDeletion()
{
    Entity::prepareForDeletion();
    if (auto* object = dynamic_cast<store::ManagedObject*>(drawable())) {
        if (store::ManagedObjectContext* context = managedObjectContext();
            context && object->managedObjectContext() == context)
            context->deleteObject(object);
    }
    setDrawable(nullptr);
    setIdentifier(QString(""));
}

} // namespace pelorama::model
