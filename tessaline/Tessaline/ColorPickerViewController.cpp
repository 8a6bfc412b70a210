#include "tessaline/Tessaline/ColorPickerViewController.h"

#include <QVBoxLayout>

namespace tessaline {

ColorPickerViewController::ColorPickerViewController(QObject* parent)
    : appkit::ViewController(parent)
{}

ColorPickerViewController::~ColorPickerViewController()
{
    // The shared panel outlives every picker.
    if (m_colorPanel && isViewLoaded() && view()->isAncestorOf(m_colorPanel)) {
        m_colorPanel->detach();
    }
}

void ColorPickerViewController::loadView()
{
    if (appkit::ColorPanel::sharedColorPanelExists()) {
        appkit::ColorPanel* panel = appkit::ColorPanel::shared();
        if (panel->isVisible() && panel->isWindow()) {
            panel->hide();
        }
    }
    m_colorPanel = appkit::ColorPanel::shared();
    m_colorPanel->setOption(QColorDialog::ShowAlphaChannel);
    auto* view = new QWidget;
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    setView(view);
    embedPanel();
}

void ColorPickerViewController::viewWillAppear()
{
    appkit::ViewController::viewWillAppear();
    embedPanel();
}

void ColorPickerViewController::embedPanel()
{
    if (!m_colorPanel) {
        return;
    }
    QWidget* container = view();
    if (m_colorPanel->parentWidget() == container) {
        return;
    }
    m_colorPanel->detach();
    m_colorPanel->setParent(container, Qt::Widget);
    container->layout()->addWidget(m_colorPanel);
    m_colorPanel->show();
}

} // namespace tessaline
