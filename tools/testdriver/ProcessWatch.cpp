#include "tools/testdriver/ProcessWatch.h"

#include <algorithm>
#include <cctype>
#include <chrono>

#include "platform/win32/WinApi.h"
#include <tlhelp32.h>

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The ids of the running processes, by the lower-case name of their executable file; nothing
// when no snapshot could be taken.
std::optional<std::multimap<std::string, unsigned long>> RunningProcesses() {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return std::nullopt;
    std::multimap<std::string, unsigned long> running;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
        running.emplace(Lower(entry.szExeFile), entry.th32ProcessID);
    ::CloseHandle(snapshot);
    return running;
}

}  // namespace

ProcessWatch::~ProcessWatch() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    stopped_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void ProcessWatch::Watch(const std::string& exe) {
    std::lock_guard<std::mutex> lock(mutex_);
    Tally& tally = tallies_[Lower(exe)] = Tally{};
    if (auto running = RunningProcesses()) {
        auto [from, to] = running->equal_range(Lower(exe));
        for (auto it = from; it != to; ++it) tally.ids.insert(it->second);
    }
    tally.counts.alive = tally.counts.mostAlive = static_cast<int>(tally.ids.size());
    if (!thread_.joinable())
        thread_ = std::thread([this] {
            std::unique_lock<std::mutex> lock(mutex_);
            while (!stopped_.wait_for(lock, std::chrono::milliseconds(10), [this] { return stop_; })) {
                lock.unlock();
                Sample();
                lock.lock();
            }
        });
}

std::optional<ProcessWatch::Counts> ProcessWatch::CountsOf(const std::string& exe) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = tallies_.find(Lower(exe));
    if (it == tallies_.end()) return std::nullopt;
    return it->second.counts;
}

void ProcessWatch::Sample() {
    const auto running = RunningProcesses();
    if (!running) return;
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& [name, tally] : tallies_) {
        std::set<unsigned long> ids;
        auto [from, to] = running->equal_range(name);
        for (auto it = from; it != to; ++it) ids.insert(it->second);
        for (unsigned long id : ids) tally.counts.started += tally.ids.count(id) == 0;
        tally.ids = std::move(ids);
        tally.counts.alive = static_cast<int>(tally.ids.size());
        tally.counts.mostAlive = std::max(tally.counts.mostAlive, tally.counts.alive);
    }
}
