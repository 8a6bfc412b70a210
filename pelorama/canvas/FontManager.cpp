#include "canvas/FontManager.h"

#include "graphics/FontNameTable.h"

#include <QFontDialog>
#include <QWidget>

namespace pelorama::canvas {

namespace {

// The table's face for an installed family, preferring the design family the font already has, since
// one installed family can draw several design families.
const graphics::FontFace* faceFor(const QFont& chosen, const graphics::Font& font)
{
    const QString family = chosen.family();
    const int weight = chosen.weight();
    const bool italic = chosen.italic();
    const graphics::FontFace& current = font.face();
    if (current.installedFamily.compare(family, Qt::CaseInsensitive) == 0) {
        if (const graphics::FontFace* face =
                graphics::FontNameTable::nearestFace(current.designFamily, weight, italic))
            return face;
    }
    for (const graphics::FontFace& face : graphics::FontNameTable::faces()) {
        if (face.installedFamily.compare(family, Qt::CaseInsensitive) == 0)
            return graphics::FontNameTable::nearestFace(face.designFamily, weight, italic);
    }
    return nullptr;
}

} // namespace

FontManager::FontManager(QWidget* window)
    : QObject(window)
    , m_window(window)
{}

FontManager::~FontManager()
{
    delete m_panel;
}

void FontManager::setSelectedFont(const graphics::Font& font, bool isMultiple)
{
    m_selectedFont = font;
    m_isMultiple = isMultiple;
    if (m_panel) {
        m_showingSelection = true;
        m_panel->setCurrentFont(font.toQFont());
        m_showingSelection = false;
    }
}

graphics::Font FontManager::convertFont(const graphics::Font& font) const
{
    if (!m_chosen)
        return font;
    const double size = m_chosen->pointSizeF() > 0 ? m_chosen->pointSizeF() : font.pointSize();
    if (const graphics::FontFace* face = faceFor(*m_chosen, font))
        return graphics::Font(face->postScriptName, size);
    return font.withSize(size);
}

void FontManager::orderFrontFontPanel()
{
    if (!m_panel) {
        // Over its window, as the window's other dialogs are; the manager deletes it.
        auto* panel = new QFontDialog(m_window);
        panel->setAttribute(Qt::WA_DeleteOnClose, false);
        panel->setOption(QFontDialog::NoButtons);
        panel->setOption(QFontDialog::ScalableFonts);
        panel->setWindowTitle(QObject::tr("Fonts"));
        connect(panel, &QFontDialog::currentFontChanged, this, [this](const QFont& font) {
            if (!m_showingSelection)
                chooseFont(font);
        });
        m_panel = panel;
    }
    if (m_selectedFont) {
        m_showingSelection = true;
        m_panel->setCurrentFont(m_selectedFont->toQFont());
        m_showingSelection = false;
    }
    m_panel->show();
    m_panel->raise();
}

void FontManager::chooseFont(const QFont& font)
{
    m_chosen = font;
    emit fontChosen();
}

} // namespace pelorama::canvas
