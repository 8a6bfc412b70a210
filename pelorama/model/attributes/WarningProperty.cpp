#include "model/attributes/WarningProperty.h"

namespace pelorama::model {

void WarningProperty::setMessage(const QString& message)
{
    m_message = message;
    emit messageChanged();
}

} // namespace pelorama::model
