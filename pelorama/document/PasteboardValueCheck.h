#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace store {
struct AttributeDescription;
} // namespace store

namespace pelorama::document {

// Whether a value read from a pasteboard may stand in an attribute: of the kind the attribute holds and
// in its range. Text for text attributes; an integer within the attribute's width (and, for the
// document's enumerations, one of their cases) for integer attributes; a finite number for reals (an
// integer is taken as a real); data for binary attributes; a colour, or a font for "font", for archived
// attributes; a picture for a transient one. Geometry kept as text ("rect", "position", "size") must read
// back as finite numbers, a rectangle's far edges must be finite too, a size must have no negative
// numbers.
//
// Answers the value as it is to be stored, or nothing when it may not stand there.
std::optional<QVariant> checkedPasteboardValue(const store::AttributeDescription& attribute,
                                               const QVariant& value);

// Why checkedPasteboardValue refuses value for an attribute of the entity, in words for the user: a
// caption's text longer than a caption takes (model::TextRect::maximumTextLength) says so and how long
// it is; anything else is "The <attribute> of a <entity> is not valid."
QString pasteboardValueProblem(const QString& entityName, const store::AttributeDescription& attribute,
                               const QVariant& value);

} // namespace pelorama::document
