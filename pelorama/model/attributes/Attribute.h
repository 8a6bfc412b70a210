#pragma once

#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/Image.h"
#include "model/attributes/AttributeKind.h"
#include "model/entities/RawRepresentation.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <optional>

namespace pelorama::model {

// One attribute of an entity: its key and the type its accessors read and write. An entity declares each
// of its attributes once as such a constant, which both its typed accessors and its attribute table use:
//
//     static constexpr Attribute<FillMode> fillModeAttribute{u"fillMode"};
//     FillMode fillMode() const { return value(fillModeAttribute); }
//
// How a T is kept in the store is AttributeValue<T>'s business.
template <typename T> struct Attribute
{
    QStringView name;

    // The key, sharing the literal's characters.
    QString key() const { return QString::fromRawData(name.data(), name.size()); }
};

// The type of attributes that key-value coding computes from others (the store keeps nothing for them).
struct Computed
{
};

// The readers of the two kinds of number, which the typed accessors, key-value coding, paste and copy all
// read values with, whatever their origin (the store, the inspector, a pasteboard).
//
// The integer a value holds: any integer type, or a double holding a whole number that a 64-bit integer
// holds exactly. No value otherwise (booleans and text included).
std::optional<qint64> storedInteger(const QVariant& stored);
// The number a value holds: a floating-point number that is a number (infinities included), or any
// integer that storedInteger reads. No value otherwise.
std::optional<double> storedNumber(const QVariant& stored);

// How a value of type T is kept in the store: read answers no value for a missing or unreadable stored
// value (the accessor substitutes T's zero value: the first case, the zero rectangle, empty text, ...),
// write gives what is stored.
template <typename T> struct AttributeValue;

// Text, bytes, colours, fonts and pictures are kept as the values themselves.
template <typename T, AttributeKind valueKind> struct PlainAttributeValue
{
    static constexpr AttributeKind kind = valueKind;
    static std::optional<T> read(const QVariant& stored)
    {
        if (stored.metaType() != QMetaType::fromType<T>())
            return std::nullopt;
        return stored.value<T>();
    }
    static QVariant write(const T& value) { return QVariant::fromValue(value); }
};

template <> struct AttributeValue<QString> : PlainAttributeValue<QString, AttributeKind::text>
{
};

template <> struct AttributeValue<QByteArray> : PlainAttributeValue<QByteArray, AttributeKind::data>
{
};

// Any number, as stored: only drawing bounds what it does with one (see model/rendering/DrawingBounds.h).
template <> struct AttributeValue<double>
{
    static constexpr AttributeKind kind = AttributeKind::real;
    static std::optional<double> read(const QVariant& stored) { return storedNumber(stored); }
    static QVariant write(double value) { return value; }
};

template <>
struct AttributeValue<graphics::Color> : PlainAttributeValue<graphics::Color, AttributeKind::colour>
{
};

template <> struct AttributeValue<graphics::Font> : PlainAttributeValue<graphics::Font, AttributeKind::font>
{
};

template <>
struct AttributeValue<graphics::Image> : PlainAttributeValue<graphics::Image, AttributeKind::picture>
{
};

// Enumerations, text alignment and geometry are kept as their raw value (see RawRepresentation).
template <typename T> struct RawAttributeValue
{
    using Representation = RawRepresentation<T>;
    static std::optional<T> read(const QVariant& stored)
    {
        using Raw = typename Representation::RawValue;
        std::optional<Raw> raw;
        if constexpr (std::is_same_v<Raw, QString>) {
            raw = AttributeValue<QString>::read(stored);
        } else {
            const std::optional<qint64> integer = storedInteger(stored);
            if (integer && (std::is_signed_v<Raw> || *integer >= 0))
                raw = Raw(*integer);
        }
        if (!raw)
            return std::nullopt;
        return Representation::fromRawValue(*raw);
    }
    static QVariant write(const T& value)
    {
        const auto raw = Representation::rawValue(value);
        if constexpr (std::is_same_v<decltype(raw), const QString>)
            return raw;
        else
            return QVariant::fromValue(qint64(raw));
    }
};

template <CountedEnumeration E> struct AttributeValue<E> : RawAttributeValue<E>
{
    static constexpr AttributeKind kind = AttributeKind::enumeration;
};

template <> struct AttributeValue<graphics::TextAlignment> : RawAttributeValue<graphics::TextAlignment>
{
    static constexpr AttributeKind kind = AttributeKind::textAlignment;
};

template <> struct AttributeValue<graphics::Rect> : RawAttributeValue<graphics::Rect>
{
    static constexpr AttributeKind kind = AttributeKind::rect;
};

template <> struct AttributeValue<graphics::Point> : RawAttributeValue<graphics::Point>
{
    static constexpr AttributeKind kind = AttributeKind::point;
};

template <> struct AttributeValue<graphics::Size> : RawAttributeValue<graphics::Size>
{
    static constexpr AttributeKind kind = AttributeKind::size;
};

template <> struct AttributeValue<Computed>
{
    static constexpr AttributeKind kind = AttributeKind::computed;
};

} // namespace pelorama::model
