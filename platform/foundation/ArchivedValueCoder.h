#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>
#include <memory>
#include <optional>

namespace foundation {

// Teaches keyed archives one value type of a library above foundation (a colour, a font). The archive
// keeps the value as an object of class className() whose fields are plain values: text, integers,
// reals, booleans and data. Field names must not begin with "$", which the archive layout reserves.
class ArchivedValueCoder
{
public:
    virtual ~ArchivedValueCoder() = default;

    virtual QString className() const = 0;
    // The QVariant type this coder archives.
    virtual QMetaType valueType() const = 0;
    virtual QVariantMap encode(const QVariant& value) const = 0;
    // The value for fields read from an archive, or nothing when they make no valid value. Integers
    // arrive as qint64 and reals as double; fields may be missing or of another kind in hostile input.
    virtual std::optional<QVariant> decode(const QVariantMap& fields) const = 0;
};

using ArchivedValueCoders = QList<std::shared_ptr<const ArchivedValueCoder>>;

} // namespace foundation
