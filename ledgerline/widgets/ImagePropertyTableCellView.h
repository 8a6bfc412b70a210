#pragma once

#include "ledgerline/widgets/PropertyTableCellView.h"
#include "tessaline/Tessaline/ReplaceableImageViewDelegate.h"

namespace tessaline {
class ReplaceableImageView;
}

namespace ledgerline {

// Edits an ImageProperty with an image well: a picture file dropped on it, or chosen after a
// double-click, is read by the well, and the picture with its bytes goes to the property
// (ImageProperty::putImage), which shows it and hands the bytes to the image-data handler.
class ImagePropertyTableCellView : public PropertyTableCellView,
                                   public tessaline::ReplaceableImageViewDelegate
{
    Q_OBJECT
    Q_INTERFACES(tessaline::ReplaceableImageViewDelegate)

public:
    explicit ImagePropertyTableCellView(QWidget* parent = nullptr);

    tessaline::ReplaceableImageView* imageWell() const { return m_imageWell; }

    void replaceableImageViewDidLoadImageData(tessaline::ReplaceableImageView* view,
                                              const QByteArray& data) override;

protected:
    void objectValueChanged(Property* property) override;

private:
    tessaline::ReplaceableImageView* m_imageWell;
};

} // namespace ledgerline
