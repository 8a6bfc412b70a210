#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

namespace tessaline {
class Observer;
} // namespace tessaline

namespace pelorama::model {
class Canvas;
class Drawable;
} // namespace pelorama::model

namespace pelorama::canvas {

// Watches every key that changes the pixels of a canvas's drawables (model::pixelKeys) and tells which
// drawable changed. Observing starts with no call; watching another canvas, or none, first ends the
// observations of the previous one. Main thread only, as the drawables' context.
class DrawableObservers
{
public:
    explicit DrawableObservers(std::function<void(model::Drawable*)> changed);
    ~DrawableObservers();
    DrawableObservers(const DrawableObservers&) = delete;
    DrawableObservers& operator=(const DrawableObservers&) = delete;

    void observe(const model::Canvas* canvas);
    // One per drawable and key.
    std::size_t count() const { return m_observers.size(); }

private:
    std::function<void(model::Drawable*)> m_changed;
    std::vector<std::unique_ptr<tessaline::Observer>> m_observers;
};

} // namespace pelorama::canvas
