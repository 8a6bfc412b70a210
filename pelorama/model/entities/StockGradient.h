#pragma once

#include "graphics/Color.h"
#include "graphics/Gradient.h"

#include <QMetaType>
#include <QString>
#include <optional>
#include <vector>

namespace pelorama::model {

// A built-in background gradient: from startColor (location 0, the bottom of a screenshot) to endColor
// (location 1, the top). The catalogue all() is built once per process and never changes; documents
// store the two colours and find a stock gradient again by comparing them, themes by its identifier.
//
// A stock gradient equals only itself: code that needs its index compares addresses with the
// catalogue's own entries, which live until the process ends.
class StockGradient
{
public:
    StockGradient(QString identifier, graphics::Color startColor, graphics::Color endColor);
    StockGradient(const StockGradient&) = delete;
    StockGradient& operator=(const StockGradient&) = delete;

    const QString& identifier() const { return m_identifier; }
    const graphics::Color& startColor() const { return m_startColor; }
    const graphics::Color& endColor() const { return m_endColor; }
    graphics::Gradient gradient() const { return {m_startColor, m_endColor}; }

    // The 22 stock gradients in their fixed order (index 0, "tivel", is that of every new screenshot).
    // Safe to reach first from any thread.
    static const std::vector<const StockGradient*>& all();
    // The first entry with exactly this identifier (case-sensitive); nullptr when none has it.
    static const StockGradient* withIdentifier(const QString& identifier);
    // The first entry whose start and end colours equal these (colour space and components); nullptr
    // when none does.
    static const StockGradient* matching(const graphics::Color& startColor, const graphics::Color& endColor);
    // The same for colours an object may not have set: nullptr when either is missing.
    static const StockGradient* matching(const std::optional<graphics::Color>& startColor,
                                         const std::optional<graphics::Color>& endColor);
    // The position of gradient in all(), by identity; -1 for nullptr or a gradient not in the catalogue.
    static int indexOf(const StockGradient* gradient);

private:
    QString m_identifier;
    graphics::Color m_startColor;
    graphics::Color m_endColor;
};

} // namespace pelorama::model

Q_DECLARE_METATYPE(const pelorama::model::StockGradient*)
