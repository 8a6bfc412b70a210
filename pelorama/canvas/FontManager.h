#pragma once

#include "graphics/Font.h"

#include <QFont>
#include <QFontDialog>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <optional>

namespace pelorama::canvas {

// The process's one font manager and its font panel (a font dialog that stays open beside the window).
// Whoever edits fonts tells it the selected font; when the user picks a font in the panel, the change
// goes to the focused widget or the nearest widget around it that is FontChanging, which converts its
// fonts with convertFont. Used on the GUI thread only.
class FontManager : public QObject
{
    Q_OBJECT

public:
    // Made on first use; it lives until the application ends.
    static FontManager& shared();

    const std::optional<graphics::Font>& selectedFont() const { return m_selectedFont; }
    bool isMultiple() const { return m_isMultiple; }
    // Also shows the font in the panel when it is open.
    void setSelectedFont(const graphics::Font& font, bool isMultiple);

    // font turned into the one last chosen in the panel: the chosen family, weight and slant as the
    // font table names them, at the chosen size. A family the table does not know changes only the
    // size. Without a choice the font comes back unchanged.
    graphics::Font convertFont(const graphics::Font& font) const;

    // Shows the panel with the selected font.
    void orderFrontFontPanel();
    QFontDialog* fontPanel() const { return m_panel; }

    // What the panel calls when the user picks a font: remembers it and sends changeFont to the focus
    // chain. Answers whether a FontChanging widget took it.
    bool chooseFont(const QFont& font);

private:
    FontManager();

    std::optional<graphics::Font> m_selectedFont;
    bool m_isMultiple = false;
    std::optional<QFont> m_chosen;
    QPointer<QFontDialog> m_panel;
    QPointer<QWidget> m_mainWindow; // the last window other than the panel that had the focus
    bool m_showingSelection = false;
};

} // namespace pelorama::canvas
