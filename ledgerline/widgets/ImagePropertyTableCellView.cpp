#include "ledgerline/widgets/ImagePropertyTableCellView.h"

#include "graphics/Image.h"
#include "ledgerline/core/ImageProperty.h"
#include "tessaline/Tessaline/ReplaceableImageView.h"

#include <QVBoxLayout>

namespace ledgerline {

ImagePropertyTableCellView::ImagePropertyTableCellView(QWidget* parent)
    : PropertyTableCellView(parent)
    , m_imageWell(new tessaline::ReplaceableImageView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_imageWell);
    m_imageWell->setFixedHeight(96);
    // The well looks like any picture; nothing else tells that it takes a file.
    const QString hint = tr("Drop a picture here, or double-click to choose one");
    m_imageWell->setToolTip(hint);
    m_imageWell->setAccessibleDescription(hint);
    m_imageWell->setDelegate(this);
}

void ImagePropertyTableCellView::objectValueChanged(Property* property)
{
    if (!property) {
        m_imageWell->setImage({});
        return;
    }
    follow(property, QStringLiteral("value"), [this](const QVariant& value) {
        m_imageWell->setImage(value.metaType() == QMetaType::fromType<graphics::Image>()
                                  ? value.value<graphics::Image>()
                                  : graphics::Image());
    });
}

void ImagePropertyTableCellView::replaceableImageViewDidLoadImageData(tessaline::ReplaceableImageView* view,
                                                                      const QByteArray& data)
{
    auto* image = qobject_cast<ImageProperty*>(objectValue());
    if (!image) {
        return;
    }
    // The well shows the picture it decoded from these bytes; decoding a large one again would stop the
    // window for seconds and hold it twice.
    if (view && !view->image().isEmpty()) {
        image->putImage(view->image(), data);
    } else {
        [[maybe_unused]] const bool accepted = image->putImageData(data);
    }
}

} // namespace ledgerline
