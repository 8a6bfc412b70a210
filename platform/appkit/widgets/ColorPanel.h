#pragma once

#include "graphics/Color.h"

#include <QColorDialog>

namespace appkit {

// The process's one colour panel, shared by everything that lets the user pick a colour. It can float
// as its own window or be embedded in another widget (a popover); embedded, it does not close itself,
// and Escape goes on to the widget that holds it.
class ColorPanel : public QColorDialog
{
    Q_OBJECT

public:
    // The shared panel, made on first use; it lives until the application ends.
    static ColorPanel* shared();
    static bool sharedColorPanelExists();

    graphics::Color color() const;
    // Does not notify when the colour is what the panel already shows.
    void setColor(const graphics::Color& color);

    // Takes the panel out of any widget it was embedded in, hidden.
    void detach();

signals:
    // Each time the user (or code) changes the panel's colour.
    void colorChanged(const graphics::Color& color);

protected:
    void done(int result) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ColorPanel();
};

} // namespace appkit
