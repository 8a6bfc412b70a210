#include "tessaline/Tessaline/ViewPinning.h"

#include "tessaline/Tessaline/PinConstraint.h"

#include <QWidget>

namespace tessaline {
namespace {

void addSubview(QWidget* receiver, QWidget* subview)
{
    const bool hiddenOnPurpose =
        subview->isHidden() && subview->testAttribute(Qt::WA_WState_ExplicitShowHide);
    subview->setParent(receiver);
    if (!hiddenOnPurpose) {
        subview->show();
    }
}

} // namespace

void pinWidthAndHeight(QWidget* receiver, QWidget* view, double border)
{
    PinConstraint::install(receiver, view, PinConstraint::Kind::edges, border);
}

void pinCenter(QWidget* receiver, QWidget* view)
{
    PinConstraint::install(receiver, view, PinConstraint::Kind::center, 0);
}

void pinCenterAndConstrainInside(QWidget* receiver, QWidget* view, double border)
{
    PinConstraint::install(receiver, view, PinConstraint::Kind::centerInside, border);
}

QWidget* PinningView::receiver()
{
    // Only the adding operations call these, with a widget that is this one.
    return dynamic_cast<QWidget*>(this);
}

void PinningView::pinWidthAndHeightOf(QWidget* view)
{
    pinWidthAndHeight(receiver(), view);
}

void PinningView::pinWidthAndHeightOf(QWidget* view, double border)
{
    pinWidthAndHeight(receiver(), view, border);
}

void PinningView::pinCenterOf(QWidget* view)
{
    pinCenter(receiver(), view);
}

void PinningView::pinCenterAndConstrainInsideFor(QWidget* view)
{
    pinCenterAndConstrainInside(receiver(), view);
}

void PinningView::pinCenterAndConstrainInsideFor(QWidget* view, double border)
{
    pinCenterAndConstrainInside(receiver(), view, border);
}

namespace {

// Adds subview, then pins it with the receiver's own operation when it is a PinningView, else with the
// standard one.
template <typename Own, typename Standard>
void addAndPlace(QWidget* receiver, QWidget* subview, Own own, Standard standard)
{
    if (!receiver || !subview)
        return;
    addSubview(receiver, subview);
    if (auto* custom = dynamic_cast<PinningView*>(receiver))
        own(*custom);
    else
        standard();
}

} // namespace

void addAndPin(QWidget* receiver, QWidget* subview)
{
    addAndPlace(
        receiver, subview, [subview](PinningView& own) { own.pinWidthAndHeightOf(subview); },
        [receiver, subview] { pinWidthAndHeight(receiver, subview); });
}

void addAndPin(QWidget* receiver, QWidget* subview, double border)
{
    addAndPlace(
        receiver, subview, [subview, border](PinningView& own) { own.pinWidthAndHeightOf(subview, border); },
        [receiver, subview, border] { pinWidthAndHeight(receiver, subview, border); });
}

void addAndCenter(QWidget* receiver, QWidget* subview)
{
    addAndPlace(
        receiver, subview, [subview](PinningView& own) { own.pinCenterOf(subview); },
        [receiver, subview] { pinCenter(receiver, subview); });
}

void addCenteredAndConstrainedToBounds(QWidget* receiver, QWidget* subview)
{
    addAndPlace(
        receiver, subview, [subview](PinningView& own) { own.pinCenterAndConstrainInsideFor(subview); },
        [receiver, subview] { pinCenterAndConstrainInside(receiver, subview); });
}

void addCenteredAndConstrainedToBounds(QWidget* receiver, QWidget* subview, double border)
{
    addAndPlace(
        receiver, subview,
        [subview, border](PinningView& own) { own.pinCenterAndConstrainInsideFor(subview, border); },
        [receiver, subview, border] { pinCenterAndConstrainInside(receiver, subview, border); });
}

} // namespace tessaline
