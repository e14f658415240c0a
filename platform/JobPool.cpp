#include "platform/JobPool.h"

#include <algorithm>
#include <system_error>

namespace platform {

JobPool::JobPool(unsigned threads) {
    if (threads == 0) threads = std::clamp(std::thread::hardware_concurrency(), 1u, kMaxThreads);
    if (threads <= 1) return;
    try {
        for (unsigned i = 0; i < threads; ++i) workers_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
        // Fewer threads than asked for; with none at all, jobs run on the caller's thread.
    }
}

JobPool::~JobPool() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
    }
    wake_.notify_all();
    for (auto& w : workers_) w.join();
}

// Never destroyed: their threads wait for work until the process ends.
JobPool& JobPool::Computing() {
    static JobPool* pool = new JobPool();
    return *pool;
}

JobPool& JobPool::Files() {
    static JobPool* pool = new JobPool();
    return *pool;
}

void JobPool::Add(std::function<void()> job) {
    if (workers_.empty()) {
        job();
        return;
    }
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void JobPool::Work() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return ending_ || !queue_.empty(); });
            if (queue_.empty()) return;
            job = std::move(queue_.front());
            queue_.pop_front();
        }
        job();  // a packaged task: what it raises goes to its future
    }
}

void JobGroup::Wait() {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return open_ == 0; });
}

void JobGroup::Done() {
    // Notified under the lock: the group may end as soon as its waiter sees no open job.
    std::lock_guard lock(mutex_);
    if (--open_ == 0) done_.notify_all();
}

void ForEachIndex(std::size_t count, const std::function<void(std::size_t)>& job, JobPool& pool) {
    JobGroup group(pool);
    std::vector<std::future<void>> done;
    done.reserve(count);
    for (std::size_t i = 0; i < count; ++i) done.push_back(group.Run([&job, i] { job(i); }));
    group.Wait();
    for (auto& d : done) d.get();
}

}  // namespace platform
