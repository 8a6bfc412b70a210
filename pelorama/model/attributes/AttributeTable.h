#pragma once

#include "model/attributes/AttributeRow.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

namespace pelorama::model {

// The attributes of one entity, each described once by its row. The store's data model (documentModel),
// key-value coding, the insertion defaults, the keys whose change needs a new render, the inspector's rows
// and the paste checks all follow from it.
//
// Tables are built once and only read afterwards, so any thread may use them.
class AttributeTable
{
public:
    explicit AttributeTable(std::vector<AttributeRow> rows);
    // The rows, then the shared ones (the shadow's, for instance).
    AttributeTable(std::vector<AttributeRow> rows, const AttributeTable& shared);
    AttributeTable(const AttributeTable&) = delete;
    AttributeTable& operator=(const AttributeTable&) = delete;

    const std::vector<AttributeRow>& rows() const { return m_rows; }
    // The row of key; nullptr when the table has none.
    const AttributeRow* row(const QString& key) const;

    // The keys whose change changes what the entity draws, in table order.
    const QStringList& pixelKeys() const { return m_pixelKeys; }
    // Whether a store into key may change what the entity draws: key is one of pixelKeys, a key such a
    // row depends on, or a key without a row (a relationship, which says what is drawn together).
    bool mayChangePixels(const QString& key) const { return !m_keysDrawingNothing.contains(key); }
    // The keys whose value changes with every store into key (the rows that depend on it).
    QStringList keysDependingOn(const QString& key) const { return m_dependents.value(key); }
    bool hasDependentKeys() const { return !m_dependents.isEmpty(); }

private:
    std::vector<AttributeRow> m_rows;
    QHash<QString, qsizetype> m_index;
    QStringList m_pixelKeys;
    QSet<QString> m_keysDrawingNothing;
    QHash<QString, QStringList> m_dependents;
};

} // namespace pelorama::model
