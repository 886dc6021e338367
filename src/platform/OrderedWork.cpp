#include "platform/OrderedWork.h"

#include <sched.h>

#include <algorithm>
#include <chrono>

namespace pixfold {

OrderedWork::OrderedWork(size_t tasks, unsigned threads, size_t ahead,
                         std::function<void(size_t, unsigned)> work)
    : m_work(std::move(work)),
      m_tasks(tasks),
      m_ahead(std::max<size_t>(ahead, 1)),
      m_done(tasks, 0),
      m_errors(tasks) {
    threads =
        static_cast<unsigned>(std::min<size_t>(std::max(threads, 1u), std::max<size_t>(tasks, 1)));
    m_threads.reserve(threads);
    for (unsigned i = 0; i < threads; ++i) {
        m_threads.emplace_back([this, i] { Run(i); });
    }
}

OrderedWork::~OrderedWork() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_canStart.notify_all();
    for (std::thread& t : m_threads) {
        t.join();
    }
}

void OrderedWork::Run(unsigned worker) {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_canStart.wait(
            lock, [this] { return m_stop || m_next >= m_tasks || m_next < m_released + m_ahead; });
        if (m_stop || m_next >= m_tasks) {
            return;
        }
        const size_t task = m_next++;
        lock.unlock();
        std::exception_ptr error;
        try {
            m_work(task, worker);
        } catch (...) {
            error = std::current_exception();
        }
        lock.lock();
        m_errors[task] = error;
        m_done[task] = 1;
        m_finished.notify_all();
    }
}

void OrderedWork::WaitFor(size_t task, const std::function<void()>& idle) {
    std::unique_lock lock(m_mutex);
    while (!m_done[task]) {
        if (!m_finished.wait_for(lock, std::chrono::milliseconds(50),
                                 [&] { return m_done[task] != 0; }) &&
            idle) {
            lock.unlock();
            idle();
            lock.lock();
        }
    }
    if (m_errors[task]) {
        std::rethrow_exception(m_errors[task]);
    }
}

void OrderedWork::Release(size_t task) {
    {
        std::lock_guard lock(m_mutex);
        m_released = std::max(m_released, task + 1);
    }
    m_canStart.notify_all();
}

unsigned OrderedWork::DefaultThreads() {
    cpu_set_t set;
    CPU_ZERO(&set);
    int cores = sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 0;
    if (cores <= 0) {
        cores = static_cast<int>(std::thread::hardware_concurrency());
    }
    return static_cast<unsigned>(std::clamp(cores, 1, 8));
}

}  // namespace pixfold
