#pragma once

#include "document/ActionAlert.h"
#include "document/ActionValidation.h"

#include <QString>
#include <optional>

class QObject;
class QWidget;

namespace pelorama::model {
class Screenshot;
} // namespace pelorama::model

namespace pelorama::app {

class Document;

// The document's commands on whole screenshots as its window offers them: export with its panels and
// progress window, the edit commands, sharing and the feedback form, and whether each may run now.
// Made for one command and dropped after it; every dialog it leaves open holds the document weakly.
class DocumentCommands
{
public:
    explicit DocumentCommands(Document& document);

    // Checks the names, asks for a directory (a sheet on the window) and writes every screenshot into
    // it while the progress window shows how far it has got; then one alert for whatever failed.
    void exportAllScreenshots();
    // Asks for a file (a sheet on the window) and writes the selected screenshot to it.
    void exportCurrentScreenshot();
    void cut();
    void copy();
    void paste();
    void duplicateSelection();
    void deleteSelection();
    // Places a screenshot just made from a template after the selection, or last; false when it could
    // not be named and was taken out again (the alert has said why).
    bool insertScreenshot(model::Screenshot& screenshot);
    // The canvas shown, as an image: a menu below the toolbar button; from anything else, nothing.
    void showShareMenu(QObject* sender);
    // The feedback form in a popover at sender when it is a button, else at the toolbar's "feedback"
    // button, else along the top of the window's content.
    void showFeedbackPopover(QObject* sender);

    // The answer for a command ("cut", "exportAllScreenshots", ...); notHandled when no list is shown
    // yet or the command is not one of those.
    static document::ActionValidation validate(const Document& document, const QString& selector);

    // A modal informational alert with one button "OK", in front of parent's window.
    static void runAlert(const document::ActionAlert& alert, QWidget* parent = nullptr);

private:
    void runAlertIfAny(const std::optional<document::ActionAlert>& alert) const;

    Document& m_document;
};

} // namespace pelorama::app
