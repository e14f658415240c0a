// The roadbook reader over any file text, with the in-process profile's rules, with either decimal
// separator the user may have: no crash, hang or undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/native/NativeProfile.h"
#include "preparation/Roadbook.h"
#include "services/Globals.h"
#include "services/ProgramState.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

// The reader asks the roadbook for 165 values, each through the profile port. The profile parses
// the roadbook's text once for the input and answers each value from it, so that the runs go to
// the reader rather than to parsing one text 165 times. Other files are the scratch drive's.
class RoadbookProfile : public platform::ProfilePort {
public:
    explicit RoadbookProfile(platform::ProfilePort& others) : others_(others), path_(gFunc::RoadbookFile()) {}
    void Hold(std::string_view text) { roadbook_.emplace(text); }

    std::uint32_t GetString(const char* section, const char* key, const char* def, char* buf, std::uint32_t size,
                            const std::string& file) override {
        if (file == path_) return roadbook_->GetString(section, key, def, buf, size);
        return others_.GetString(section, key, def, buf, size, file);
    }
    bool WriteString(const char* section, const char* key, const char* value, const std::string& file) override {
        return others_.WriteString(section, key, value, file);  // the reader writes nothing
    }

private:
    platform::ProfilePort& others_;
    const std::string path_;
    std::optional<platform::ProfileText> roadbook_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::NativePlatform& os = fuzz::Os();
    static RoadbookProfile& profile = [&]() -> RoadbookProfile& {
        os.environment.programFolder = "C:\\Velomark";
        auto* made = new RoadbookProfile(os.profile);  // kept to the end: libFuzzer may leave by _Exit
        platform::ports().profile = made;
        return *made;
    }();
    profile.Hold(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const char* separator : {".", ","}) {
        vm::ResetProgramState();
        vm::g.gDecimalSep = separator;
        gFunc::ReadRoadbook();
    }
    return 0;
}
