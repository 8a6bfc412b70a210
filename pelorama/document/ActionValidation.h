#pragma once

#include <QString>

namespace pelorama::document {

// Whether a document command may run now; notHandled for a command that is not the document's, whose
// menu item keeps the answer the item would have had anyway.
enum class ActionValidation
{
    enabled,
    disabled,
    notHandled,
};

// A menu item: the document's answer, or baseAnswer for a command it does not handle.
inline bool isMenuItemEnabled(ActionValidation validation, bool baseAnswer)
{
    return validation == ActionValidation::notHandled ? baseAnswer : validation == ActionValidation::enabled;
}

// A toolbar item is enabled unless the document disables its command.
inline bool isToolbarItemEnabled(ActionValidation validation)
{
    return validation != ActionValidation::disabled;
}

} // namespace pelorama::document
