#include "model/attributes/AttributeTable.h"

#include "foundation/Fatal.h"

#include <algorithm>

namespace pelorama::model {

namespace {

std::vector<AttributeRow> joined(std::vector<AttributeRow> rows, const AttributeTable& shared)
{
    rows.insert(rows.end(), shared.rows().begin(), shared.rows().end());
    return rows;
}

} // namespace

AttributeTable::AttributeTable(std::vector<AttributeRow> rows)
    : m_rows(std::move(rows))
{
    for (qsizetype i = 0; i < qsizetype(m_rows.size()); ++i) {
        const AttributeRow& row = m_rows[size_t(i)];
        if (m_index.contains(row.key))
            foundation::fatal("The attribute " + row.key + " is described twice");
        m_index.insert(row.key, i);
        if (row.changesPixels)
            m_pixelKeys.append(row.key);
        for (const QString& key : row.dependsOn)
            m_dependents[key].append(row.key);
    }
    for (const AttributeRow& row : m_rows) {
        const QStringList dependents = m_dependents.value(row.key);
        const bool drawn = row.changesPixels || std::any_of(dependents.begin(), dependents.end(),
                                                            [this](const QString& dependent) {
                                                                return m_pixelKeys.contains(dependent);
                                                            });
        if (!drawn)
            m_keysDrawingNothing.insert(row.key);
    }
}

AttributeTable::AttributeTable(std::vector<AttributeRow> rows, const AttributeTable& shared)
    : AttributeTable(joined(std::move(rows), shared))
{}

const AttributeRow* AttributeTable::row(const QString& key) const
{
    const auto found = m_index.constFind(key);
    return found == m_index.constEnd() ? nullptr : &m_rows[size_t(*found)];
}

} // namespace pelorama::model
