#pragma once

#include "appkit/widgets/ViewController.h"
#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QList>
#include <QPointer>

namespace tessaline {

// Shows a stack of view controllers inside one content view; the segues PushSegue and ReplaceSegue
// change the stack. Stacked controllers are children of the navigation controller, and their views fill
// the content view, the newest on top.
class TESSALINE_WIDGETS_EXPORT NavigationController : public appkit::ViewController
{
    Q_OBJECT
    Q_PROPERTY(QWidget* contentView READ contentView WRITE setContentView)

public:
    explicit NavigationController(QObject* parent = nullptr);

    // Bottom first.
    QList<appkit::ViewController*> navigationStack() const;
    void setNavigationStack(const QList<appkit::ViewController*>& stack);

    // Where stacked controllers' views go; the controller's own view when none was set by the time it
    // first appears.
    QWidget* contentView() const { return m_contentView; }
    void setContentView(QWidget* view) { m_contentView = view; }

protected:
    // Adopts the controller that owns the content view's first child as the root of an empty stack.
    void viewWillAppear() override;

private:
    QList<QPointer<appkit::ViewController>> m_navigationStack;
    QPointer<QWidget> m_contentView;
};

} // namespace tessaline
