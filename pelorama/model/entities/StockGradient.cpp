#include "model/entities/StockGradient.h"

#include <array>
#include <memory>

namespace pelorama::model {

namespace {

struct Row
{
    const char* identifier;
    std::array<double, 3> start;
    std::array<double, 3> end;
};

constexpr std::array<Row, 22> catalogue{{
    {"tivel", {0.149, 0.471, 0.863}, {0.067, 0.282, 0.573}},
    {"orsana1", {0.776, 0.886, 0.878}, {0.412, 0.698, 0.824}},
    {"orsana2", {0.914, 0.631, 0.435}, {0.710, 0.420, 0.278}},
    {"bellin4", {0.812, 0.678, 0.600}, {0.486, 0.408, 0.361}},
    {"quentra1", {0.078, 0.494, 0.812}, {0.141, 0.820, 0.933}},
    {"lunesse", {0.263, 0.580, 0.475}, {0.047, 0.220, 0.376}},
    {"pardeo", {0.922, 0.290, 0.314}, {0.776, 0.169, 0.184}},
    {"veskan", {0.224, 0.616, 0.765}, {0.118, 0.373, 0.580}},
    {"quentra2", {0.749, 0.282, 0.667}, {0.282, 0.451, 0.984}},
    {"amberine", {0.592, 0.592, 0.592}, {0.369, 0.369, 0.369}},
    {"fernal", {0.894, 0.231, 0.173}, {0.988, 0.329, 0.259}},
    {"corvane", {0.996, 0.588, 0.275}, {0.988, 0.322, 0.420}},
    {"fiorel", {0.655, 0.494, 0.388}, {0.886, 0.800, 0.733}},
    {"tasmir2", {0.173, 0.141, 0.302}, {0.345, 0.314, 0.471}},
    {"ondrel", {0.725, 0.651, 0.671}, {0.561, 0.349, 0.227}},
    {"pemberl", {0.988, 0.871, 0.220}, {0.933, 0.718, 0.184}},
    {"marlit1", {0.706, 0.925, 0.318}, {0.263, 0.580, 0.133}},
    {"marlit2", {0.980, 0.851, 0.380}, {0.969, 0.424, 0.114}},
    {"marlit3", {0.961, 0.318, 0.373}, {0.627, 0.016, 0.110}},
    {"marlit4", {0.216, 0.149, 0.690}, {0.773, 0.424, 0.843}},
    {"quillory", {0.255, 0.361, 0.573}, {0.118, 0.212, 0.404}},
    {"tornesk", {0.080, 0.530, 0.790}, {0.000, 0.020, 0.180}},
}};

graphics::Color calibrated(const std::array<double, 3>& rgb)
{
    return {rgb[0], rgb[1], rgb[2], 1.0, graphics::ColorSpace::calibratedRGB};
}

} // namespace

StockGradient::StockGradient(QString identifier, graphics::Color startColor, graphics::Color endColor)
    : m_identifier(std::move(identifier))
    , m_startColor(startColor)
    , m_endColor(endColor)
{}

const std::vector<const StockGradient*>& StockGradient::all()
{
    // Built on first use (thread-safe static initialisation) and kept to the end of the process.
    struct Catalogue
    {
        std::vector<std::unique_ptr<const StockGradient>> entries;
        std::vector<const StockGradient*> list;
    };
    static const Catalogue gradients = [] {
        Catalogue built;
        for (const Row& row : catalogue) {
            built.entries.push_back(std::make_unique<const StockGradient>(
                QString::fromLatin1(row.identifier), calibrated(row.start), calibrated(row.end)));
            built.list.push_back(built.entries.back().get());
        }
        return built;
    }();
    return gradients.list;
}

const StockGradient* StockGradient::withIdentifier(const QString& identifier)
{
    for (const StockGradient* gradient : all()) {
        if (gradient->identifier() == identifier)
            return gradient;
    }
    return nullptr;
}

const StockGradient* StockGradient::matching(const graphics::Color& startColor,
                                             const graphics::Color& endColor)
{
    for (const StockGradient* gradient : all()) {
        if (gradient->startColor() == startColor && gradient->endColor() == endColor)
            return gradient;
    }
    return nullptr;
}

const StockGradient* StockGradient::matching(const std::optional<graphics::Color>& startColor,
                                             const std::optional<graphics::Color>& endColor)
{
    if (!startColor || !endColor)
        return nullptr;
    return matching(*startColor, *endColor);
}

int StockGradient::indexOf(const StockGradient* gradient)
{
    const std::vector<const StockGradient*>& gradients = all();
    for (std::size_t i = 0; i < gradients.size(); ++i) {
        if (gradients[i] == gradient && gradient)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace pelorama::model
