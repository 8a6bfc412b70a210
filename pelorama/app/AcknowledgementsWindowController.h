#pragma once

#include <QObject>
#include <QPointer>
#include <QTextEdit>

class QWidget;

namespace pelorama::app {

// The window listing the credits and licence notices of what the program uses. The window is made on
// first use; when it has loaded, its text view is filled with the acknowledgements, styled by the
// framework's markup parser at the small system font size. Escape and Ctrl+W close it. Main thread only.
class AcknowledgementsWindowController : public QObject
{
    Q_OBJECT

public:
    explicit AcknowledgementsWindowController(QObject* parent = nullptr);
    ~AcknowledgementsWindowController() override;

    // Makes the window on first use.
    QWidget* window();
    bool isWindowLoaded() const { return !m_window.isNull(); }
    QTextEdit* textView() const { return m_textView; }
    // Shows the window and makes it the active one; a window not shown yet comes up centred over the
    // active window.
    void showWindow();

protected:
    void windowDidLoad();

private:
    QPointer<QWidget> m_window;
    QPointer<QTextEdit> m_textView;
};

} // namespace pelorama::app
