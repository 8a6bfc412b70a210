#include "model/devices/DeviceFamily.h"

#include <algorithm>

namespace pelorama::model {
namespace {

// Identifiers compare as texts do: canonically equivalent forms (composed or decomposed) are equal. The
// catalogue's identifiers are already in composed form.
QString comparable(const QString& identifier)
{
    return identifier.normalized(QString::NormalizationForm_C);
}

} // namespace

DeviceFamily::DeviceFamily(QString name, QString identifier, bool isOrientable,
                           std::vector<graphics::Size> displaySizes, std::vector<DeviceVariant> variants)
    : m_name(std::move(name))
    , m_identifier(std::move(identifier))
    , m_isOrientable(isOrientable)
    , m_displaySizes(std::move(displaySizes))
    , m_variants(std::move(variants))
{}

const DeviceFamily* DeviceFamily::findWithIdentifier(const QString& identifier)
{
    const std::vector<DeviceFamily>& families = all();
    const QString key = comparable(identifier);
    const auto found = std::find_if(families.begin(), families.end(),
                                    [&](const DeviceFamily& family) { return family.identifier() == key; });
    return found == families.end() ? nullptr : &*found;
}

const DeviceVariant* DeviceFamily::findVariantWithIdentifier(const QString& identifier) const
{
    const QString key = comparable(identifier);
    const auto found = std::find_if(m_variants.begin(), m_variants.end(), [&](const DeviceVariant& variant) {
        return variant.identifier() == key;
    });
    return found == m_variants.end() ? nullptr : &*found;
}

bool DeviceFamily::isValidDisplaySize(graphics::Size size) const
{
    return std::any_of(m_displaySizes.begin(), m_displaySizes.end(), [&](graphics::Size entry) {
        return (entry.width == size.width && entry.height == size.height) ||
               (entry.width == size.height && entry.height == size.width);
    });
}

} // namespace pelorama::model
