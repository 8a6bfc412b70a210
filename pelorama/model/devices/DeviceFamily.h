#pragma once

#include "graphics/Size.h"
#include "model/devices/DeviceVariant.h"

#include <QMetaType>
#include <QString>
#include <vector>

namespace pelorama::model {

// A kind of device (phone, tablet, laptop, desktop) with its variants. The catalogue is built once, on
// first use from any thread, and is read-only afterwards: its objects keep their addresses for the life
// of the process and may be read from any thread.
class DeviceFamily
{
public:
    DeviceFamily(QString name, QString identifier, bool isOrientable,
                 std::vector<graphics::Size> displaySizes, std::vector<DeviceVariant> variants);
    DeviceFamily(const DeviceFamily&) = delete;
    DeviceFamily& operator=(const DeviceFamily&) = delete;
    DeviceFamily(DeviceFamily&&) = default;

    // The four families "iPhone", "iPad", "MacBook" and "iMac", in this order; never empty, and every
    // family has at least one variant.
    static const std::vector<DeviceFamily>& all();
    // The first family with exactly this identifier (case-sensitive), or nullptr.
    static const DeviceFamily* findWithIdentifier(const QString& identifier);

    const QString& name() const { return m_name; }
    const QString& identifier() const { return m_identifier; }
    // Whether device images of this family turn with their orientation.
    bool isOrientable() const { return m_isOrientable; }
    // Screen resolutions of the family's real devices, in pixels, width by height.
    const std::vector<graphics::Size>& displaySizes() const { return m_displaySizes; }
    // The first variant is the family's default.
    const std::vector<DeviceVariant>& variants() const { return m_variants; }

    // The first of this family's variants with exactly this identifier, or nullptr.
    const DeviceVariant* findVariantWithIdentifier(const QString& identifier) const;
    // Whether the size, either way round, is one of the display sizes. Exact comparison.
    bool isValidDisplaySize(graphics::Size size) const;

private:
    QString m_name;
    QString m_identifier;
    bool m_isOrientable;
    std::vector<graphics::Size> m_displaySizes;
    std::vector<DeviceVariant> m_variants;
};

} // namespace pelorama::model

Q_DECLARE_METATYPE(const pelorama::model::DeviceFamily*)
