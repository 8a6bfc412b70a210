#pragma once

#include "ledgerline/core/Property.h"

#include <QString>

namespace pelorama::model {

// An inspector row that shows advice about the edited object: "message" is text in the framework's inline
// markup (text between double asterisks is bold), empty at first; it notifies on every store. The row is
// shown or hidden through the inherited "hidden".
class WarningProperty : public ledgerline::Property
{
    Q_OBJECT
    Q_PROPERTY(QString message READ message WRITE setMessage NOTIFY messageChanged)

public:
    WarningProperty() = default;

    const QString& message() const { return m_message; }
    void setMessage(const QString& message);

signals:
    void messageChanged();

private:
    QString m_message{""};
};

} // namespace pelorama::model
