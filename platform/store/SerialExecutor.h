#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace store {

// A queue of its own for a private-queue context: blocks run one at a time in submission order.
// async() runs the block on the executor's worker thread. sync() waits for its turn, then runs the block
// on the calling thread while the worker holds still, so the caller's waiting cannot deadlock against
// the main thread. Both run the block at once when the calling thread is already inside this queue.
// An exception thrown by a sync() block reaches the caller of sync() and leaves the queue running.
class SerialExecutor
{
public:
    SerialExecutor();
    ~SerialExecutor(); // runs the blocks still queued, then stops the worker
    SerialExecutor(const SerialExecutor&) = delete;
    SerialExecutor& operator=(const SerialExecutor&) = delete;

    void async(std::function<void()> block);
    void sync(const std::function<void()>& block);

    // Whether the calling thread is running a block of this executor.
    bool isCurrent() const;

private:
    void run();
    void runHolding(const std::function<void()>& block);

    std::mutex m_mutex;
    std::condition_variable m_condition;
    std::deque<std::function<void()>> m_blocks;
    bool m_stopping = false;
    std::thread m_worker;
};

} // namespace store
