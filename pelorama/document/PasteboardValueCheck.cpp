#include "document/PasteboardValueCheck.h"

#include "model/attributes/AttributeRow.h"
#include "model/languages/Translations.h"

#include <limits>

namespace pelorama::document {

QString pasteboardValueProblem(const QString& entityName, const model::AttributeRow& attribute,
                               const QVariant& value)
{
    // A caption's translations are one text holding many: their fault is one of them, not the length
    // of the whole.
    if (attribute.kind == model::AttributeKind::translations) {
        if (std::optional<QString> refusal = model::TranslationsText::refusal(
                value, attribute.maximumLength.value_or(std::numeric_limits<int>::max())))
            return *refusal;
    }
    if (attribute.maximumLength && value.typeId() == QMetaType::QString &&
        value.toString().size() > *attribute.maximumLength)
        return QStringLiteral("The text of a caption is %1 characters long; a caption takes at most %2.")
            .arg(value.toString().size())
            .arg(*attribute.maximumLength);
    return QStringLiteral("The %1 of a %2 is not valid.").arg(attribute.key, entityName);
}

} // namespace pelorama::document
