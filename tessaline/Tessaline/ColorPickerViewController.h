#pragma once

#include "appkit/widgets/ColorPanel.h"
#include "appkit/widgets/ViewController.h"
#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QPointer>

namespace tessaline {

// Shows the shared colour panel, with its opacity control, as its view's content. All pickers share the
// one panel: it moves into whichever controller's view is about to appear.
class TESSALINE_WIDGETS_EXPORT ColorPickerViewController : public appkit::ViewController
{
    Q_OBJECT

public:
    explicit ColorPickerViewController(QObject* parent = nullptr);
    ~ColorPickerViewController() override;

    // The shared panel, once the view was loaded.
    appkit::ColorPanel* colorPanel() const { return m_colorPanel; }

protected:
    // Hides the panel when it floats on its own, takes it over and embeds it.
    void loadView() override;
    void viewWillAppear() override;

private:
    void embedPanel();

    QPointer<appkit::ColorPanel> m_colorPanel;
};

} // namespace tessaline
