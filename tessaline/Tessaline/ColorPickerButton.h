#pragma once

#include "appkit/widgets/Popover.h"
#include "graphics/Color.h"
#include "tessaline/Tessaline/ColorPickerButtonCell.h"
#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QMetaObject>
#include <QPointer>
#include <QPushButton>

namespace tessaline {

class ColorPickerViewController;

// A colour well: a push button showing a swatch of its colour. Pressing it opens a transient popover to
// its right holding the shared colour panel; while that popover is open, every colour picked becomes the
// button's colour. The colour is an observable property, so a Binding carries the choice on.
class TESSALINE_WIDGETS_EXPORT ColorPickerButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(graphics::Color color READ color WRITE setColor NOTIFY colorChanged)

public:
    explicit ColorPickerButton(QWidget* parent = nullptr);
    ~ColorPickerButton() override;

    ColorPickerViewController* viewController() const { return m_viewController; }

    // Green at first.
    graphics::Color color() const { return m_color; }
    // Redraws; every assignment notifies.
    void setColor(const graphics::Color& color);

    QMarginsF alignmentRectInsets() const { return {}; }
    // The open popover, or null.
    appkit::Popover* popover() const { return m_popover; }

    QSize sizeHint() const override;

signals:
    void colorChanged();

public slots:
    // Opens the popover with the panel set to the button's colour, then follows the panel.
    void buttonPressed();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void popoverDidClose();
    void stopFollowingPanel();

    ColorPickerViewController* m_viewController = nullptr;
    graphics::Color m_color{0, 1, 0, 1};
    ColorPickerButtonCell m_cell;
    QPointer<appkit::Popover> m_popover;
    // The one connection to the shared panel, held only while a popover of this button is open.
    QMetaObject::Connection m_panelConnection;
};

} // namespace tessaline
