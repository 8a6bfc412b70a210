#pragma once

#include "foundation/CoalescedPerform.h"
#include "graphics/Image.h"
#include "graphics/Size.h"
#include "model/rendering/DetachedCanvas.h"
#include "model/rendering/RenderJobs.h"
#include "store/ManagedObjectID.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <cstddef>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace pelorama::model {
class CanvasRenderer;
class Screenshot;
} // namespace pelorama::model

namespace pelorama::canvas {

// The small pictures of a document's screenshots that its list shows: each screenshot rendered in
// thumbnail mode into 150 x 100 points at scale 2 (at most 300 x 200 pixels), on the render pool, never
// on the main thread and never while the list paints.
//
// The list says which screenshots it wants, most needed first (those on screen, then the others by their
// distance from the screen), each with its revision (model::ScreenshotRevisions). A picture is rendered
// when it is missing or shows an earlier revision, in that order, a few at a time, so that a list scrolled
// meanwhile has its new rows rendered next; until then the last picture stays shown. Pictures are kept while
// they fit a budget of bytes, counted from the start of the list; those past it are freed and rendered again
// once they are wanted within it. The screenshots on screen are always rendered, whatever the budget.
//
// What a render reuses (the renderer with its laid-out captions, the snapshot it drew, the picture as
// composed for a cell) is kept only for the screenshots on screen: a list of any length holds that
// state for as many rows as it shows. Main thread only; screenshots are told apart by object ID.
class ScreenshotThumbnails : public QObject
{
    Q_OBJECT

public:
    static constexpr graphics::Size box{150, 100};
    static constexpr double scale = 2;
    // Every thumbnail of a few hundred screenshots.
    static constexpr std::size_t defaultBudget = std::size_t(64) << 20;

    // A screenshot wanted, and the revision its picture is to show.
    struct Wanted
    {
        model::Screenshot* screenshot = nullptr;
        quint64 revision = 0;
    };

    explicit ScreenshotThumbnails(std::size_t budget = defaultBudget, QObject* parent = nullptr);
    ~ScreenshotThumbnails() override;

    void setBudget(std::size_t bytes) { m_budget = bytes; }
    // The language the pictures show the captions in: a code of the document's languages, empty for the
    // base language. Another one renders every wanted picture again in its turn; until then the last
    // picture stays shown.
    void setLanguage(const QString& language);

    // The last picture rendered of screenshot, which may show an earlier revision; none while none is
    // kept. Never renders.
    const graphics::Image* picture(const model::Screenshot& screenshot) const;
    // Whether the picture of screenshot shows the revision in the language.
    bool shows(const model::Screenshot& screenshot, quint64 revision) const;
    // The picture composed for a cell (ThumbnailDrawing), kept until the picture, the cell or the ratio
    // change or the screenshot leaves the screen; a null image without a picture.
    QImage composed(const model::Screenshot& screenshot, QSize cellSize, double pixelRatio);

    // Replaces what is wanted: the first shown of wanted are on screen. Screenshots no longer wanted are
    // forgotten, pictures past the budget freed, and missing or out-of-date ones rendered.
    void want(const std::vector<Wanted>& wanted, std::size_t shown);
    // The screenshot, when wanted, now stands at revision: its picture is rendered again in its turn,
    // unless what it would draw is what the picture shows.
    void screenshotDidChange(const model::Screenshot& screenshot, quint64 revision);

    // The screenshots with state kept for rendering (a renderer, a snapshot or a composed picture), and
    // the renders running.
    std::size_t liveCount() const;
    std::size_t renderingCount() const { return m_renders.currentCount(); }
    std::size_t pictureCount() const;
    std::size_t pictureBytes() const;

signals:
    // A picture of screenshot arrived.
    void pictureChanged(pelorama::model::Screenshot* screenshot);

private:
    struct Entry
    {
        QPointer<model::Screenshot> screenshot;
        quint64 revision = 0;         // the revision wanted
        std::optional<quint64> shows; // the revision the picture, or the render running, shows
        QString language;             // and the language it shows
        bool wanted = false;
        bool shown = false; // on screen
        bool kept = false;  // within the budget
        quint64 job = 0;    // the render running, 0 for none
        std::optional<graphics::Image> picture;
        std::size_t pictureBytes = 0;
        // Kept while on screen: the renderer (not while it renders) and the snapshot the picture shows.
        std::shared_ptr<model::CanvasRenderer> renderer;
        std::optional<model::DetachedCanvas> snapshot;
        QImage composed;
        QSize composedSize;
    };
    struct Rendered
    {
        store::ManagedObjectID screenshot;
        graphics::Image picture;
    };
    // Lent the renderer kept for the screenshot, or a new one.
    using Renders = model::RenderJobs<Rendered, std::shared_ptr<model::CanvasRenderer>>;

    Entry* find(const model::Screenshot& screenshot);
    const Entry* find(const model::Screenshot& screenshot) const;
    void startRenders();
    void start(Entry& entry, model::DetachedCanvas snapshot);
    void takeRenders();

    std::size_t m_budget;
    QString m_language;
    std::vector<store::ManagedObjectID> m_order;
    std::unordered_map<store::ManagedObjectID, Entry> m_entries;
    foundation::CoalescedPerform m_startRenders;
    Renders m_renders;
};

} // namespace pelorama::canvas
