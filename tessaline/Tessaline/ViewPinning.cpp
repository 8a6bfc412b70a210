#include "tessaline/Tessaline/ViewPinning.h"

#include "tessaline/Tessaline/PinConstraint.h"

#include <QMetaObject>
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

bool hasMethod(const QWidget* receiver, const char* signature)
{
    return receiver->metaObject()->indexOfMethod(signature) >= 0;
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

void addAndPin(QWidget* receiver, QWidget* subview)
{
    if (!receiver || !subview) {
        return;
    }
    addSubview(receiver, subview);
    if (hasMethod(receiver, "pinWidthAndHeightOf(QWidget*)")) {
        QMetaObject::invokeMethod(receiver, "pinWidthAndHeightOf", Q_ARG(QWidget*, subview));
    } else {
        pinWidthAndHeight(receiver, subview);
    }
}

void addAndPin(QWidget* receiver, QWidget* subview, double border)
{
    if (!receiver || !subview) {
        return;
    }
    addSubview(receiver, subview);
    if (hasMethod(receiver, "pinWidthAndHeightOf(QWidget*,double)")) {
        QMetaObject::invokeMethod(receiver, "pinWidthAndHeightOf", Q_ARG(QWidget*, subview),
                                  Q_ARG(double, border));
    } else {
        pinWidthAndHeight(receiver, subview, border);
    }
}

void addAndCenter(QWidget* receiver, QWidget* subview)
{
    if (!receiver || !subview) {
        return;
    }
    addSubview(receiver, subview);
    if (hasMethod(receiver, "pinCenterOf(QWidget*)")) {
        QMetaObject::invokeMethod(receiver, "pinCenterOf", Q_ARG(QWidget*, subview));
    } else {
        pinCenter(receiver, subview);
    }
}

void addCenteredAndConstrainedToBounds(QWidget* receiver, QWidget* subview)
{
    if (!receiver || !subview) {
        return;
    }
    addSubview(receiver, subview);
    if (hasMethod(receiver, "pinCenterAndConstrainInsideFor(QWidget*)")) {
        QMetaObject::invokeMethod(receiver, "pinCenterAndConstrainInsideFor", Q_ARG(QWidget*, subview));
    } else {
        pinCenterAndConstrainInside(receiver, subview);
    }
}

void addCenteredAndConstrainedToBounds(QWidget* receiver, QWidget* subview, double border)
{
    if (!receiver || !subview) {
        return;
    }
    addSubview(receiver, subview);
    if (hasMethod(receiver, "pinCenterAndConstrainInsideFor(QWidget*,double)")) {
        QMetaObject::invokeMethod(receiver, "pinCenterAndConstrainInsideFor", Q_ARG(QWidget*, subview),
                                  Q_ARG(double, border));
    } else {
        pinCenterAndConstrainInside(receiver, subview, border);
    }
}

} // namespace tessaline
