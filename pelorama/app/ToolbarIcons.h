#pragma once

#include <QIcon>

namespace pelorama::app {

// The toolbar's pictures, drawn in code in the palette's text colour.
enum class ToolbarIcon
{
    Add,
    Export,
    Share,
    Feedback
};

QIcon toolbarIcon(ToolbarIcon icon, const QColor& ink);

} // namespace pelorama::app
