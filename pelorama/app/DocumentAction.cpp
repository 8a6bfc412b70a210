#include "app/DocumentAction.h"

#include <array>
#include <utility>

namespace pelorama::app {
namespace {

constexpr std::array<std::pair<DocumentAction, const char*>, 10> names{{
    {DocumentAction::ShowTemplatePicker, "showTemplatePicker"},
    {DocumentAction::ShowShareMenu, "showShareMenu"},
    {DocumentAction::ShowFeedbackPopover, "showFeedbackPopover"},
    {DocumentAction::ExportAllScreenshots, "exportAllScreenshots"},
    {DocumentAction::ExportCurrentScreenshot, "exportCurrentScreenshot"},
    {DocumentAction::Cut, "cut"},
    {DocumentAction::Copy, "copy"},
    {DocumentAction::Paste, "paste"},
    {DocumentAction::DuplicateSelection, "duplicateSelection"},
    {DocumentAction::Delete, "delete"},
}};

} // namespace

QString selectorName(DocumentAction action)
{
    for (const auto& [candidate, name] : names) {
        if (candidate == action)
            return QString::fromLatin1(name);
    }
    return {};
}

std::optional<DocumentAction> documentActionNamed(const QString& selector)
{
    for (const auto& [action, name] : names) {
        if (selector == QLatin1String(name))
            return action;
    }
    return std::nullopt;
}

} // namespace pelorama::app
