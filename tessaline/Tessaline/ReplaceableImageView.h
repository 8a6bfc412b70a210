#pragma once

#include "graphics/Image.h"
#include "graphics/ImageFile.h"
#include "tessaline/Shared/Binding.h"
#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <memory>

class QMimeData;

namespace tessaline {

// An image view whose picture the user replaces by dropping an image file on it or by double-clicking it
// and choosing a file. Only files the image decoder registry reads are accepted, and only a picture that
// was really read and decoded replaces the old one; then the delegate gets the file's bytes. When the
// view's value is bound (bindValue), a new picture is written to the bound key path and comes back
// through the binding.
//
// Files are read and decoded off the main thread (graphics::ImageFile::read), so that a large picture,
// a pipe or a device never stops the window; the pointer shows the view busy until the picture arrives.
// A file that cannot be used is reported in an alert naming it and the reason, and changes nothing.
// When several files are given before the first is read, the last one given counts; a view that goes
// away meanwhile takes nothing.
class TESSALINE_WIDGETS_EXPORT ReplaceableImageView : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(graphics::Image image READ image WRITE setImage NOTIFY imageChanged)

public:
    explicit ReplaceableImageView(QWidget* parent = nullptr);
    ~ReplaceableImageView() override;

    graphics::Image image() const { return m_image; }
    // Every assignment notifies.
    void setImage(const graphics::Image& image);

    // A QObject implementing ReplaceableImageViewDelegate, or any other object, which is then not told.
    // Not owned.
    QObject* delegate() const { return m_delegate; }
    void setDelegate(QObject* delegate);

    // Shows keyPath of object, and writes new pictures there. Replaces an earlier binding.
    void bindValue(QObject* observedObject, const QString& keyPath);
    void unbindValue();
    QObject* valueBindingObservedObject() const { return m_boundObject; }

    // Starts reading the first dropped file; false, with the picture kept, when it is not a local file of
    // a type the decoders read.
    bool performDragOperation(const QMimeData* data);

public slots:
    // Opens the file chooser as a sheet on the view's window.
    void selectImage();

signals:
    void imageChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void loadImageFile(const QUrl& url, bool dropped);
    void takeImageFile(const graphics::ImageFile& file);
    void handleClick(bool doubleClick);

    graphics::Image m_image;
    QPointer<QObject> m_delegate;
    QPointer<QObject> m_boundObject;
    QString m_boundKeyPath;
    std::unique_ptr<Binding> m_valueBinding;
    int m_clickCount = 0;
    QElapsedTimer m_lastClick;
    // Files given so far; only the result of the last one is taken.
    quint64 m_loadCount = 0;
};

} // namespace tessaline
