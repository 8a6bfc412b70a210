#include "manageddocument/PropertyListResource.h"

#include "foundation/PropertyListSerialization.h"

namespace manageddocument {

PropertyListResource::PropertyListResource(QString filename)
    : m_filename(std::move(filename))
{}

appkit::DocumentResult<QByteArray> PropertyListResource::save() const
{
    auto data = foundation::PropertyListSerialization::dataFromPropertyList(m_dictionary);
    if (!data)
        return appkit::documentFailure("It holds a value that cannot be written in a property list (" +
                                       data.error().message + ").");
    return *data;
}

void PropertyListResource::reset()
{
    m_dictionary.clear();
}

appkit::DocumentResult<> PropertyListResource::load(const QByteArray& bytes)
{
    auto value = foundation::PropertyListSerialization::propertyListFromData(bytes);
    if (!value)
        return appkit::documentFailure("It is not a property list (" + value.error().message + ").");
    if (value->typeId() == QMetaType::QVariantMap)
        m_dictionary = value->toMap();
    else
        m_dictionary.clear();
    return {};
}

} // namespace manageddocument
