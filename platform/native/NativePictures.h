// Pictures without a decoder: a JPEG file's size is read from its frame header.
#pragma once
#include <map>
#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Picture.h"

namespace platform {

// Returns the size a JPEG's first frame header gives, or nothing when the bytes are no JPEG
// or end before a frame header.
std::optional<PictureSize> JpegSize(const std::string& bytes);

class NativePictures : public PicturePort {
public:
    explicit NativePictures(FileSystemPort& files) : files_(files) {}

    // Sizes a test gives to paths (looked up without regard to case), whatever the files hold.
    std::map<std::string, PictureSize> scripted;

    std::optional<PictureSize> Load(const std::string& path) override;

private:
    FileSystemPort& files_;
};

}  // namespace platform
