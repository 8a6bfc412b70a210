#pragma once

#include <QDialog>
#include <functional>
#include <memory>

namespace appkit {
class ViewController;
} // namespace appkit

namespace pelorama::templates {

// A sheet: a window-modal dialog over a parent window whose content is a view controller's view. It
// ends with a return code, after which the completion runs on the main thread and the sheet (with its
// controller) goes away.
class SheetWindow : public QDialog
{
    Q_OBJECT

public:
    // Shows controller's view as a sheet on parentWindow and returns at once.
    static SheetWindow* beginSheet(QWidget* parentWindow, std::unique_ptr<appkit::ViewController> controller,
                                   std::function<void(int returnCode)> completion);
    // The sheet that widget is shown in, or null when it is in none.
    static SheetWindow* sheetContaining(const QWidget* widget);

    appkit::ViewController* contentViewController() const { return m_controller.get(); }
    // Ends the sheet with returnCode.
    void endSheet(int returnCode);

private:
    SheetWindow(QWidget* parentWindow, std::unique_ptr<appkit::ViewController> controller,
                std::function<void(int)> completion);

    std::unique_ptr<appkit::ViewController> m_controller;
    std::function<void(int)> m_completion;
    bool m_ended = false;
};

} // namespace pelorama::templates
