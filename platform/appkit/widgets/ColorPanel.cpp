#include "appkit/widgets/ColorPanel.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>

namespace appkit {
namespace {

QPointer<ColorPanel>& sharedPanel()
{
    static QPointer<ColorPanel> panel;
    return panel;
}

void deleteSharedPanel()
{
    delete sharedPanel().data();
}

} // namespace

ColorPanel::ColorPanel()
{
    setOptions(QColorDialog::ShowAlphaChannel | QColorDialog::NoButtons | QColorDialog::DontUseNativeDialog);
    setWindowTitle(tr("Colors"));
    connect(this, &QColorDialog::currentColorChanged, this,
            [this](const QColor& color) { emit colorChanged(graphics::Color::fromQColor(color)); });
}

ColorPanel* ColorPanel::shared()
{
    QPointer<ColorPanel>& panel = sharedPanel();
    if (!panel) {
        panel = new ColorPanel;
        // Widgets must go before the application object does.
        qAddPostRoutine(deleteSharedPanel);
    }
    return panel;
}

bool ColorPanel::sharedColorPanelExists()
{
    return !sharedPanel().isNull();
}

graphics::Color ColorPanel::color() const
{
    return graphics::Color::fromQColor(currentColor());
}

void ColorPanel::setColor(const graphics::Color& color)
{
    setCurrentColor(color.toQColor());
}

void ColorPanel::detach()
{
    if (parentWidget()) {
        hide();
        setParent(nullptr, Qt::Dialog);
    }
}

void ColorPanel::done(int result)
{
    // Return and Escape must not take an embedded panel out of the popover that shows it.
    if (parentWidget()) {
        return;
    }
    QColorDialog::done(result);
}

void ColorPanel::keyPressEvent(QKeyEvent* event)
{
    // Embedded, Escape belongs to whatever shows the panel: a popover closes on it.
    if (parentWidget() && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->ignore();
        return;
    }
    QColorDialog::keyPressEvent(event);
}

} // namespace appkit
