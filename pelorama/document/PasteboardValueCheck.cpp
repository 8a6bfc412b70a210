#include "document/PasteboardValueCheck.h"

#include "model/attributes/AttributeRow.h"

namespace pelorama::document {

QString pasteboardValueProblem(const QString& entityName, const model::AttributeRow& attribute,
                               const QVariant& value)
{
    if (attribute.maximumLength && value.typeId() == QMetaType::QString &&
        value.toString().size() > *attribute.maximumLength)
        return QStringLiteral("The text of a caption is %1 characters long; a caption takes at most %2.")
            .arg(value.toString().size())
            .arg(*attribute.maximumLength);
    return QStringLiteral("The %1 of a %2 is not valid.").arg(attribute.key, entityName);
}

} // namespace pelorama::document
