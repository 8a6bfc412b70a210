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

// Each makes subview the receiver's last child and pins it with the matching operation above. The
// pinning is dispatched by name: a receiver whose class declares the invokable method
// pinWidthAndHeightOf(QWidget*[, double]), pinCenterOf(QWidget*) or
// pinCenterAndConstrainInsideFor(QWidget*[, double]) has that method called instead.
TESSALINE_WIDGETS_EXPORT void addAndPin(QWidget* receiver, QWidget* subview);
TESSALINE_WIDGETS_EXPORT void addAndPin(QWidget* receiver, QWidget* subview, double border);
TESSALINE_WIDGETS_EXPORT void addAndCenter(QWidget* receiver, QWidget* subview);
TESSALINE_WIDGETS_EXPORT void addCenteredAndConstrainedToBounds(QWidget* receiver, QWidget* subview);
TESSALINE_WIDGETS_EXPORT void addCenteredAndConstrainedToBounds(QWidget* receiver, QWidget* subview,
                                                                double border);

} // namespace tessaline
