// Worker threads for work that splits into independent jobs: inflating and deflating the entries
// of an archive, digests of separate files, reads and writes of separate files. Portable C++.
#pragma once
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace platform {

class JobPool {
public:
    // threads: 0 for one per core (at most kMaxThreads); 1 runs every job at once on the thread
    // that hands it in.
    explicit JobPool(unsigned threads = 0);
    // Finishes the jobs handed in, then ends the threads.
    ~JobPool();
    JobPool(const JobPool&) = delete;
    JobPool& operator=(const JobPool&) = delete;

    static constexpr unsigned kMaxThreads = 8;

    // The process's pools, started at first use and kept until the process ends (starting
    // threads for every operation costs more than the work under Wine): one for computing, one
    // for file operations, so that neither waits behind the other's jobs.
    static JobPool& Computing();
    static JobPool& Files();

    unsigned threads() const { return workers_.empty() ? 1u : static_cast<unsigned>(workers_.size()); }

    // Runs job on a worker, or at once when the pool has none.
    void Add(std::function<void()> job);

private:
    void Work();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    bool ending_ = false;
    std::vector<std::thread> workers_;  // none: jobs run on the caller's thread
};

// Jobs handed to a pool as one group. The group waits, when it ends, for every job it handed in,
// so that no job outlives what it reads. A job must not wait for jobs of its own pool.
class JobGroup {
public:
    explicit JobGroup(JobPool& pool) : pool_(pool) {}
    ~JobGroup() { Wait(); }
    JobGroup(const JobGroup&) = delete;
    JobGroup& operator=(const JobGroup&) = delete;

    // Hands a job in; its result, or the exception it raised, comes out of the future.
    template <class F>
    auto Run(F job) -> std::future<decltype(job())> {
        auto task = std::make_shared<std::packaged_task<decltype(job())()>>(std::move(job));
        auto result = task->get_future();
        {
            std::lock_guard lock(mutex_);
            ++open_;
        }
        pool_.Add([this, task] {
            (*task)();
            Done();
        });
        return result;
    }
    // Waits for every job handed in so far.
    void Wait();

    unsigned threads() const { return pool_.threads(); }

private:
    void Done();

    JobPool& pool_;
    std::mutex mutex_;
    std::condition_variable done_;
    std::size_t open_ = 0;
};

// Runs job(i) for i in 0..count-1 on a pool and waits for all; rethrows the first exception.
void ForEachIndex(std::size_t count, const std::function<void(std::size_t)>& job, JobPool& pool);

}  // namespace platform
