// A few worker threads for work that splits into independent jobs: inflating and deflating the
// entries of an archive, digests of separate files, writes of separate files. Portable C++.
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
    // threads: 0 for one per core (at most kMaxThreads); 1 runs every job at once on the caller's
    // thread, when it is handed in.
    explicit JobPool(unsigned threads = 0);
    // Finishes the jobs handed in, then ends the threads.
    ~JobPool();
    JobPool(const JobPool&) = delete;
    JobPool& operator=(const JobPool&) = delete;

    static constexpr unsigned kMaxThreads = 8;

    // Hands a job in; its result, or the exception it raised, comes out of the future.
    template <class F>
    auto Run(F job) -> std::future<decltype(job())> {
        auto task = std::make_shared<std::packaged_task<decltype(job())()>>(std::move(job));
        auto result = task->get_future();
        Add([task] { (*task)(); });
        return result;
    }

    unsigned threads() const { return threads_ == 0 ? 1u : static_cast<unsigned>(threads_); }

private:
    void Add(std::function<void()> job);
    void Work();

    std::size_t threads_ = 0;  // workers started; 0: jobs run on the caller's thread
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    bool ending_ = false;
    std::vector<std::thread> workers_;
};

// Runs job(i) for i in 0..count-1 on a pool and waits for all; rethrows the first exception.
void ForEachIndex(std::size_t count, const std::function<void(std::size_t)>& job, JobPool& pool);

}  // namespace platform
