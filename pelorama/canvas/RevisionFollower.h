#pragma once

#include "model/entities/Screenshot.h"

#include <QMetaObject>
#include <QPointer>
#include <functional>

namespace pelorama::model {
class Canvas;
} // namespace pelorama::model

namespace pelorama::canvas {

// Follows the revision of the screenshot a canvas shows, the first of its drawables
// (model::ScreenshotRevisions of the screenshot's context), and tells when it rises: a change of the
// context that may change what the canvas draws. Following starts with no call; following another canvas,
// or none, first ends following the previous one. A canvas that begins with no screenshot of a context
// is followed by nothing. Main thread only, as the context.
class RevisionFollower
{
public:
    explicit RevisionFollower(std::function<void()> revised);
    ~RevisionFollower();
    RevisionFollower(const RevisionFollower&) = delete;
    RevisionFollower& operator=(const RevisionFollower&) = delete;

    void follow(const model::Canvas* canvas);
    // The screenshot followed; none while none is.
    model::Screenshot* screenshot() const { return m_screenshot; }
    // Whether its context has changes it has not reported yet, which may raise the revision.
    bool isPending() const;

private:
    std::function<void()> m_revised;
    QPointer<model::Screenshot> m_screenshot;
    QMetaObject::Connection m_connection;
};

} // namespace pelorama::canvas
