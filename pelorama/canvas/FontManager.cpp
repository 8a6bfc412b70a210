#include "canvas/FontManager.h"

#include "canvas/FontChanging.h"
#include "graphics/FontNameTable.h"

#include <QApplication>
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

FontManager& FontManager::shared()
{
    // A child of the application, so it goes with it; a later application gets a new one.
    static QPointer<FontManager> manager;
    if (!manager) {
        manager = new FontManager;
        manager->setParent(qApp);
    }
    return *manager;
}

FontManager::FontManager()
{
    // The panel is a window of its own; its changes go to the window the user worked in last.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && now->window() != m_panel)
            m_mainWindow = now->window();
    });
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
        auto* panel = new QFontDialog;
        panel->setAttribute(Qt::WA_DeleteOnClose, false);
        panel->setOption(QFontDialog::NoButtons);
        panel->setOption(QFontDialog::ScalableFonts);
        panel->setWindowTitle(QObject::tr("Fonts"));
        connect(panel, &QFontDialog::currentFontChanged, this, [this](const QFont& font) {
            if (!m_showingSelection)
                chooseFont(font);
        });
        connect(this, &QObject::destroyed, panel, &QObject::deleteLater);
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

bool FontManager::chooseFont(const QFont& font)
{
    m_chosen = font;
    QWidget* widget = QApplication::focusWidget();
    if (!widget || widget->window() == m_panel)
        widget = m_mainWindow ? m_mainWindow->focusWidget() : nullptr;
    for (; widget; widget = widget->parentWidget()) {
        if (auto* target = dynamic_cast<FontChanging*>(widget)) {
            target->changeFont(*this);
            return true;
        }
    }
    return false;
}

} // namespace pelorama::canvas
