#pragma once

#include "graphics/AttributedString.h"
#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QString>

class QWidget;

namespace appkit {
class Popover;
}

namespace tessaline {

// Shows a short message in a passive popover above a widget: the text wraps at 250 points inside a
// margin of 10 points, so the content is 270 points wide. The message takes neither the keyboard nor
// clicks, so the user goes on typing or clicking where they were; it goes at the next mouse press, or
// when whoever showed it closes it (say, once the field it is about is edited). Nothing needs to hold
// the popover; it goes away by itself when closed. Each call returns the popover it opened (null when
// nothing was shown).
class TESSALINE_WIDGETS_EXPORT PopoverMessage
{
public:
    static constexpr double textWidth = 250;
    static constexpr double margin = 10;

    static appkit::Popover* showMessage(const QString& message, QWidget* view);
    static appkit::Popover* showAttributedMessage(const graphics::AttributedString& message, QWidget* view);
    // Parses the message with a MarkupParser of default settings.
    static appkit::Popover* showMarkupMessage(const QString& message, QWidget* view);
};

} // namespace tessaline
