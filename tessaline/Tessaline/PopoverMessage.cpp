#include "tessaline/Tessaline/PopoverMessage.h"

#include "appkit/widgets/Popover.h"
#include "appkit/widgets/ViewController.h"
#include "tessaline/Shared/MarkupParser.h"
#include "tessaline/Tessaline/HeightForWidthTextField.h"

#include <QVBoxLayout>
#include <functional>

namespace tessaline {
namespace {

appkit::Popover* showPopover(QWidget* view, const std::function<void(HeightForWidthTextField&)>& configure)
{
    if (!view) {
        return nullptr;
    }
    auto* field = new HeightForWidthTextField;
    field->setObjectName(QStringLiteral("message"));
    field->setPreferredMaxLayoutWidth(PopoverMessage::textWidth);
    configure(*field);

    auto* container = new QWidget;
    auto* layout = new QVBoxLayout(container);
    const int margin = static_cast<int>(PopoverMessage::margin);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The text wraps at 250 points and the field is as tall as the wrapped lines.
    field->setFixedSize(static_cast<int>(PopoverMessage::textWidth),
                        field->heightForWidth(static_cast<int>(PopoverMessage::textWidth)));
    layout->addWidget(field);
    layout->activate();

    auto* popover = new appkit::Popover;
    popover->setBehavior(appkit::Popover::Behavior::passive);
    popover->setReleasedWhenClosed(true);
    auto* controller = new appkit::ViewController(popover);
    controller->setView(container);
    popover->setContentViewController(controller);
    popover->showRelativeTo(QRect(), view, appkit::RectEdge::top);
    return popover;
}

} // namespace

appkit::Popover* PopoverMessage::showMessage(const QString& message, QWidget* view)
{
    return showPopover(view, [&](HeightForWidthTextField& field) { field.setStringValue(message); });
}

appkit::Popover* PopoverMessage::showAttributedMessage(const graphics::AttributedString& message,
                                                       QWidget* view)
{
    return showPopover(view,
                       [&](HeightForWidthTextField& field) { field.setAttributedStringValue(message); });
}

appkit::Popover* PopoverMessage::showMarkupMessage(const QString& message, QWidget* view)
{
    return showAttributedMessage(MarkupParser().parse(message), view);
}

} // namespace tessaline
