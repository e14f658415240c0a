// Profile (INI) files with the rules of the Windows profile API, over any file-system port:
// names compare without regard to case, values are trimmed and lose one pair of enclosing
// quotes, a missing file or key gives the default, and writes create the file with CRLF ends.
#pragma once
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Profile.h"

namespace platform {

struct ProfileLine;

// A profile file's text, parsed once and looked up with the rules above as often as wanted.
class ProfileText {
public:
    explicit ProfileText(std::string_view content);
    ~ProfileText();

    // As ProfilePort::GetString on a file of this text.
    std::uint32_t GetString(const char* section, const char* key, const char* def, char* buf,
                            std::uint32_t size) const;

private:
    std::vector<ProfileLine> lines_;
};

class NativeProfile : public ProfilePort {
public:
    explicit NativeProfile(FileSystemPort& files) : files_(files) {}

    std::uint32_t GetString(const char* section, const char* key, const char* def, char* buf,
                            std::uint32_t size, const std::string& file) override;
    bool WriteString(const char* section, const char* key, const char* value,
                     const std::string& file) override;

private:
    FileSystemPort& files_;
};

}  // namespace platform
