#include "tools/simhost/PluginHost.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <thread>

#include "platform/Bytes.h"
#include "plugins/HostAddresses.h"
#include "tools/simhost/PluginCaller.h"

namespace simhost {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// Numbers as %g, a blank between them.
std::string Numbers(std::initializer_list<double> numbers) {
    std::string text;
    for (double number : numbers) {
        char n[32];
        std::snprintf(n, sizeof n, text.empty() ? "%g" : " %g", number);
        text += n;
    }
    return text;
}

void __cdecl RecordCall(void* context, int slot, const double* numbers, int count, const char* text) {
    std::string line = std::to_string(slot) + ":";
    if (slot == 1 && text) line += std::string(" ") + text;
    for (int i = 0; i < count; ++i) line += " " + Numbers({numbers[i]});
    if (slot != 1 && text) line += std::string(" ") + text;
    static_cast<PluginHost*>(context)->Record(line);
}

// A call split at its blanks: the first count words, then what is left as one text (a name may
// hold blanks). Nothing when there are fewer words.
std::optional<std::vector<std::string>> Split(const std::string& call, std::size_t count) {
    std::vector<std::string> words;
    std::size_t at = 0;
    auto skip = [&] { at = std::min(call.find_first_not_of(' ', at), call.size()); };
    for (skip(); words.size() < count && at < call.size(); skip()) {
        const std::size_t end = std::min(call.find(' ', at), call.size());
        words.push_back(call.substr(at, end - at));
        at = end;
    }
    if (words.size() < count) return std::nullopt;
    words.push_back(call.substr(at));
    return words;
}

bool Number(const std::string& word, int* value) {
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), *value);
    return error == std::errc() && end == word.data() + word.size();
}

bool Number(const std::string& word, float* value) {
    char* end = nullptr;
    *value = std::strtof(word.c_str(), &end);
    return !word.empty() && *end == '\0';
}

std::string Hex2(std::uint8_t b) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", b);
    return text;
}

}  // namespace

PluginHost::PluginHost(HostMemory& memory, platform::FileSystemPort& files, const std::string& recordPath)
    : memory_(memory), files_(files), record_(recordPath.empty() ? nullptr : files.OpenAppend(recordPath)) {
    api_ = simhost_game_api(RecordCall, this);
}

PluginHost::~PluginHost() { UnloadAll(); }

void PluginHost::Record(const std::string& line) {
    if (record_) (void)record_->Write(line + "\r\n");
}

void PluginHost::LoadAll(const std::string& folder, std::uint8_t marker) {
    std::vector<std::string> names;
    for (const platform::DirEntry& entry : files_.List(folder).value_or(std::vector<platform::DirEntry>{})) {
        const std::string lower = Lower(entry.name);
        if (!entry.isFolder && lower.size() > 4 && lower.ends_with(".dll")) names.push_back(entry.name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    Record(std::string("caller ") + simhost_caller_abi());
    for (const std::string& name : names) {
        Loaded l{name, platform::LoadLibraryFile(folder + "\\" + name)};
        if (!l.library) {
            Record("cannot load " + name);
            continue;
        }
        Record("loaded " + name);
        if (void* create = platform::LibraryExport(l.library, "QVR_CreatePlugin")) {
            l.plugin = simhost_create_plugin(create, api_);
            Record(l.plugin ? std::string("plug-in ") + simhost_plugin_title(l.plugin) : "no plug-in from " + name);
        }
        loaded_.push_back(l);
    }

    std::uint8_t index[4] = {}, branchA = 0, branchB = 0;
    const std::uint32_t at = marker == qvrplugin::kMarkerIndexAt55C465 ? qvrplugin::kMenuCarIndex00 : qvrplugin::kMenuCarIndexE8;
    memory_.Get(at, index, 4);
    memory_.Get(qvrplugin::kBranchA, &branchA, 1);
    memory_.Get(qvrplugin::kBranchB, &branchB, 1);
    Record("menu car index " + std::to_string(static_cast<std::int32_t>(platform::FromLe32(index))));
    Record("code bytes " + Hex2(branchA) + " " + Hex2(branchB));
}

template <class F>
void PluginHost::EachPlugin(F&& call) {
    for (Loaded& l : loaded_)
        if (l.plugin) call(l.plugin);
}

void PluginHost::StageStarted(std::int32_t stage, const std::string& name, bool falseStart) {
    Record("stage start " + std::to_string(stage) + " " + (falseStart ? "1 " : "0 ") + name);
    EachPlugin([&](void* p) { simhost_stage_start(p, stage, name.c_str(), falseStart); });
}

void PluginHost::CheckpointPassed(float time, std::int32_t checkpoint, const std::string& name) {
    Record("stage checkpoint " + Numbers({time}) + " " + std::to_string(checkpoint) + " " + name);
    EachPlugin([&](void* p) { simhost_checkpoint(p, time, checkpoint, name.c_str()); });
}

void PluginHost::StageEnded(float checkpoint1, float checkpoint2, float finish, const std::string& name) {
    Record("stage end " + Numbers({checkpoint1, checkpoint2, finish}) + " " + name);
    EachPlugin([&](void* p) { simhost_stage_end(p, checkpoint1, checkpoint2, finish, name.c_str()); });
}

bool PluginHost::RunOne(const std::string& call) {
    const auto words = Split(call, 1);
    if (!words) return false;
    const std::string what = words->at(0);
    // The words each call takes before its name (-1: no name).
    const int numbers = what == "tick" ? 1 : what == "keys" ? 5 : what == "start" || what == "checkpoint" ? 2
                      : what == "end" ? 3 : 0;
    const auto args = Split(call, 1 + numbers);
    if (!args) return false;
    int n[5] = {};
    float f[3] = {};
    for (int i = 0; i < numbers; ++i) {
        const std::string& word = args->at(1 + i);
        const bool ok = what == "end" || (what == "checkpoint" && i == 0) ? Number(word, &f[i]) : Number(word, &n[i]);
        if (!ok) return false;
    }
    const char* name = args->back().c_str();
    bool known = true;
    EachPlugin([&](void* p) {
        if (what == "menu") simhost_draw_menu(p);
        else if (what == "results") simhost_draw_results(p);
        else if (what == "title") Record(std::string("title ") + simhost_plugin_title(p));
        else if (what == "tick") simhost_tick_menu(p, n[0]);
        else if (what == "keys") simhost_menu_keys(p, 0x1234, n[0], n[1], n[2], n[3], n[4]);
        else if (what == "start") simhost_stage_start(p, n[0], name, n[1]);
        else if (what == "checkpoint") simhost_checkpoint(p, f[0], n[1], name);
        else if (what == "end") simhost_stage_end(p, f[0], f[1], f[2], name);
        else known = false;
    });
    return known;
}

bool PluginHost::Run(const std::string& calls, std::string* bad) {
    for (std::size_t at = 0; at < calls.size();) {
        const std::size_t end = std::min(calls.find(';', at), calls.size());
        const std::string call = calls.substr(at, end - at);
        at = end + 1;
        if (call.find_first_not_of(' ') == std::string::npos) continue;
        Record("call " + call);
        if (!RunOne(call)) {
            if (bad) *bad = call;
            return false;
        }
    }
    return true;
}

void PluginHost::UnloadAll() {
    for (Loaded& l : loaded_) {
        if (l.plugin) simhost_destroy_plugin(l.plugin);
        l.plugin = nullptr;
    }
    for (auto it = loaded_.rbegin(); it != loaded_.rend(); ++it) platform::FreeLibraryHandle(it->library);
    for (const Loaded& l : loaded_) {
        bool mapped = true;
        for (int i = 0; i < 200 && (mapped = platform::IsLibraryMapped(l.name)); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        Record((mapped ? "still mapped " : "unmapped ") + l.name);
    }
    loaded_.clear();
}

}  // namespace simhost
