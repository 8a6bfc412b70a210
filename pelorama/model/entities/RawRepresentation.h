#pragma once

#include "graphics/ParagraphStyle.h"
#include "graphics/Point.h"
#include "graphics/Rect.h"
#include "graphics/Size.h"
#include "model/entities/GeometryText.h"

#include <QString>
#include <QtGlobal>
#include <optional>
#include <type_traits>

namespace pelorama::model {

// How a value that the store cannot hold is kept in an attribute: as its raw value, an integer for
// enumerations and text for geometry. fromRawValue answers no value for a raw value that makes none.
template <typename T> struct RawRepresentation;

// An enumeration of the document declares its number of cases next to it,
//     constexpr qint64 caseCount(BackgroundType) { return 2; }
// and its cases run 0, 1, 2, ... in order; any other raw value makes no case.
template <typename E>
concept CountedEnumeration = std::is_enum_v<E> && requires(E value)
{
    {
        caseCount(value)
        } -> std::convertible_to<qint64>;
};

template <CountedEnumeration E> struct RawRepresentation<E>
{
    using RawValue = qint64;
    static qint64 rawValue(E value) { return static_cast<qint64>(value); }
    static std::optional<E> fromRawValue(qint64 raw)
    {
        if (raw < 0 || raw >= caseCount(E{}))
            return std::nullopt;
        return static_cast<E>(raw);
    }
};

// Text alignment is stored as the platform's unsigned raw value. Only its five values make a case, so a
// damaged or crafted document cannot produce an alignment outside the enumeration.
template <> struct RawRepresentation<graphics::TextAlignment>
{
    using RawValue = quint64;
    static quint64 rawValue(graphics::TextAlignment value) { return static_cast<quint64>(value); }
    static std::optional<graphics::TextAlignment> fromRawValue(quint64 raw)
    {
        if (raw > quint64(graphics::TextAlignment::natural))
            return std::nullopt;
        return static_cast<graphics::TextAlignment>(raw);
    }
};

template <> struct RawRepresentation<graphics::Rect>
{
    using RawValue = QString;
    static QString rawValue(const graphics::Rect& value) { return model::rawValue(value); }
    static std::optional<graphics::Rect> fromRawValue(const QString& raw) { return rectFromRawValue(raw); }
};

template <> struct RawRepresentation<graphics::Point>
{
    using RawValue = QString;
    static QString rawValue(const graphics::Point& value) { return model::rawValue(value); }
    static std::optional<graphics::Point> fromRawValue(const QString& raw) { return pointFromRawValue(raw); }
};

template <> struct RawRepresentation<graphics::Size>
{
    using RawValue = QString;
    static QString rawValue(const graphics::Size& value) { return model::rawValue(value); }
    static std::optional<graphics::Size> fromRawValue(const QString& raw) { return sizeFromRawValue(raw); }
};

} // namespace pelorama::model
