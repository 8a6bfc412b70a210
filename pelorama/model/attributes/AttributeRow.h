#pragma once

#include "model/attributes/AttributeKind.h"
#include "model/attributes/InspectorRow.h"
#include "model/attributes/NumberRange.h"
#include "store/AttributeDescription.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

namespace pelorama::model {

class Entity;

// One row of an entity's attribute table: everything the model, the canvas, the inspector and the
// pasteboard need to know of one attribute. Rows are made with attributeRow() (AttributeRowOptions.h)
// from the entity's typed Attribute constant.
struct AttributeRow
{
    QString key;
    AttributeKind kind = AttributeKind::text;
    // Enumerations: the raw values run 0 ..< caseCount.
    qint64 caseCount = 0;
    // Integers (an enumeration's raw values, the text alignments): the raw values that name a case.
    // Key-value coding and paste take only these; a stored integer beyond them reads as the first case.
    // Numbers take any value (see checkedValue).
    NumberRange range{0, 0};
    // Whether a change of the value changes what the entity draws (so a shown canvas renders again).
    bool changesPixels = false;
    // The stored value a new object gets on insertion; empty for none.
    std::function<QVariant()> insertionValue;
    // Text: the most characters (UTF-16 code units) a paste or the inspector's editor gives it; of
    // translations, each text.
    std::optional<int> maximumLength;
    // Keys whose every store changes this key's value too, so that its observers hear of it.
    QStringList dependsOn;
    // The inspector rows that show the attribute, in order (usually one; none for attributes the
    // inspector does not show).
    std::vector<InspectorRow> inspector;
    // Key-value coding of values the store keeps in another form (geometry as a graphics value,
    // enumerations as their raw value read through the typed accessor) or not at all (computed keys).
    // Empty for attributes key-value coding reads and writes as stored.
    std::function<QVariant(const Entity&)> valueForKey;
    std::function<void(Entity&, const QVariant&)> setValueForKey;

    // Added after documents were written without it: their stores lack its column until their next save,
    // and read it as missing.
    bool addedLater = false;
    // Looked up by value: stores keep an index on it (made at the first save of a store without one).
    bool indexed = false;

    // Whether the document's data model (documentModel) has the attribute (transient or stored); computed
    // keys it has not.
    bool isModelAttribute() const { return kind != AttributeKind::computed; }
    // How the data model declares it: type, value transformer, transient.
    store::AttributeType storedType() const;
    QString valueTransformerName() const;
    bool isTransient() const { return kind == AttributeKind::picture; }

    // Whether the attribute holds an integer: an enumeration's raw value or a text alignment.
    bool holdsInteger() const
    {
        return kind == AttributeKind::enumeration || kind == AttributeKind::textAlignment;
    }

    // The one rule of what the attribute takes, whatever offers it (a paste, the inspector through
    // key-value coding): value as it is to be stored, when it is of the row's kind (and an integer within
    // its range); nothing otherwise. Integers (of any width, or whole doubles) within the range for
    // integers, stored as 64-bit integers; any number (infinities too, but not NaN) for numbers, stored
    // as doubles, however large: drawing bounds what it does with it; text of at most the
    // maximum length; geometry as text that reads back as finite numbers (a rectangle's far edges too, a
    // size not negative), stored in the form the document writes; a colour whose components lie within
    // 0 ... 1; data or a font as themselves; a picture that is not empty; translations in their stored form
    // (TranslationsText::checked), each text of at most the maximum length. Computed keys take nothing.
    std::optional<QVariant> checkedValue(const QVariant& value) const;
    // A stored value as the document reads it, in its stored form: a number as it is (as a double), an
    // integer that is no case as the first case, a colour's components clamped to 0 ... 1 as drawing
    // takes them, any other value as it is; nothing for a number or integer attribute holding no number.
    // A copy carries values so.
    std::optional<QVariant> readValue(const QVariant& stored) const;
};

} // namespace pelorama::model
