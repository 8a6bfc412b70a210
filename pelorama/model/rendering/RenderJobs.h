#pragma once

#include "foundation/PoolMailbox.h"
#include "model/rendering/RenderPool.h"

#include <QThreadPool>
#include <QtGlobal>
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace pelorama::model {

// Renders off the main thread for an object of it, and what they hand back: a preview, thumbnails, an
// export's pictures.
//
// Each job is numbered as it starts and stays current until it ends or its owner drops it, as a newer
// request makes it stale. It is lent a tool (a renderer that keeps what it laid out for the next render)
// and hands it back as it ends, dropped or not, so that whoever lent it gets it back. What a job delivers
// reaches the owner's thread through a PoolMailbox: the owner is woken and takes what came back since; the
// results of a job dropped are let go of there, and a job that outlives its owner hands back nothing.
// A job's last result comes with its end, after the job has let go of what it held (its snapshots), so
// that what it freed is free when its owner hears of its end.
//
// Main thread only, but for the work, which runs on the pool and reads only what it was given.
template <typename Result, typename Tool = std::monostate> class RenderJobs
{
public:
    // A job's number, 0 for none.
    using Job = quint64;
    using Deliver = std::function<void(Result)>;

    // What came back of a job: one of its results, or its end.
    struct Returned
    {
        Job job = 0;
        // None for the end of a job dropped, or of one that delivered nothing.
        std::optional<Result> result;
        // The job ended with this: it is no longer current, and tool is what it was lent.
        bool ended = false;
        Tool tool{};
    };

    // Wakes receiver by calling take on its thread whenever something came back.
    template <typename Receiver>
    RenderJobs(Receiver& receiver, void (Receiver::*take)())
        : m_mailbox(std::make_shared<foundation::PoolMailbox<Returned>>(receiver, take))
    {}
    // Jobs still running end on their own, and what they hand back goes nowhere.
    ~RenderJobs() { close(); }
    RenderJobs(const RenderJobs&) = delete;
    RenderJobs& operator=(const RenderJobs&) = delete;

    // Runs work on pool, lent tool, and returns the job's number. Work is called with the tool and either
    // returns its one result or is also given a Deliver to hand over results one by one.
    template <typename Work>
    Job start(Tool tool, Work work, QThreadPool& pool = renderPool(), int priority = 0)
    {
        const Job job = ++m_started;
        m_current.push_back(job);
        startOnPool(
            [mailbox = m_mailbox, job, tool = std::move(tool),
             work = std::optional<Work>(std::move(work))]() mutable {
                std::optional<Result> last;
                const Deliver deliver = [&](Result result) {
                    if (last)
                        mailbox->deliver(Returned{job, std::move(last), false, {}});
                    last = std::move(result);
                };
                if constexpr (std::is_invocable_r_v<Result, Work&, Tool&>)
                    deliver((*work)(tool));
                else
                    (*work)(tool, deliver);
                work.reset();
                mailbox->deliver(Returned{job, std::move(last), true, std::move(tool)});
            },
            priority, pool);
        return job;
    }

    // The job's results are let go of as they come back; its end, with the tool, still comes.
    void drop(Job job) { std::erase(m_current, job); }

    bool isCurrent(Job job) const { return std::ranges::find(m_current, job) != m_current.end(); }
    // The jobs started and neither ended nor dropped.
    std::size_t currentCount() const { return m_current.size(); }

    // Before the owner goes: what jobs hand back from here on goes nowhere.
    void close() { m_mailbox->close(); }

    // What came back since the last call, in the order delivered: the results of current jobs and the ends
    // of all. A job whose end is taken here is no longer current.
    std::vector<Returned> take()
    {
        std::vector<Returned> returned = m_mailbox->take();
        for (Returned& back : returned) {
            if (!isCurrent(back.job))
                back.result.reset();
            else if (back.ended)
                drop(back.job);
        }
        std::erase_if(returned, [](const Returned& back) { return !back.result && !back.ended; });
        return returned;
    }

private:
    std::shared_ptr<foundation::PoolMailbox<Returned>> m_mailbox;
    std::vector<Job> m_current;
    Job m_started = 0;
};

} // namespace pelorama::model
