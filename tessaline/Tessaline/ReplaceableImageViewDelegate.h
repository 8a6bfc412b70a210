#pragma once

#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QByteArray>
#include <QtPlugin>

namespace tessaline {

class ReplaceableImageView;

// Told the raw bytes of each picture a ReplaceableImageView really read, so that its owner can keep the
// file's own bytes rather than a re-encoded image. A delegate is a QObject that declares this interface
// with Q_INTERFACES.
class TESSALINE_WIDGETS_EXPORT ReplaceableImageViewDelegate
{
public:
    virtual ~ReplaceableImageViewDelegate() = default;

    virtual void replaceableImageViewDidLoadImageData(ReplaceableImageView* view, const QByteArray& data) = 0;
};

} // namespace tessaline

Q_DECLARE_INTERFACE(tessaline::ReplaceableImageViewDelegate, "tessaline.ReplaceableImageViewDelegate")
