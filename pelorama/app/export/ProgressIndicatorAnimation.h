#pragma once

#include <QPointer>
#include <QVariantAnimation>
#include <functional>

namespace pelorama::app {

class AnimatableProgressIndicator;

// Moves one progress bar from its value at creation to a target value in 0.15 s, easing in. The
// completion runs once, when the animation reaches its end; an animation that is stopped before never
// runs it.
class ProgressIndicatorAnimation : public QVariantAnimation
{
    Q_OBJECT

public:
    static constexpr int durationMilliseconds = 150;

    ProgressIndicatorAnimation(AnimatableProgressIndicator& progressIndicator, double toValue,
                               std::function<void()> completionBlock);

    double fromValue() const { return m_fromValue; }
    double toValue() const { return m_toValue; }

protected:
    void updateCurrentValue(const QVariant& value) override;

private:
    QPointer<AnimatableProgressIndicator> m_progressIndicator;
    double m_fromValue;
    double m_toValue;
    std::function<void()> m_completionBlock;
};

} // namespace pelorama::app
