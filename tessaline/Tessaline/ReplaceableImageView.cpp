#include "tessaline/Tessaline/ReplaceableImageView.h"

#include "appkit/widgets/FileErrorAlert.h"
#include "appkit/widgets/ImageFileDrop.h"
#include "appkit/widgets/OpenPanel.h"
#include "foundation/Diagnostics.h"
#include "foundation/KeyValueCoding.h"
#include "foundation/KeyValueError.h"
#include "foundation/WorkerPool.h"
#include "tessaline/Tessaline/ReplaceableImageViewDelegate.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QFutureWatcher>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace tessaline {

ReplaceableImageView::ReplaceableImageView(QWidget* parent)
    : QWidget(parent)
{
    setAcceptDrops(true);
    setMinimumSize(32, 32);
}

ReplaceableImageView::~ReplaceableImageView() = default;

void ReplaceableImageView::setImage(const graphics::Image& image)
{
    m_image = image;
    update();
    emit imageChanged();
}

void ReplaceableImageView::setDelegate(QObject* delegate)
{
    m_delegate = delegate;
}

void ReplaceableImageView::bindValue(QObject* observedObject, const QString& keyPath)
{
    unbindValue();
    if (!observedObject) {
        return;
    }
    m_boundObject = observedObject;
    m_boundKeyPath = keyPath;
    m_valueBinding = std::make_unique<Binding>(observedObject, keyPath, this, QStringLiteral("image"), false);
}

void ReplaceableImageView::unbindValue()
{
    m_valueBinding.reset();
    m_boundObject = nullptr;
    m_boundKeyPath.clear();
}

bool ReplaceableImageView::performDragOperation(const QMimeData* data)
{
    const QUrl url = appkit::ImageFileDrop::imageFileUrl(data);
    if (url.isEmpty()) {
        return false;
    }
    loadImageFile(url, true);
    return true;
}

void ReplaceableImageView::selectImage()
{
    auto* panel = new appkit::OpenPanel;
    panel->setPrompt(tr("Choose"));
    panel->setCanChooseFiles(true);
    panel->setCanChooseDirectories(false);
    panel->setAllowsMultipleSelection(false);
    panel->setCanCreateDirectories(false);
    panel->setAllowedFileTypes(appkit::ImageFileDrop::readableFileExtensions());
    QPointer<ReplaceableImageView> self(this);
    panel->beginSheetModal(window(), [self, panel](appkit::OpenPanel::Response response) {
        if (!self || response != appkit::OpenPanel::Response::ok) {
            return;
        }
        const QUrl url = panel->url();
        if (!url.isEmpty()) {
            self->loadImageFile(url, false);
        }
    });
}

void ReplaceableImageView::loadImageFile(const QUrl& url, bool dropped)
{
    using Reading = foundation::Expected<graphics::ImageFile, graphics::ImageFileError>;
    const quint64 load = ++m_loadCount;
    setCursor(Qt::BusyCursor);
    auto* reading = new QFutureWatcher<Reading>(this);
    connect(reading, &QFutureWatcherBase::finished, this, [this, reading, load, url, dropped] {
        reading->deleteLater();
        if (load != m_loadCount) {
            return;
        }
        unsetCursor();
        const Reading read = reading->result();
        if (!read) {
            if (dropped) {
                foundation::warning(QStringLiteral("could not fetch image data!"));
            }
            appkit::FileErrorAlert::present(this, url.toLocalFile(), read.error().message());
            return;
        }
        takeImageFile(*read);
    });
    reading->setFuture(
        QtConcurrent::run(&foundation::workerPool(), &graphics::ImageFile::read, url.toLocalFile()));
}

void ReplaceableImageView::takeImageFile(const graphics::ImageFile& file)
{
    if (m_boundObject) {
        try {
            foundation::setValueForKeyPath(m_boundObject, QVariant::fromValue(file.image()), m_boundKeyPath);
        } catch (const foundation::KeyValueError& error) {
            foundation::warning(
                QStringLiteral("could not store the image: %1").arg(QString::fromUtf8(error.what())));
            return;
        }
    } else if (!m_valueBinding) {
        setImage(file.image());
    }
    if (auto* delegate = qobject_cast<ReplaceableImageViewDelegate*>(m_delegate.data())) {
        delegate->replaceableImageViewDidLoadImageData(this, file.data());
    }
}

void ReplaceableImageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath bezel;
    bezel.addRoundedRect(frame, 4, 4);
    painter.fillPath(bezel, palette().color(QPalette::Base));
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.drawPath(bezel);

    const graphics::Size size = m_image.size();
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);
    if (m_image.isEmpty() || size.width <= 0 || size.height <= 0 || area.isEmpty()) {
        return;
    }
    // Proportionally down to fit, never up, centred.
    const double scale = std::min({1.0, area.width() / size.width, area.height() / size.height});
    QRectF target(0, 0, size.width * scale, size.height * scale);
    target.moveCenter(area.center());
    const qreal ratio = devicePixelRatioF();
    if (const graphics::BitmapImageRep* rep =
            m_image.bestRepresentation(target.width() * ratio, target.height() * ratio)) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, rep->bitmap());
    }
}

void ReplaceableImageView::handleClick(bool doubleClick)
{
    const bool continues =
        m_lastClick.isValid() && m_lastClick.elapsed() <= QApplication::doubleClickInterval();
    m_clickCount = doubleClick ? std::max(2, m_clickCount + 1) : (continues ? m_clickCount + 1 : 1);
    m_lastClick.start();
}

void ReplaceableImageView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    handleClick(false);
    if (m_clickCount >= 2) {
        selectImage();
    }
}

void ReplaceableImageView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    handleClick(true);
    selectImage();
}

void ReplaceableImageView::dragEnterEvent(QDragEnterEvent* event)
{
    if (appkit::ImageFileDrop::canAccept(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ReplaceableImageView::dragMoveEvent(QDragMoveEvent* event)
{
    if (appkit::ImageFileDrop::canAccept(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void ReplaceableImageView::dropEvent(QDropEvent* event)
{
    if (performDragOperation(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

} // namespace tessaline
