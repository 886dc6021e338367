#pragma once
// Numbered tasks run on worker threads ahead of one consumer that takes their
// results strictly in number order, as a single thread would have made them.

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace pixfold {

class OrderedWork {
  public:
    // work(task, worker) runs on the worker threads; `worker` (0 to
    // threads - 1) picks that thread's own buffers. A task is begun only while
    // it is fewer than `ahead` tasks beyond the consumer, so results do not
    // pile up while the consumer is held up (by a message box, say).
    OrderedWork(size_t tasks, unsigned threads, size_t ahead,
                std::function<void(size_t task, unsigned worker)> work);
    // Lets the running tasks end, begins no other, and waits for the threads.
    ~OrderedWork();
    OrderedWork(const OrderedWork&) = delete;
    OrderedWork& operator=(const OrderedWork&) = delete;

    // Blocks until the task is done, calling `idle` about every 50 ms
    // meanwhile; rethrows what the task threw.
    void WaitFor(size_t task, const std::function<void()>& idle);
    // The consumer is through with this task and every one before it.
    void Release(size_t task);

    // One thread per core this process may run on, at least 1 and at most 8
    // (more would hold more decode buffers than they save time).
    static unsigned DefaultThreads();

  private:
    void Run(unsigned worker);

    std::function<void(size_t, unsigned)> m_work;
    const size_t m_tasks;
    const size_t m_ahead;
    std::mutex m_mutex;
    std::condition_variable m_canStart;
    std::condition_variable m_finished;
    size_t m_next = 0;      // next task to begin
    size_t m_released = 0;  // tasks the consumer is through with
    bool m_stop = false;
    std::vector<char> m_done;
    std::vector<std::exception_ptr> m_errors;
    std::vector<std::thread> m_threads;
};

}  // namespace pixfold
