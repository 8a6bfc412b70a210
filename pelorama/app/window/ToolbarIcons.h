#pragma once

#include <QIcon>

namespace pelorama::app {

// The toolbar's pictures, drawn in code in the palette's text colour.
enum class ToolbarIcon
{
    add,
    exportAll,
    share,
    feedback,
    language
};

QIcon toolbarIcon(ToolbarIcon icon, const QColor& ink);

} // namespace pelorama::app
