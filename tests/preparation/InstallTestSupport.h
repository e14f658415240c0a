// What the installation tests share: a host fixture on the installed ports, the start of the
// host as far as the host folder goes, the progress codes written, and the view of the host
// folder the checks compare.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Profile.h"
#include "preparation/FileSteps.h"
#include "tests/support/HostFixture.h"

namespace vmtest {

// A profile writer that hands everything on and keeps the progress codes written; onCode runs
// after each, before the step it announces.
class RecordingProfile : public platform::ProfilePort {
public:
    explicit RecordingProfile(platform::ProfilePort& inner) : inner_(inner) {}
    std::uint32_t GetString(const char* section, const char* key, const char* def, char* buf, std::uint32_t size,
                            const std::string& file) override {
        return inner_.GetString(section, key, def, buf, size, file);
    }
    bool WriteString(const char* section, const char* key, const char* value, const std::string& file) override {
        if (section && key && value && std::string(section) == "Velomark" && std::string(key) == "Debug") {
            const bool written = inner_.WriteString(section, key, value, file);
            codes.push_back(value);
            if (onCode) onCode(value);
            return written;
        }
        return inner_.WriteString(section, key, value, file);
    }
    std::vector<std::string> codes;
    std::function<void(const std::string& code)> onCode;

private:
    platform::ProfilePort& inner_;
};

// What a start does to the host folder: the texture folders back, the installation run, the
// plug-in whitelist.
struct StartOutcome {
    int run = 0;
    std::optional<gFunc::FileFailure> plugins;
};
StartOutcome StartHost(const std::string& expectedShifterMd5, int surface = 0);

// The files of an archive, by path inside it, read by unpacking it below scratch (emptied first).
std::map<std::string, std::string> ArchiveFiles(const std::string& archive, const std::string& scratch);

// The content of a file through the installed port, or "<missing>".
std::string Content(const std::string& path);

// The host's originals that a first run must keep recoverable, taken from a fixture's host
// folder before the run.
class Originals {
public:
    Originals(const HostFixture& fx, const std::string& scratch);
    // Adds a failure for every original that is neither unchanged in its place nor complete in
    // its backup, and for every backup name that holds anything but a complete backup.
    void ExpectRecoverable(const std::string& context) const;

private:
    const HostFixture& fx_;
    std::string scratch_;
    std::string physicsPackage_, scriptsPackage_, carList_;
    std::map<std::string, std::string> physicsFolder_, scriptsFolder_, materials_, plugins_;
    std::vector<std::vector<std::map<std::string, std::string>>> textures_;  // per map: its texture folders
};

}  // namespace vmtest
