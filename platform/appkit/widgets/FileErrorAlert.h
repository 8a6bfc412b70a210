#pragma once

#include <QString>

class QMessageBox;
class QWidget;

namespace appkit {

// Tells the user that a file could not be used: a warning that names the file, with the reason beneath
// it and the one button "OK".
class FileErrorAlert
{
public:
    // Shows the alert over parent's window, window-modal and not waited for, so that whatever failed
    // finishes first. The alert is parent's child until it closes, then deletes itself.
    static QMessageBox* present(QWidget* parent, const QString& path, const QString& reason);
};

} // namespace appkit
