#pragma once

#include <QMainWindow>
#include <QObject>
#include <QPointer>
#include <memory>

namespace appkit {

class Document;

// One window of a document, made in code on first use and kept by the document's DocumentWindows, and
// destroyed with its controller. The window's title follows the document's name and edited state;
// closing the last window of a document closes the document, which first asks about unsaved changes
// and may keep it open.
class WindowController : public QObject
{
    Q_OBJECT

public:
    explicit WindowController(Document* document);
    ~WindowController() override;

    Document* document() const { return m_document; }
    // Makes the window on first use: makeWindow(), windowDidLoad(), then the document's windows emit
    // windowDidLoad() so that the document fills the window.
    QMainWindow* window();
    bool isWindowLoaded() const { return m_window; }
    // Shows the window and brings it forward. The first time, it is placed wholly on the screen of the
    // active window, a step down and to the right of it, or, given replaced (a window about to go), in
    // replaced's place.
    void showWindow(const QWidget* replaced = nullptr);

protected:
    // The window; the default is an empty main window.
    virtual std::unique_ptr<QMainWindow> makeWindow();
    virtual void windowDidLoad() {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void synchronizeWindowTitle();

    Document* m_document;
    QPointer<QMainWindow> m_window;
    bool m_placed = false;
};

} // namespace appkit
