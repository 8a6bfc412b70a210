#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace tessaline {

// Keeps one widget's geometry tied to another's, the way a set of layout constraints would. The widget
// that moves is the one inside the other when one contains the other, else the receiver of the pinning
// call. The constraint lives as a child of the moving widget and goes with it.
class PinConstraint : public QObject
{
    Q_OBJECT

public:
    enum class Kind
    {
        // Every edge equal, with the border as an inset of the inner widget.
        edges,
        // Centres equal; the moving widget keeps its preferred size.
        center,
        // Centres equal; the inner widget may reach the border beyond each edge of the outer one.
        centerInside,
    };

    // Ties receiver and view as the pinning operations describe (receiver.edge = view.edge -/+ border).
    static void install(QWidget* receiver, QWidget* view, Kind kind, double border);

    // Places the moving widget now.
    void apply();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PinConstraint(QWidget* moving, QWidget* reference, Kind kind, double border, bool movingIsInner);

    QPointer<QWidget> m_moving;
    QPointer<QWidget> m_reference;
    Kind m_kind;
    double m_border;
    bool m_movingIsInner;
};

} // namespace tessaline
