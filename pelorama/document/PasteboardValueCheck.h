#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace pelorama::model {
struct AttributeRow;
} // namespace pelorama::model

namespace pelorama::document {

// Whether a value read from a pasteboard may stand in an attribute, by the attribute's row: of the kind
// the row holds and within its range. Text for text, at most the row's maximum length; an integer in the
// row's range (an enumeration's cases, the platform's text alignments) for integers; a finite number for
// reals (an integer is taken as a real); data for bytes; a colour or a font; a picture that is not empty.
// Geometry kept as text must read back as finite numbers, a rectangle's far edges must be finite too, a
// size must have no negative numbers. Computed keys take nothing.
//
// Answers the value as it is to be stored, or nothing when it may not stand there.
std::optional<QVariant> checkedPasteboardValue(const model::AttributeRow& attribute, const QVariant& value);

// Why checkedPasteboardValue refuses value for an attribute of the entity, in words for the user: a text
// longer than the attribute takes (a caption's, model::TextRect::maximumTextLength) says so and how long
// it is; anything else is "The <attribute> of a <entity> is not valid."
QString pasteboardValueProblem(const QString& entityName, const model::AttributeRow& attribute,
                               const QVariant& value);

} // namespace pelorama::document
