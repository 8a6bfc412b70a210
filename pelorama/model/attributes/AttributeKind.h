#pragma once

namespace pelorama::model {

// What an attribute holds and how the store keeps it; key-value coding, pasting and the data model
// follow from it.
enum class AttributeKind
{
    // Kept as they are: text, a real number, bytes, a colour or a font (both archived by the document's
    // value transformer) and a picture (transient: never written to the store).
    text,
    real,
    data,
    colour,
    font,
    picture,
    // Integers holding the raw value of a document enumeration (0 ..< its case count), or of the
    // platform's text alignment.
    enumeration,
    textAlignment,
    // Geometry in its text form.
    rect,
    point,
    size,
    // A caption's texts by language (Translations), kept as text.
    translations,
    // Not kept at all: key-value coding answers it from other attributes.
    computed,
};

} // namespace pelorama::model
