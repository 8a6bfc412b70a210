#include "appkit/widgets/FileErrorAlert.h"

#include <QFileInfo>
#include <QMessageBox>

namespace appkit {

QMessageBox* FileErrorAlert::present(QWidget* parent, const QString& path, const QString& reason)
{
    const QString name = QFileInfo(path).fileName();
    auto* alert =
        new QMessageBox(QMessageBox::Warning, QString(),
                        QStringLiteral("“%1” could not be opened.").arg(name.isEmpty() ? path : name),
                        QMessageBox::NoButton, parent);
    alert->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    alert->setInformativeText(reason);
    alert->setAttribute(Qt::WA_DeleteOnClose);
    alert->setWindowModality(Qt::WindowModal);
    alert->open();
    return alert;
}

} // namespace appkit
