#pragma once

#include "ledgerline/core/Property.h"

namespace pelorama::model {

class StockGradient;

// An inspector row holding one of the stock gradients: "value" is the chosen const StockGradient* (nil
// for none), "valueIndex" its position in StockGradient::all() (-1 for none). The two are kept in step:
// after every store into either, valueIndex is the index of value in the catalogue, compared by identity,
// or -1. Both keys notify on every store. The gradient picker edits valueIndex.
class StockGradientProperty : public ledgerline::Property
{
    Q_OBJECT
    Q_PROPERTY(int valueIndex READ valueIndex WRITE setValueIndex NOTIFY valueIndexChanged)

public:
    StockGradientProperty();

    // The chosen gradient; nullptr for none or a value that is no stock gradient.
    const StockGradient* stockGradient() const;
    int valueIndex() const { return m_valueIndex; }
    // Chooses the gradient at index; an index outside the catalogue chooses none.
    void setValueIndex(int index);

signals:
    void valueIndexChanged();

private:
    void updateValueIndex();

    int m_valueIndex = -1;
};

} // namespace pelorama::model
