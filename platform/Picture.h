// Pictures the windows show from files (a skin's preview).
// This file must contain only operating-system independent declarations.
#pragma once
#include <optional>
#include <string>

namespace platform {

// A picture's size in pixels at 96 DPI.
struct PictureSize {
    int width = 0, height = 0;
    bool operator==(const PictureSize&) const = default;
};

class PicturePort {
public:
    virtual ~PicturePort() = default;

    // Returns the size of the picture in the file, or nothing when the file is missing or holds
    // no picture that can be shown.
    virtual std::optional<PictureSize> Load(const std::string& path) = 0;
};

}  // namespace platform
