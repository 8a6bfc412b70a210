#include "app/ActionAlertBox.h"

#include <QMessageBox>

namespace pelorama::app {

void runActionAlert(const document::ActionAlert& alert, QWidget* parent)
{
    QMessageBox box(parent ? parent->window() : nullptr);
    box.setIcon(QMessageBox::Information);
    box.setText(alert.messageText);
    box.setInformativeText(alert.informativeText);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace pelorama::app
