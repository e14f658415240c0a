// Counts the running processes of an executable, for the test driver's `watch-processes`: a
// thread takes a snapshot of the system's process list every 10 ms, since a process that is
// terminated cannot tell of its own end.
#pragma once
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>

class ProcessWatch {
public:
    struct Counts {
        int started = 0;    // processes that appeared since the watch began
        int mostAlive = 0;  // the most alive in one snapshot, those of the first included
        int alive = 0;      // in the last snapshot
    };

    ProcessWatch() = default;
    ~ProcessWatch();
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;

    // Begins (again) to count the processes whose executable file is named exe (letter case
    // aside), from a first snapshot taken now.
    void Watch(const std::string& exe);
    // The counts so far, or nothing for a name not watched.
    std::optional<Counts> CountsOf(const std::string& exe) const;

private:
    struct Tally {
        Counts counts;
        std::set<unsigned long> ids;  // of the last snapshot
    };
    // Takes a snapshot and updates every tally; a process id missing from one snapshot and back
    // in the next is a new process.
    void Sample();

    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    bool stop_ = false;
    std::map<std::string, Tally> tallies_;  // by lower-case name
    std::thread thread_;
};
