#include "ledgerline/widgets/NumericPropertyTableCellView.h"

#include "foundation/Values.h"
#include "ledgerline/core/NumericProperty.h"

#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

namespace ledgerline {
namespace {

// A number field that tells when the user holds it: a mouse button down on it (its arrows repeat while
// held) or an arrow or page key down.
class HeldNumberField : public QDoubleSpinBox
{
public:
    HeldNumberField(QWidget* parent, std::function<void(bool held)> heldChanged)
        : QDoubleSpinBox(parent)
        , m_heldChanged(std::move(heldChanged))
    {}

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton) {
            m_heldChanged(true);
        }
        QDoubleSpinBox::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QDoubleSpinBox::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton) {
            m_heldChanged(false);
        }
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (isStepKey(*event) && !event->isAutoRepeat()) {
            m_heldChanged(true);
        }
        QDoubleSpinBox::keyPressEvent(event);
    }

    void keyReleaseEvent(QKeyEvent* event) override
    {
        QDoubleSpinBox::keyReleaseEvent(event);
        if (isStepKey(*event) && !event->isAutoRepeat()) {
            m_heldChanged(false);
        }
    }

    void focusOutEvent(QFocusEvent* event) override
    {
        QDoubleSpinBox::focusOutEvent(event);
        m_heldChanged(false);
    }

private:
    static bool isStepKey(const QKeyEvent& event)
    {
        switch (event.key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            return true;
        default:
            return false;
        }
    }

    std::function<void(bool)> m_heldChanged;
};

} // namespace

NumericPropertyTableCellView::NumericPropertyTableCellView(QWidget* parent)
    : PropertyTableCellView(parent)
    , m_numberField(new HeldNumberField(this, [this](bool held) { setInGesture(held && objectValue()); }))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_numberField);
    m_numberField->setDecimals(2);
    m_numberField->setKeyboardTracking(false);
    m_numberField->setAlignment(Qt::AlignRight);
    // Only what the user enters reaches the property: values shown from the property are set with the
    // field's signals blocked, so a value outside the range is never clamped back into the object.
    connect(m_numberField, &QDoubleSpinBox::valueChanged, this, [this](double number) {
        if (Property* property = objectValue()) {
            property->setValue(number);
        }
    });
}

void NumericPropertyTableCellView::objectValueChanged(Property* property)
{
    const auto* numeric = qobject_cast<NumericProperty*>(property);
    const double minimum =
        numeric && std::isfinite(numeric->minimumValue()) ? numeric->minimumValue() : -unlimited;
    const double maximum =
        numeric && std::isfinite(numeric->maximumValue()) ? numeric->maximumValue() : unlimited;
    {
        const QSignalBlocker blocker(m_numberField);
        m_numberField->setRange(minimum, std::max(minimum, maximum));
        m_numberField->setValue(0);
    }
    if (!property) {
        return;
    }
    follow(property, QStringLiteral("value"), [this](const QVariant& value) {
        const QSignalBlocker blocker(m_numberField);
        const double number = foundation::isNumber(value) ? value.toDouble() : 0;
        m_numberField->setValue(std::isnan(number) ? 0 : number);
    });
}

} // namespace ledgerline
