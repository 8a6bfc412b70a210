#pragma once

#include <QString>
#include <optional>

namespace pelorama::app {

// The document's commands on whole screenshots, as menus and toolbar items name them.
enum class DocumentAction
{
    ShowTemplatePicker,
    ShowShareMenu,
    ShowFeedbackPopover,
    ExportAllScreenshots,
    ExportCurrentScreenshot,
    Cut,
    Copy,
    Paste,
    DuplicateSelection,
    Delete,
};

// The command's name ("showTemplatePicker", "exportAllScreenshots", ...), which menu and toolbar items
// carry as their selector.
QString selectorName(DocumentAction action);
std::optional<DocumentAction> documentActionNamed(const QString& selector);

} // namespace pelorama::app
