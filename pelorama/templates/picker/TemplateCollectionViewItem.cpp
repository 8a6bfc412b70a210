#include "templates/picker/TemplateCollectionViewItem.h"

#include "foundation/QueuedCall.h"
#include "graphics/Image.h"
#include "templates/Template.h"
#include "templates/picker/HighlightView.h"
#include "templates/picker/TemplateView.h"
#include "tessaline/Shared/Observer.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QThread>

namespace pelorama::templates {
namespace {

constexpr int titleHeight = 22;

// Shows an image scaled to fill its bounds.
class PreviewImageView : public QWidget
{
public:
    explicit PreviewImageView(QWidget* parent)
        : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    void setImage(const std::optional<QImage>& image)
    {
        m_image = image;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (!m_image || m_image->isNull())
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(rect()), *m_image);
    }

private:
    std::optional<QImage> m_image;
};

} // namespace

TemplateCollectionViewItem::TemplateCollectionViewItem(QWidget* parent)
    : CollectionViewItem(parent)
    , m_self(std::make_shared<TemplateCollectionViewItem*>(this))
    , m_imageHighlightView(new HighlightView(this))
    , m_titleHighlightView(new HighlightView(this))
    , m_templateView(new TemplateView(this))
    , m_imageView(new PreviewImageView(this))
    , m_titleLabel(new QLabel(this))
{
    resize(itemSize, itemSize);
    m_titleLabel->setAlignment(Qt::AlignCenter);
    m_titleLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_titleHighlightView->setCornerRadius(5);
    applyHighlightColors();
    layoutImageView();
}

void TemplateCollectionViewItem::applyHighlightColors()
{
    // The palette's selection colours: the title on the highlight, the preview on it at 0.4.
    const QColor highlight = palette().color(QPalette::Active, QPalette::Highlight);
    m_titleHighlightView->setHighlightColor(highlight);
    QColor previewHighlight = highlight;
    previewHighlight.setAlphaF(0.4f);
    m_imageHighlightView->setHighlightColor(previewHighlight);
    applyTitleColor();
}

void TemplateCollectionViewItem::applyTitleColor()
{
    QPalette colors = m_titleLabel->palette();
    colors.setColor(
        QPalette::WindowText,
        palette().color(QPalette::Active, isSelected() ? QPalette::HighlightedText : QPalette::WindowText));
    m_titleLabel->setPalette(colors);
}

void TemplateCollectionViewItem::changeEvent(QEvent* event)
{
    CollectionViewItem::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyHighlightColors();
}

TemplateCollectionViewItem::~TemplateCollectionViewItem()
{
    // Previews still on their way find no cell.
    *m_self = nullptr;
    m_observer.reset();
}

void TemplateCollectionViewItem::setRepresentedObject(Template* representedObject)
{
    m_representedObject = representedObject;
    m_titleLabel->setToolTip(representedObject ? representedObject->name() : QString());
    layoutImageView();
    m_observer.reset();
    if (!representedObject)
        return;
    std::weak_ptr<TemplateCollectionViewItem*> cell = m_self;
    m_observer = std::make_unique<tessaline::Observer>(
        representedObject, QStringLiteral("previewImage"),
        [cell, representedObject](const QVariant& value) { deliverPreview(cell, representedObject, value); });
}

void TemplateCollectionViewItem::deliverPreview(const std::weak_ptr<TemplateCollectionViewItem*>& cell,
                                                const Template* sender, const QVariant& value)
{
    std::optional<QImage> image;
    if (value.canConvert<graphics::Image>()) {
        const auto preview = value.value<graphics::Image>();
        if (const graphics::BitmapImageRep* pixels = preview.bestRepresentation(1e9, 1e9))
            image = pixels->bitmap();
    }
    // The cell may show another template by now, or be gone: it takes only its own template's preview.
    const auto show = [cell, sender](std::optional<QImage> shown) {
        const auto alive = cell.lock();
        if (!alive || !*alive || (*alive)->representedObject() != sender)
            return;
        (*alive)->setImage(std::move(shown));
    };
    if (QThread::currentThread() == qApp->thread()) {
        show(std::move(image));
        return;
    }
    foundation::postQueuedCall(qApp, [show, image = std::move(image)]() mutable { show(std::move(image)); });
}

void TemplateCollectionViewItem::setImage(std::optional<QImage> image)
{
    if (image && image->isNull())
        image.reset();
    m_image = std::move(image);
    static_cast<PreviewImageView*>(m_imageView)->setImage(m_image);
    m_aspectConstraint.reset();
    if (m_image && m_image->height() > 0)
        m_aspectConstraint = double(m_image->width()) / double(m_image->height());
    layoutImageView();
}

void TemplateCollectionViewItem::setSelected(bool selected)
{
    CollectionViewItem::setSelected(selected);
    m_imageHighlightView->setHighlighted(selected);
    m_titleHighlightView->setHighlighted(selected);
    applyTitleColor();
}

void TemplateCollectionViewItem::resizeEvent(QResizeEvent* event)
{
    CollectionViewItem::resizeEvent(event);
    layoutImageView();
}

void TemplateCollectionViewItem::layoutImageView()
{
    const QRect imageArea(0, 0, width(), height() - titleHeight);
    m_imageHighlightView->setGeometry(imageArea);
    const QRect available = imageArea.adjusted(14, 14, -14, -10);
    QRect frame = available;
    if (m_aspectConstraint && *m_aspectConstraint > 0) {
        int w = int(std::lround(available.height() * *m_aspectConstraint));
        int h = available.height();
        if (w > available.width()) {
            w = available.width();
            h = int(std::lround(w / *m_aspectConstraint));
        }
        frame = QRect(0, 0, w, h);
        frame.moveCenter(available.center());
    }
    m_imageView->setGeometry(frame);
    const int backdropInset = int(TemplateView::borderInset) + 1;
    // The backdrop is there from the start; the preview appears on it when it arrives.
    m_templateView->setGeometry(frame.adjusted(-backdropInset, -backdropInset, backdropInset, backdropInset));
    const QString name = m_representedObject ? m_representedObject->name() : QString();
    const int titleSpace = width() - 12;
    // A long name shrinks a little to fit; one longer still keeps its start and its end, which is where
    // templates of one theme differ ("Plain Screenshot Text Above", "... Text Below").
    QFont titleFont = font();
    const qreal fullSize = titleFont.pointSizeF();
    for (qreal size = fullSize; size > 0 && size >= fullSize * 0.8; size -= 0.5) {
        titleFont.setPointSizeF(size);
        if (QFontMetrics(titleFont).horizontalAdvance(name) <= titleSpace)
            break;
    }
    m_titleLabel->setFont(titleFont);
    const QFontMetrics metrics(titleFont);
    m_titleLabel->setText(metrics.elidedText(name, Qt::ElideMiddle, titleSpace));
    const int titleWidth = std::min(width() - 4, metrics.horizontalAdvance(m_titleLabel->text()) + 12);
    const QRect title((width() - titleWidth) / 2, height() - titleHeight, titleWidth, titleHeight - 2);
    m_titleHighlightView->setGeometry(title);
    m_titleLabel->setGeometry(QRect(4, height() - titleHeight, width() - 8, titleHeight - 2));
    m_templateView->lower();
    m_imageHighlightView->lower();
}

void TemplateCollectionViewItem::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        CollectionViewItem::mouseDoubleClickEvent(event);
        return;
    }
    event->accept();
    emit doubleClicked(this);
}

} // namespace pelorama::templates
