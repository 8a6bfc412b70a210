#include "document/DeepCloneError.h"

namespace pelorama::document {

QString DeepCloneError::description() const
{
    switch (m_code) {
    case Code::entityWithoutContext:
        return QStringLiteral("Entity without managed object context");
    }
    return {};
}

} // namespace pelorama::document
