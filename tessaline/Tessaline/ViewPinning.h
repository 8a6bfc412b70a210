#pragma once

#include "tessaline/Tessaline/TessalineWidgetsExport.h"

class QWidget;

// Pinning a widget to another one, as layout constraints would. In the sign convention of these calls,
// receiver.edge = view.edge + constant, with positive constants pointing rightwards and downwards. When
// one of the two widgets contains the other, the inner one is placed; otherwise the receiver follows
// the view. All distances are in points.
namespace tessaline {

// receiver's edges equal view's, each moved outwards by border: a subview pinned this way sits border
// points inside every edge of its container.
TESSALINE_WIDGETS_EXPORT void pinWidthAndHeight(QWidget* receiver, QWidget* view, double border = 0);
// Centres equal; the placed widget keeps its preferred size.
TESSALINE_WIDGETS_EXPORT void pinCenter(QWidget* receiver, QWidget* view);
// Centres equal; receiver stays inside view's rectangle shrunk by border: a centred subview may reach up
// to border points beyond each edge of its container.
TESSALINE_WIDGETS_EXPORT void pinCenterAndConstrainInside(QWidget* receiver, QWidget* view,
                                                          double border = 0);

// A widget that pins the subviews added to it its own way: the adding operations below call its
// overrides in place of the standard pinning. Each default is the standard operation with the widget as
// receiver; a widget overriding some variants keeps the others by a using-declaration.
class TESSALINE_WIDGETS_EXPORT PinningView
{
public:
    virtual ~PinningView() = default;

    virtual void pinWidthAndHeightOf(QWidget* view);
    virtual void pinWidthAndHeightOf(QWidget* view, double border);
    virtual void pinCenterOf(QWidget* view);
    virtual void pinCenterAndConstrainInsideFor(QWidget* view);
    virtual void pinCenterAndConstrainInsideFor(QWidget* view, double border);

protected:
    PinningView() = default;
    PinningView(const PinningView&) = default;
    PinningView& operator=(const PinningView&) = default;

private:
    QWidget* receiver();
};

// Each makes subview the receiver's last child and pins it with the matching operation above, or with
// the receiver's own when it is a PinningView.
TESSALINE_WIDGETS_EXPORT void addAndPin(QWidget* receiver, QWidget* subview);
TESSALINE_WIDGETS_EXPORT void addAndPin(QWidget* receiver, QWidget* subview, double border);
TESSALINE_WIDGETS_EXPORT void addAndCenter(QWidget* receiver, QWidget* subview);
TESSALINE_WIDGETS_EXPORT void addCenteredAndConstrainedToBounds(QWidget* receiver, QWidget* subview);
TESSALINE_WIDGETS_EXPORT void addCenteredAndConstrainedToBounds(QWidget* receiver, QWidget* subview,
                                                                double border);

} // namespace tessaline
