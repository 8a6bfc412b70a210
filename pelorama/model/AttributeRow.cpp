#include "model/AttributeRow.h"

#include "model/CompressedKeyedArchiveTransformer.h"

#include <limits>

namespace pelorama::model {

store::AttributeType AttributeRow::storedType() const
{
    switch (kind) {
    case AttributeKind::real:
        return store::AttributeType::Double;
    case AttributeKind::data:
        return store::AttributeType::Binary;
    case AttributeKind::colour:
    case AttributeKind::font:
        return store::AttributeType::Transformable;
    case AttributeKind::picture:
    case AttributeKind::computed:
        return store::AttributeType::Undefined;
    case AttributeKind::enumeration:
    case AttributeKind::textAlignment:
        return store::AttributeType::Integer64;
    case AttributeKind::text:
    case AttributeKind::rect:
    case AttributeKind::point:
    case AttributeKind::size:
        break;
    }
    return store::AttributeType::String;
}

QString AttributeRow::valueTransformerName() const
{
    if (storedType() != store::AttributeType::Transformable)
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
