#include "model/devices/DeviceVariant.h"

#include <algorithm>

namespace pelorama::model {

DeviceVariant::DeviceVariant(QString name, QString identifier, graphics::Rect screenshotRect,
                             graphics::Size frameSize)
    : m_name(std::move(name))
    , m_identifier(std::move(identifier))
    , m_screenshotRect(screenshotRect)
    , m_frameSize(frameSize)
{}

graphics::Size DeviceVariant::suggestedResolution() const
{
    const double width = m_screenshotRect.size.width;
    const double height = m_screenshotRect.size.height;
    return {std::max(width, height), std::min(width, height)};
}

bool DeviceVariant::isValidDisplaySize(graphics::Size size) const
{
    const double rw = m_screenshotRect.size.width;
    const double rh = m_screenshotRect.size.height;
    const double w = size.width;
    const double h = size.height;
    return (rw == w && rh == h) || (rw == h && rh == w) || (rw == w * 0.5 && rh == h * 0.5) ||
           (rw == h * 0.5 && rh == w * 0.5);
}

} // namespace pelorama::model
