#include "graphics/FontNameTable.h"

#include <cstdlib>

namespace graphics {
namespace {

struct Weight
{
    const char* suffix;
    int weight;
};

void addFamily(std::vector<FontFace>& faces, const QString& prefix, const QString& designFamily,
               const QString& installedFamily, bool condensed, std::initializer_list<Weight> weights,
               const char* italicSuffix = "Italic")
{
    for (const Weight& weight : weights) {
        const QString suffix = QLatin1String(weight.suffix);
        const QString upright = suffix.isEmpty() ? prefix : prefix + QLatin1Char('-') + suffix;
        const QString slanted = prefix + QLatin1Char('-') +
                                (suffix == QLatin1String("Regular") ? QString() : suffix) +
                                QLatin1String(italicSuffix);
        faces.push_back({upright, designFamily, installedFamily, weight.weight, false, condensed});
        faces.push_back({slanted, designFamily, installedFamily, weight.weight, true, condensed});
    }
}

std::vector<FontFace> makeFaces()
{
    std::vector<FontFace> faces;
    // Helvetica Neue names its regular face without a suffix and its lightest face UltraLight.
    const QString helvetica = QStringLiteral("Helvetica Neue");
    const QString inter = QStringLiteral("Inter");
    faces.push_back({QStringLiteral("HelveticaNeue"), helvetica, inter, 400, false, false});
    faces.push_back({QStringLiteral("HelveticaNeue-Italic"), helvetica, inter, 400, true, false});
    addFamily(faces, QStringLiteral("HelveticaNeue"), helvetica, inter, false,
              {{"UltraLight", 100}, {"Thin", 200}, {"Light", 300}, {"Medium", 500}, {"Bold", 700}});
    addFamily(faces, QStringLiteral("AvenirNext"), QStringLiteral("Avenir Next"), QStringLiteral("Lato"),
              false,
              {{"UltraLight", 200},
               {"Regular", 400},
               {"Medium", 500},
               {"DemiBold", 600},
               {"Bold", 700},
               {"Heavy", 800}});
    addFamily(faces, QStringLiteral("AvenirNextCondensed"), QStringLiteral("Avenir Next Condensed"),
              QStringLiteral("Roboto Condensed"), true,
              {{"UltraLight", 300}, {"Regular", 400}, {"Medium", 500}, {"DemiBold", 600}, {"Bold", 700}});
    const QString menlo = QStringLiteral("Menlo");
    const QString dejaVuMono = QStringLiteral("DejaVu Sans Mono");
    faces.push_back({QStringLiteral("Menlo-Regular"), menlo, dejaVuMono, 400, false, false});
    faces.push_back({QStringLiteral("Menlo-Italic"), menlo, dejaVuMono, 400, true, false});
    faces.push_back({QStringLiteral("Menlo-Bold"), menlo, dejaVuMono, 700, false, false});
    faces.push_back({QStringLiteral("Menlo-BoldItalic"), menlo, dejaVuMono, 700, true, false});
    addFamily(faces, QStringLiteral(".SystemFont"), QStringLiteral("System"), inter, false,
              {{"UltraLight", 100},
               {"Thin", 200},
               {"Light", 300},
               {"Regular", 400},
               {"Medium", 500},
               {"Semibold", 600},
               {"Bold", 700},
               {"Heavy", 800},
               {"Black", 900}});
    return faces;
}

} // namespace

const std::vector<FontFace>& FontNameTable::faces()
{
    static const std::vector<FontFace> table = makeFaces();
    return table;
}

const FontFace* FontNameTable::face(const QString& postScriptName)
{
    for (const FontFace& face : faces()) {
        if (face.postScriptName == postScriptName) {
            return &face;
        }
    }
    return nullptr;
}

const FontFace& FontNameTable::systemFace(int weight, bool italic)
{
    return *nearestFace(QStringLiteral("System"), weight, italic);
}

const FontFace* FontNameTable::nearestFace(const QString& designFamily, int weight, bool italic)
{
    const FontFace* best = nullptr;
    for (const FontFace& face : faces()) {
        if (face.designFamily != designFamily || face.italic != italic) {
            continue;
        }
        if (!best || std::abs(face.weight - weight) < std::abs(best->weight - weight)) {
            best = &face;
        }
    }
    return best;
}

} // namespace graphics
