#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

namespace appkit {

class Storyboard;

// Owns one widget, its view, made on first request. The controller can be found from its view
// (forView), and from any widget inside it (enclosing). Child controllers are QObject children; a
// controller removed from its parent is handed back to the caller.
class ViewController : public QObject
{
    Q_OBJECT

public:
    explicit ViewController(QObject* parent = nullptr);
    ~ViewController() override;

    // Loads the view on first use: loadView(), then viewDidLoad().
    QWidget* view();
    bool isViewLoaded() const;
    // Takes ownership of view; the controller deletes it with itself unless a parent widget did so first.
    // A view it replaces is hidden and deleted on the next pass of the event loop (a view inside it is
    // taken out first, so it survives).
    void setView(QWidget* view);

    ViewController* parentViewController() const;
    QList<ViewController*> childViewControllers() const;
    void addChildViewController(ViewController* child);
    void addChildViewController(std::unique_ptr<ViewController> child);
    // Detaches from the parent controller; the caller owns the result (null when there was no parent).
    std::unique_ptr<ViewController> removeFromParentViewController();

    // The storyboard the controller was made from, or null.
    std::shared_ptr<const Storyboard> storyboard() const;
    void setStoryboard(std::shared_ptr<const Storyboard> storyboard);

    // The controller whose view is exactly widget, or null.
    static ViewController* forView(const QWidget* widget);
    // Walks the responder chain that starts after widget: each widget's own controller, else its parent
    // widget. The first controller met is returned, or null at the end of the chain.
    static ViewController* nextResponderController(const QWidget* widget);

protected:
    // Makes the view; the default is an empty widget.
    virtual void loadView();
    virtual void viewDidLoad() {}
    // Called each time the view is about to be shown.
    virtual void viewWillAppear() {}
    virtual void viewDidDisappear() {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_view;
    std::shared_ptr<const Storyboard> m_storyboard;
};

} // namespace appkit
