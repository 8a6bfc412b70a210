#include "ledgerline/ImagePropertyTableCellView.h"

#include "graphics/Image.h"
#include "ledgerline/ImageProperty.h"
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
    m_imageWell->setToolTip(tr("Drop a picture here, or double-click to choose one."));
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

void ImagePropertyTableCellView::replaceableImageViewDidLoadImageData(tessaline::ReplaceableImageView*,
                                                                      const QByteArray& data)
{
    if (auto* image = qobject_cast<ImageProperty*>(objectValue())) {
        // The well read and decoded these bytes already, so they decode again here.
        [[maybe_unused]] const bool accepted = image->putImageData(data);
    }
}

} // namespace ledgerline
