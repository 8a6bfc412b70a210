#pragma once

#include "graphics/Font.h"

#include <QFont>
#include <QFontDialog>
#include <QObject>
#include <QPointer>
#include <optional>

class QWidget;

namespace pelorama::canvas {

// A window's font manager and its font panel (a font dialog that stays open beside the window), handed
// by the window to the views that edit fonts. They tell it the selected font; when the user picks a font
// in the panel it emits fontChosen, and the view that holds the window's keyboard focus converts its
// fonts with convertFont. Used on the GUI thread only.
class FontManager : public QObject
{
    Q_OBJECT

public:
    // The panel opens over window (may be null), which owns the manager when given.
    explicit FontManager(QWidget* window = nullptr);
    ~FontManager() override;

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

    // What the panel calls when the user picks a font: remembers it and emits fontChosen.
    void chooseFont(const QFont& font);

signals:
    void fontChosen();

private:
    QPointer<QWidget> m_window;
    std::optional<graphics::Font> m_selectedFont;
    bool m_isMultiple = false;
    std::optional<QFont> m_chosen;
    QPointer<QFontDialog> m_panel;
    bool m_showingSelection = false;
};

} // namespace pelorama::canvas
