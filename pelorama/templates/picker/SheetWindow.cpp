#include "templates/picker/SheetWindow.h"

#include "appkit/widgets/ViewController.h"

#include <QVBoxLayout>

namespace pelorama::templates {

SheetWindow::SheetWindow(QWidget* parentWindow, std::unique_ptr<appkit::ViewController> controller,
                         std::function<void(int)> completion)
    : QDialog(parentWindow, Qt::Sheet)
    , m_controller(std::move(controller))
    , m_completion(std::move(completion))
{
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_controller->view());
    // Closing the sheet from the window manager, or Escape, cancels it.
    connect(this, &QDialog::finished, this, [this](int code) { endSheet(code); });
}

SheetWindow* SheetWindow::beginSheet(QWidget* parentWindow,
                                     std::unique_ptr<appkit::ViewController> controller,
                                     std::function<void(int)> completion)
{
    QWidget* content = controller->view();
    const QSize preferred = content->size().expandedTo(content->minimumSize());
    auto* sheet = new SheetWindow(parentWindow, std::move(controller), std::move(completion));
    sheet->resize(preferred);
    sheet->open();
    return sheet;
}

SheetWindow* SheetWindow::sheetContaining(const QWidget* widget)
{
    return widget ? qobject_cast<SheetWindow*>(widget->window()) : nullptr;
}

void SheetWindow::endSheet(int returnCode)
{
    if (m_ended)
        return;
    m_ended = true;
    hide();
    if (m_completion)
        m_completion(returnCode);
    close();
}

} // namespace pelorama::templates
