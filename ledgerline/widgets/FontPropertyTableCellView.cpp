#include "ledgerline/widgets/FontPropertyTableCellView.h"

#include "graphics/Font.h"
#include "graphics/FontNameTable.h"
#include "ledgerline/core/Property.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QSignalBlocker>

namespace ledgerline {
namespace {

constexpr int postScriptNameRole = Qt::UserRole;

// "Avenir Next DemiBold" for "AvenirNext-DemiBold": the design family and the name's style part.
QString faceTitle(const graphics::FontFace& face)
{
    const qsizetype dash = face.postScriptName.indexOf(QLatin1Char('-'));
    const QString style = dash < 0 ? QStringLiteral("Regular") : face.postScriptName.mid(dash + 1);
    return face.designFamily + QLatin1Char(' ') + style;
}

} // namespace

FontPropertyTableCellView::FontPropertyTableCellView(QWidget* parent)
    : PropertyTableCellView(parent)
    , m_facePopUp(new QComboBox(this))
    , m_sizeField(new QDoubleSpinBox(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_facePopUp, 1);
    layout->addWidget(m_sizeField);
    m_facePopUp->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_facePopUp->setMinimumContentsLength(8);
    for (const graphics::FontFace& face : graphics::FontNameTable::faces()) {
        m_facePopUp->addItem(faceTitle(face), face.postScriptName);
        m_facePopUp->setItemData(
            m_facePopUp->count() - 1,
            graphics::Font(face.postScriptName, graphics::Font::systemFontSize()).toQFont(), Qt::FontRole);
    }
    m_sizeField->setRange(1, 999);
    m_sizeField->setDecimals(1);
    m_sizeField->setKeyboardTracking(false);
    m_sizeField->setSuffix(QStringLiteral(" pt"));
    connect(m_facePopUp, &QComboBox::activated, this, &FontPropertyTableCellView::fontEdited);
    connect(m_sizeField, &QDoubleSpinBox::valueChanged, this, &FontPropertyTableCellView::fontEdited);
}

void FontPropertyTableCellView::objectValueChanged(Property* property)
{
    if (!property) {
        show({});
        return;
    }
    follow(property, QStringLiteral("value"), [this](const QVariant& value) { show(value); });
}

void FontPropertyTableCellView::show(const QVariant& value)
{
    const QSignalBlocker popUpBlocker(m_facePopUp);
    const QSignalBlocker sizeBlocker(m_sizeField);
    if (m_firstTableItem > 0) {
        m_facePopUp->removeItem(0);
        m_firstTableItem = 0;
    }
    if (value.metaType() != QMetaType::fromType<graphics::Font>()) {
        m_facePopUp->setCurrentIndex(-1);
        m_sizeField->setValue(graphics::Font::systemFontSize());
        return;
    }
    const auto font = value.value<graphics::Font>();
    int index = m_facePopUp->findData(font.postScriptName(), postScriptNameRole);
    if (index < 0) {
        m_facePopUp->insertItem(0, font.postScriptName(), font.postScriptName());
        m_firstTableItem = 1;
        index = 0;
    }
    m_facePopUp->setCurrentIndex(index);
    m_sizeField->setValue(font.pointSize());
}

void FontPropertyTableCellView::fontEdited()
{
    Property* property = objectValue();
    const QString name = m_facePopUp->currentData(postScriptNameRole).toString();
    if (!property || name.isEmpty()) {
        return;
    }
    property->setValue(QVariant::fromValue(graphics::Font(name, m_sizeField->value())));
}

} // namespace ledgerline
