#include "store/SerialExecutor.h"

#include <algorithm>
#include <vector>

namespace store {

namespace {

// The executors whose queue the current thread holds, innermost last.
thread_local std::vector<const SerialExecutor*> heldExecutors;

} // namespace

SerialExecutor::SerialExecutor()
    : m_worker([this] { run(); })
{}

SerialExecutor::~SerialExecutor()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_condition.notify_all();
    m_worker.join();
}

void SerialExecutor::async(std::function<void()> block)
{
    {
        std::lock_guard lock(m_mutex);
        m_blocks.push_back(std::move(block));
    }
    m_condition.notify_all();
}

void SerialExecutor::sync(const std::function<void()>& block)
{
    if (isCurrent()) {
        block();
        return;
    }
    // Queue a turn: when the worker reaches it, it hands the queue to this thread and waits until the
    // block is done.
    struct Turn
    {
        std::mutex mutex;
        std::condition_variable condition;
        bool started = false;
        bool finished = false;
    };
    auto turn = std::make_shared<Turn>();
    async([turn] {
        std::unique_lock lock(turn->mutex);
        turn->started = true;
        turn->condition.notify_all();
        turn->condition.wait(lock, [&] { return turn->finished; });
    });
    {
        std::unique_lock lock(turn->mutex);
        turn->condition.wait(lock, [&] { return turn->started; });
    }
    // The worker gets its queue back however the block ends; an exception goes on to the caller.
    struct Finish
    {
        Turn& turn;
        ~Finish()
        {
            {
                std::lock_guard lock(turn.mutex);
                turn.finished = true;
            }
            turn.condition.notify_all();
        }
    } finish{*turn};
    runHolding(block);
}

bool SerialExecutor::isCurrent() const
{
    return std::find(heldExecutors.begin(), heldExecutors.end(), this) != heldExecutors.end();
}

void SerialExecutor::runHolding(const std::function<void()>& block)
{
    heldExecutors.push_back(this);
    struct Release
    {
        ~Release() { heldExecutors.pop_back(); }
    } release;
    block();
}

void SerialExecutor::run()
{
    for (;;) {
        std::function<void()> block;
        {
            std::unique_lock lock(m_mutex);
            m_condition.wait(lock, [this] { return m_stopping || !m_blocks.empty(); });
            if (m_blocks.empty())
                return;
            block = std::move(m_blocks.front());
            m_blocks.pop_front();
        }
        runHolding(block);
    }
}

} // namespace store
