#include "tessaline/Tessaline/NavigationController.h"

namespace tessaline {

NavigationController::NavigationController(QObject* parent)
    : appkit::ViewController(parent)
{}

QList<appkit::ViewController*> NavigationController::navigationStack() const
{
    QList<appkit::ViewController*> stack;
    for (const QPointer<appkit::ViewController>& controller : m_navigationStack) {
        if (controller) {
            stack.append(controller);
        }
    }
    return stack;
}

void NavigationController::setNavigationStack(const QList<appkit::ViewController*>& stack)
{
    m_navigationStack.clear();
    for (appkit::ViewController* controller : stack) {
        m_navigationStack.append(controller);
    }
}

void NavigationController::viewWillAppear()
{
    appkit::ViewController::viewWillAppear();
    if (!m_contentView) {
        m_contentView = view();
        return;
    }
    // Showing the view again must not forget controllers that were pushed since it last appeared.
    if (!navigationStack().isEmpty()) {
        return;
    }
    const QList<QWidget*> subviews = m_contentView->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    if (subviews.isEmpty()) {
        return;
    }
    if (appkit::ViewController* root =
            appkit::ViewController::nextResponderController(subviews.constFirst())) {
        setNavigationStack({root});
    }
}

} // namespace tessaline
