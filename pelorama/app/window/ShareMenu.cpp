#include "app/window/ShareMenu.h"

#include "canvas/CanvasPasteboardDataProvider.h"
#include "document/ExportFileNames.h"
#include "graphics/PngWriter.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QUrl>

namespace pelorama::app {

namespace {

// Files handed to viewers must outlast the call; they go when the application ends.
QTemporaryDir& shareDirectory()
{
    static QTemporaryDir directory(QDir::tempPath() + QStringLiteral("/pelorama-share-XXXXXX"));
    return directory;
}

} // namespace

ShareMenu::ShareMenu(model::Canvas canvas, QString name, QString language, QWidget* parent)
    : QMenu(parent)
    , m_canvas(std::move(canvas))
    , m_name(std::move(name))
    , m_language(std::move(language))
{
    addAction(QStringLiteral("&Copy Image"), this, [this] { copyImage(m_canvas, m_language); });
    addAction(QStringLiteral("&Open in Image Viewer"), this, [this] {
        const Opened opened = openInImageViewer(m_canvas, m_name, m_language);
        if (!opened.error.isEmpty()) {
            QMessageBox alert;
            alert.setIcon(QMessageBox::Information);
            alert.setText(QStringLiteral("Share failed"));
            alert.setInformativeText(opened.error);
            alert.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            alert.exec();
        }
    });
}

ShareMenu* ShareMenu::showBelow(QAbstractButton& button, model::Canvas canvas, const QString& name,
                                const QString& language)
{
    auto* menu = new ShareMenu(std::move(canvas), name, language, &button);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(button.mapToGlobal(QPoint(0, button.height())));
    return menu;
}

void ShareMenu::copyImage(const model::Canvas& canvas, const QString& language)
{
    QGuiApplication::clipboard()->setMimeData(new canvas::CanvasPasteboardDataProvider(canvas, language));
}

ShareMenu::Opened ShareMenu::openInImageViewer(const model::Canvas& canvas, const QString& name,
                                               const QString& language, bool open)
{
    if (!shareDirectory().isValid())
        return {{},
                QStringLiteral("No temporary folder could be made. (") + shareDirectory().errorString() +
                    ')'};
    const canvas::CanvasPasteboardDataProvider item(canvas, language);
    const QByteArray png = item.data(QStringLiteral("image/png"));
    if (png.isEmpty())
        return {{}, QStringLiteral("Screenshot has no PNG representation")};
    const QString path =
        QDir(shareDirectory().path())
            .filePath(document::ExportFileNames::fileName(name).value_or(QStringLiteral("Screenshot.png")));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(png) != png.size() || !file.flush() || !file.commit())
        return {{}, QStringLiteral("The image could not be written. (") + file.errorString() + ')'};
    if (open && !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return {path, QStringLiteral("No image viewer could be started. The image is in “") + path +
                          QStringLiteral("”.")};
    return {path, {}};
}

} // namespace pelorama::app
