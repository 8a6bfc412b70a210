#include "appkit/widgets/OpenPanel.h"

namespace appkit {

OpenPanel::OpenPanel(QWidget* parent)
    : QFileDialog(parent)
{
    // The same dialog on every desktop, and one that tests can drive.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    updateFileMode();
}

void OpenPanel::setPrompt(const QString& prompt)
{
    setLabelText(QFileDialog::Accept, prompt);
}

void OpenPanel::setCanChooseFiles(bool canChoose)
{
    m_canChooseFiles = canChoose;
    updateFileMode();
}

void OpenPanel::setCanChooseDirectories(bool canChoose)
{
    m_canChooseDirectories = canChoose;
    updateFileMode();
}

void OpenPanel::setAllowsMultipleSelection(bool allows)
{
    m_allowsMultipleSelection = allows;
    updateFileMode();
}

void OpenPanel::setCanCreateDirectories(bool canCreate)
{
    setOption(QFileDialog::ReadOnly, !canCreate);
}

void OpenPanel::setAllowedFileTypes(const QStringList& extensions)
{
    if (extensions.isEmpty()) {
        setNameFilter(QString());
        return;
    }
    QStringList patterns;
    for (const QString& extension : extensions) {
        patterns.append(QStringLiteral("*.") + extension);
    }
    setNameFilter(patterns.join(QLatin1Char(' ')));
}

QUrl OpenPanel::url() const
{
    const QList<QUrl> chosen = selectedUrls();
    return chosen.isEmpty() ? QUrl() : chosen.constFirst();
}

QList<QUrl> OpenPanel::urls() const
{
    return selectedUrls();
}

void OpenPanel::beginSheetModal(QWidget* window, std::function<void(Response)> completion)
{
    if (!window) {
        deleteLater();
        return;
    }
    setParent(window->window(), windowFlags());
    setWindowModality(Qt::WindowModal);
    connect(this, &QDialog::finished, this, [this, completion = std::move(completion)](int result) {
        if (completion) {
            completion(result == QDialog::Accepted ? Response::ok : Response::cancel);
        }
        deleteLater();
    });
    open();
}

void OpenPanel::updateFileMode()
{
    if (m_canChooseDirectories && !m_canChooseFiles) {
        setFileMode(QFileDialog::Directory);
        setOption(QFileDialog::ShowDirsOnly);
    } else if (m_allowsMultipleSelection) {
        setFileMode(QFileDialog::ExistingFiles);
    } else {
        setFileMode(QFileDialog::ExistingFile);
    }
}

} // namespace appkit
