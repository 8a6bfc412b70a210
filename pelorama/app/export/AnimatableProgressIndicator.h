#pragma once

#include <QProgressBar>
#include <functional>
#include <memory>

namespace pelorama::app {

class ProgressIndicatorAnimation;

// A determinate progress bar from 0 to 100 that moves to a new value by a short animation. Each new target
// stops the running animation where it is, without its completion, and starts from there, so fast
// successive targets never jump back.
class AnimatableProgressIndicator : public QProgressBar
{
    Q_OBJECT

public:
    explicit AnimatableProgressIndicator(QWidget* parent = nullptr);
    ~AnimatableProgressIndicator() override;

    double doubleValue() const { return m_doubleValue; }
    void setDoubleValue(double value);

    void animateTo(double value, std::function<void()> completion = {});
    // The animation started last, kept until the next one replaces it.
    ProgressIndicatorAnimation* animation() const { return m_animation.get(); }

private:
    // The bar counts in thousandths of the range, so that small steps show.
    static constexpr int stepsPerUnit = 10;

    double m_doubleValue = 0;
    std::unique_ptr<ProgressIndicatorAnimation> m_animation;
};

} // namespace pelorama::app
