#pragma once

#include <QString>
#include <QVariant>

namespace pelorama::model {
struct AttributeRow;
} // namespace pelorama::model

namespace pelorama::document {

// A value read from a pasteboard stands in an attribute when the attribute's row takes it
// (model::AttributeRow::checkedValue), by the rule the inspector's writes follow too. Why it does not, in
// words for the user: a text longer than the attribute takes (a caption's, model::TextRect::
// maximumTextLength) says so and how long it is, a caption's translations name the one at fault, and
// anything else is "The <attribute> of a <entity> is not valid."
QString pasteboardValueProblem(const QString& entityName, const model::AttributeRow& attribute,
                               const QVariant& value);

} // namespace pelorama::document
