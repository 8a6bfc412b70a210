#include "app/export/ProgressIndicatorAnimation.h"

#include "app/export/AnimatableProgressIndicator.h"

namespace pelorama::app {

ProgressIndicatorAnimation::ProgressIndicatorAnimation(AnimatableProgressIndicator& progressIndicator,
                                                       double toValue, std::function<void()> completionBlock)
    : m_progressIndicator(&progressIndicator)
    , m_fromValue(progressIndicator.doubleValue())
    , m_toValue(toValue)
    , m_completionBlock(std::move(completionBlock))
{
    setDuration(durationMilliseconds);
    setEasingCurve(QEasingCurve::InQuad);
    setStartValue(m_fromValue);
    setEndValue(m_toValue);
    // finished() comes only from an animation that ran to its end, never from stop().
    connect(this, &QAbstractAnimation::finished, this, [this] {
        if (m_completionBlock)
            m_completionBlock();
    });
}

void ProgressIndicatorAnimation::updateCurrentValue(const QVariant& value)
{
    if (m_progressIndicator)
        m_progressIndicator->setDoubleValue(value.toDouble());
}

} // namespace pelorama::app
