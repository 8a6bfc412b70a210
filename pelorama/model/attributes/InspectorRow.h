#pragma once

#include "model/attributes/Attribute.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace pelorama::model {

class Entity;

// The editor an inspector row offers: a text field, a number field, a choice among options, a colour
// well, a font, a picture well, the angle dial, the stock gradient picker, or a read-only warning.
enum class InspectorKind
{
    text,
    number,
    choice,
    colour,
    font,
    picture,
    angle,
    stockGradient,
    warning,
};

// One option of a choice: its title and the value it stands for (a raw value, or a catalogue object).
struct InspectorOption
{
    InspectorOption(const QString& title, const QVariant& value)
        : title(title)
        , value(value)
    {}
    template <CountedEnumeration E>
    InspectorOption(const QString& title, E value)
        : InspectorOption(title, QVariant::fromValue(qint64(value)))
    {}
    InspectorOption(const QString& title, graphics::TextAlignment value)
        : InspectorOption(title, QVariant::fromValue(qint64(value)))
    {}

    QString title;
    QVariant value;
};

// Shows a row only while the enumeration under key holds one of the raw values.
struct ShownWhen
{
    QString key;
    QList<qint64> rawValues;
};

template <CountedEnumeration E>
ShownWhen shownWhen(const Attribute<E>& attribute, std::initializer_list<E> cases)
{
    ShownWhen shown{attribute.key(), {}};
    for (E value : cases)
        shown.rawValues.append(qint64(value));
    return shown;
}

// How the inspector shows an attribute: data only; the property collection builder makes the rows of
// the inspector's data kinds from it (ledgerline's, and AngleProperty, StockGradientProperty and
// WarningProperty) and binds each to its attribute's key.
//
// Groups show in the order of their first row in the entity's attribute table, rows in table order.
struct InspectorRow
{
    InspectorKind kind = InspectorKind::text;
    // The section that holds the row, and the section's identifier where it has one.
    QString group = {};
    QString label = {};
    QString groupIdentifier = {};
    QString identifier = {};
    // The value the row is made with, before its binding shows the entity's; none for the kind's own.
    QVariant initialValue = {};
    // Numbers: the limits the editor keeps what the user enters within. They bound no other road: the
    // row shows, and key-value coding and paste store, any number as it is.
    double minimum = -std::numeric_limits<double>::infinity();
    double maximum = std::numeric_limits<double>::infinity();
    // Choices, in the order offered: fixed ones, or ones that depend on the entity when the row is made.
    std::vector<InspectorOption> options = {};
    std::function<std::vector<InspectorOption>(const Entity&)> optionsOf = {};
    // The editor's presentation: EnumerationProperty's display style, StringProperty's text style.
    int displayStyle = 0;
    int textStyle = 0;
    std::optional<ShownWhen> shownWhen = {};
    // Warnings: the message while there is one (the row is hidden while there is none), checked again
    // after each store into one of watchedKeys.
    std::function<std::optional<QString>(const Entity&)> message = {};
    QStringList watchedKeys = {};
};

} // namespace pelorama::model
