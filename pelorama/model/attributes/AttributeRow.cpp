#include "model/attributes/AttributeRow.h"

#include "model/entities/CompressedKeyedArchiveTransformer.h"

#include <limits>

namespace pelorama::model {

store::AttributeType AttributeRow::storedType() const
{
    switch (kind) {
    case AttributeKind::real:
        return store::AttributeType::floatingPoint;
    case AttributeKind::data:
        return store::AttributeType::binary;
    case AttributeKind::colour:
    case AttributeKind::font:
        return store::AttributeType::transformable;
    case AttributeKind::picture:
    case AttributeKind::computed:
        return store::AttributeType::undefined;
    case AttributeKind::enumeration:
    case AttributeKind::textAlignment:
        return store::AttributeType::integer64;
    case AttributeKind::text:
    case AttributeKind::rect:
    case AttributeKind::point:
    case AttributeKind::size:
        break;
    }
    return store::AttributeType::string;
}

QString AttributeRow::valueTransformerName() const
{
    if (storedType() != store::AttributeType::transformable)
        return {};
    return CompressedKeyedArchiveTransformer::name;
}

std::optional<std::pair<qint64, qint64>> AttributeRow::integerRange() const
{
    if (kind == AttributeKind::enumeration)
        return std::pair<qint64, qint64>{0, caseCount - 1};
    if (kind == AttributeKind::textAlignment)
        return std::pair<qint64, qint64>{0, std::numeric_limits<int>::max()};
    return std::nullopt;
}

} // namespace pelorama::model
