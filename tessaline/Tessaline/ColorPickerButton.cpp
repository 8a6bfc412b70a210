#include "tessaline/Tessaline/ColorPickerButton.h"

#include "appkit/widgets/ColorPanel.h"
#include "appkit/widgets/Popover.h"
#include "tessaline/Tessaline/ColorPickerViewController.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace tessaline {

ColorPickerButton::ColorPickerButton(QWidget* parent)
    : QPushButton(parent)
    , m_viewController(new ColorPickerViewController(this))
{
    // A colour well keeps its own size; layouts must not stretch it across a row.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QPushButton::clicked, this, &ColorPickerButton::buttonPressed);
}

ColorPickerButton::~ColorPickerButton()
{
    stopFollowingPanel();
    if (m_popover) {
        m_popover->setContentViewController(nullptr);
        m_popover->close();
    }
}

void ColorPickerButton::setColor(const graphics::Color& color)
{
    m_color = color;
    update();
    emit colorChanged();
}

QSize ColorPickerButton::sizeHint() const
{
    return {44, 24};
}

void ColorPickerButton::buttonPressed()
{
    appkit::ColorPanel* panel = nullptr;
    m_viewController->view();
    panel = m_viewController->colorPanel();
    if (!panel) {
        return;
    }
    // Set before following, so the button's own colour is not echoed back to it.
    panel->setColor(m_color);
    stopFollowingPanel();
    m_panelConnection =
        connect(panel, &appkit::ColorPanel::colorChanged, this, [this, panel] { setColor(panel->color()); });

    if (m_popover) {
        m_popover->disconnect(this);
        m_popover->close();
    }
    auto* popover = new appkit::Popover;
    popover->setReleasedWhenClosed(true);
    popover->setContentViewController(m_viewController);
    connect(popover, &appkit::Popover::didClose, this, &ColorPickerButton::popoverDidClose);
    m_popover = popover;
    popover->showRelativeTo(QRect(), this, appkit::RectEdge::right);
}

void ColorPickerButton::popoverDidClose()
{
    stopFollowingPanel();
}

void ColorPickerButton::stopFollowingPanel()
{
    if (m_panelConnection) {
        disconnect(m_panelConnection);
        m_panelConnection = {};
    }
}

void ColorPickerButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    m_cell.drawInterior(painter, rect(), this);
}

} // namespace tessaline
