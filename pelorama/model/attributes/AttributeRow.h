#pragma once

#include "model/attributes/AttributeKind.h"
#include "model/attributes/InspectorRow.h"
#include "store/AttributeDescription.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>
#include <utility>
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
    // Whether a change of the value changes what the entity draws (so a shown canvas renders again).
    bool changesPixels = false;
    // The stored value a new object gets on insertion; empty for none.
    std::function<QVariant()> insertionValue;
    // Text: the most characters (UTF-16 code units) a paste or the inspector's editor gives it.
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

    // Whether the model resource declares the attribute (transient or stored); computed keys it does not.
    bool isModelAttribute() const { return kind != AttributeKind::computed; }
    // How the model resource declares it: type, value transformer, transient.
    store::AttributeType storedType() const;
    QString valueTransformerName() const;
    bool isTransient() const { return kind == AttributeKind::picture; }

    // The integers a paste may put into an integer attribute: an enumeration's raw values, or any
    // non-negative alignment the platform's text alignment keeps. None for other kinds.
    std::optional<std::pair<qint64, qint64>> integerRange() const;
};

} // namespace pelorama::model
