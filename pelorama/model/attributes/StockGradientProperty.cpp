#include "model/attributes/StockGradientProperty.h"

#include "model/entities/StockGradient.h"

namespace pelorama::model {

StockGradientProperty::StockGradientProperty()
{
    connect(this, &Property::valueChanged, this, &StockGradientProperty::updateValueIndex,
            Qt::DirectConnection);
}

const StockGradient* StockGradientProperty::stockGradient() const
{
    const QVariant shown = value();
    if (shown.metaType() != QMetaType::fromType<const StockGradient*>())
        return nullptr;
    return shown.value<const StockGradient*>();
}

void StockGradientProperty::setValueIndex(int index)
{
    const std::vector<const StockGradient*>& all = StockGradient::all();
    if (index >= 0 && std::size_t(index) < all.size())
        setValue(QVariant::fromValue(all[std::size_t(index)]));
    else
        setValue(QVariant());
}

void StockGradientProperty::updateValueIndex()
{
    m_valueIndex = StockGradient::indexOf(stockGradient());
    emit valueIndexChanged();
}

} // namespace pelorama::model
