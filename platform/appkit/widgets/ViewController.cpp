#include "appkit/widgets/ViewController.h"

#include <QEvent>

namespace appkit {
namespace {

constexpr const char* controllerProperty = "appkit.viewController";

} // namespace

ViewController::ViewController(QObject* parent)
    : QObject(parent)
{}

ViewController::~ViewController()
{
    if (m_view) {
        m_view->removeEventFilter(this);
        m_view->setProperty(controllerProperty, QVariant());
        delete m_view.data();
    }
}

QWidget* ViewController::view()
{
    if (!m_view) {
        loadView();
        if (!m_view) {
            setView(new QWidget);
        }
        viewDidLoad();
    }
    return m_view;
}

bool ViewController::isViewLoaded() const
{
    return !m_view.isNull();
}

void ViewController::setView(QWidget* view)
{
    if (m_view == view) {
        return;
    }
    if (QWidget* replaced = m_view.data()) {
        replaced->removeEventFilter(this);
        replaced->setProperty(controllerProperty, QVariant());
        // The new view may sit inside the one it replaces; it must not go down with it.
        if (view && replaced->isAncestorOf(view)) {
            view->setParent(nullptr);
        }
        // The replaced view may be the one whose event led here (a button inside it), so it goes once
        // control is back in the event loop; until then it is out of sight. A parent widget that goes
        // first takes it along, which cancels the pending deletion.
        replaced->hide();
        replaced->deleteLater();
    }
    m_view = view;
    if (view) {
        view->setProperty(controllerProperty, QVariant::fromValue<QObject*>(this));
        view->installEventFilter(this);
    }
}

ViewController* ViewController::parentViewController() const
{
    return qobject_cast<ViewController*>(parent());
}

QList<ViewController*> ViewController::childViewControllers() const
{
    QList<ViewController*> result;
    for (QObject* child : children()) {
        if (auto* controller = qobject_cast<ViewController*>(child)) {
            result.append(controller);
        }
    }
    return result;
}

void ViewController::addChildViewController(ViewController* child)
{
    if (child && child != this) {
        child->setParent(this);
    }
}

void ViewController::addChildViewController(std::unique_ptr<ViewController> child)
{
    addChildViewController(child.release());
}

std::unique_ptr<ViewController> ViewController::removeFromParentViewController()
{
    if (!parentViewController()) {
        return nullptr;
    }
    setParent(nullptr);
    return std::unique_ptr<ViewController>(this);
}

std::shared_ptr<const Storyboard> ViewController::storyboard() const
{
    return m_storyboard;
}

void ViewController::setStoryboard(std::shared_ptr<const Storyboard> storyboard)
{
    m_storyboard = std::move(storyboard);
}

ViewController* ViewController::forView(const QWidget* widget)
{
    if (!widget) {
        return nullptr;
    }
    return qobject_cast<ViewController*>(widget->property(controllerProperty).value<QObject*>());
}

ViewController* ViewController::nextResponderController(const QWidget* widget)
{
    // A view's next responder is its own controller when it has one, else its parent widget.
    for (const QWidget* current = widget; current;) {
        if (ViewController* controller = forView(current)) {
            return controller;
        }
        current = current->parentWidget();
    }
    return nullptr;
}

void ViewController::loadView()
{
    setView(new QWidget);
}

bool ViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view) {
        if (event->type() == QEvent::Show) {
            viewWillAppear();
        } else if (event->type() == QEvent::Hide) {
            viewDidDisappear();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace appkit
