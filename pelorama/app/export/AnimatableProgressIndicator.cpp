#include "app/export/AnimatableProgressIndicator.h"

#include "app/export/ProgressIndicatorAnimation.h"

#include <cmath>

namespace pelorama::app {

AnimatableProgressIndicator::AnimatableProgressIndicator(QWidget* parent)
    : QProgressBar(parent)
{
    setRange(0, 100 * stepsPerUnit);
    setValue(0);
    setTextVisible(false);
}

AnimatableProgressIndicator::~AnimatableProgressIndicator() = default;

void AnimatableProgressIndicator::setDoubleValue(double value)
{
    m_doubleValue = value;
    setValue(int(std::lround(std::clamp(value, 0.0, 100.0) * stepsPerUnit)));
}

void AnimatableProgressIndicator::animateTo(double value, std::function<void()> completion)
{
    if (m_animation)
        m_animation->stop();
    m_animation = std::make_unique<ProgressIndicatorAnimation>(*this, value, std::move(completion));
    m_animation->start();
}

} // namespace pelorama::app
