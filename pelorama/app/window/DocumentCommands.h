#pragma once

#include "document/ActionAlert.h"
#include "templates/picker/SheetWindow.h"

#include <QObject>
#include <QPointer>
#include <optional>

class QAbstractButton;
class QWidget;

namespace appkit {
class Popover;
}

namespace pelorama::app {

class Document;
class FeedbackViewController;

// What the commands on a document's screenshots do, as its window offers them: the template picker,
// export with its panels and progress window, the edit commands, sharing and the feedback form. Panels,
// sheets and alerts come up on the window; a command that fails says why in an alert. Whether a command
// may run is the window's actions' to decide. Every panel or sheet left open holds the document weakly.
class DocumentCommands : public QObject
{
    Q_OBJECT

public:
    DocumentCommands(Document& document, QWidget& window);

    // Shows the template picker as a sheet on the window (once at a time); the chosen template's new
    // screenshot goes after the selected one (last without a selection) and is selected.
    void showTemplatePicker();
    // The picker while it is shown.
    templates::SheetWindow* templatePickerSheet() const { return m_templatePickerSheet; }

    // Checks the names, asks for a directory (a sheet on the window) and writes every screenshot into
    // it while the progress window shows how far it has got; then one alert for whatever failed.
    void exportAllScreenshots();
    // Asks for a file (a sheet on the window) and writes the selected screenshot to it as Export All
    // writes each file, while the window goes on; an alert says what failed.
    void exportCurrentScreenshot();
    void cut();
    void copy();
    void paste();
    void duplicateSelection();
    void deleteSelection();
    // The selected screenshot as an image: a menu below button.
    void showShareMenu(QAbstractButton& button);
    // The feedback form in a popover below anchor, or, without one, along the top of the window's
    // content. The window keeps one form, so what was typed is there again the next time.
    void showFeedbackPopover(QWidget* anchor);

signals:
    // After a template's screenshot was inserted and selected.
    void templateInserted();

private:
    void insertTemplateScreenshot(int returnCode);
    void runAlertIfAny(const std::optional<document::ActionAlert>& alert);

    Document& m_document;
    QWidget& m_window;
    QPointer<templates::SheetWindow> m_templatePickerSheet;
    QPointer<FeedbackViewController> m_feedbackForm;
    QPointer<appkit::Popover> m_feedbackPopover;
};

} // namespace pelorama::app
