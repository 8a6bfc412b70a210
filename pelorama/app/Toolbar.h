#pragma once

#include <QToolBar>
#include <functional>

namespace pelorama::app {

// The document window's toolbar. Each item is an action with an identifier (its object name) and,
// unless it only carries a control of its own, the name of the command it sends (its "selector").
// validateVisibleItems enables each item whose view is a control by asking the command's target: a
// target that implements ToolbarItemValidation decides, any other target enables it, and an item whose
// command nothing handles keeps its state.
class Toolbar : public QToolBar
{
    Q_OBJECT

public:
    static constexpr const char* selectorProperty = "selector";
    // Finds the object that handles the command named selector, or null.
    using TargetResolver = std::function<QObject*(const QString& selector)>;

    explicit Toolbar(const QString& identifier, QWidget* parent = nullptr);

    void setTargetResolver(TargetResolver resolver) { m_targetResolver = std::move(resolver); }
    // An item sending selector when triggered; the window's owner connects it to the command.
    QAction* addItem(const QString& identifier, const QString& label, const QIcon& icon,
                     const QString& selector);
    // The first item with this identifier, or null.
    QAction* itemWithIdentifier(const QString& identifier) const;
    static QString selector(const QAction& item);

    void validateVisibleItems();

private:
    TargetResolver m_targetResolver;
};

} // namespace pelorama::app
